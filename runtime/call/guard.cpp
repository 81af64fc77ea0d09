#include "runtime/call/guard.hpp"

namespace rt {

namespace {
std::string last_error;
std::uint64_t errors_caught = 0;
}  // namespace

Value lasterr() { return Value::string(last_error); }

void set_lasterr(std::string text) { last_error = std::move(text); }

std::uint64_t caught_errors() { return errors_caught; }

void count_caught_error() { ++errors_caught; }

}  // namespace rt
