#pragma once
// The time by which the program must end (--max-seconds). Operations that can
// run for long on large arrays (matrix products and powers, displaying a
// matrix) look at it now and then and raise once it has passed, so a time
// limit holds within a fraction of a second even in the middle of one; the
// windowing layer cuts its pauses short at it. No deadline is set unless the
// program's main sets one.

#include <chrono>
#include <optional>

namespace rt {

using DeadlineClock = std::chrono::steady_clock;

// nullopt removes the deadline.
void set_deadline(std::optional<DeadlineClock::time_point> when);
std::optional<DeadlineClock::time_point> deadline();

// The error long operations raise once the deadline has passed.
inline constexpr const char* kDeadlineMessage = "Interrupted: the time limit ran out.";

// Raises kDeadlineMessage when a deadline is set and has passed. One clock
// read: call it every row or so, not every element.
void check_deadline();

}  // namespace rt
