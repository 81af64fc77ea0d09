#include "runtime/array/deadline.hpp"

#include "runtime/array/error.hpp"

namespace rt {

namespace {
std::optional<DeadlineClock::time_point> the_deadline;
}  // namespace

void set_deadline(std::optional<DeadlineClock::time_point> when) { the_deadline = when; }

std::optional<DeadlineClock::time_point> deadline() { return the_deadline; }

void check_deadline() {
    if (the_deadline && DeadlineClock::now() >= *the_deadline) raise(kDeadlineMessage);
}

}  // namespace rt
