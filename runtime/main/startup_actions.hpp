#pragma once
// What --set, --click and --eval do once the program has launched. Each
// raises an rt::Error with a clear message when it cannot be done: no object
// has the tag, the object has no such property, a slider is set beyond its
// ends or a radio button to neither of its states (which a person cannot
// do), --click names an object without a callback, the callback or
// statement failed.

#include "runtime/expression/expression.hpp"
#include "runtime/main/command_line.hpp"

namespace rt {

// --eval statements share `variables`, so a later one can read what an
// earlier one assigned.
void run_startup_action(const StartupAction& action, EvalContext& variables);

}  // namespace rt
