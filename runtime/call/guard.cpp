#include "runtime/call/guard.hpp"

namespace rt {

namespace {
std::string last_error;
}  // namespace

Value lasterr() { return Value::string(last_error); }

void set_lasterr(std::string text) { last_error = std::move(text); }

}  // namespace rt
