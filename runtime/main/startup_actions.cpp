#include "runtime/main/startup_actions.hpp"

#include <string>

#include "runtime/array/error.hpp"
#include "runtime/graphics/graphics.hpp"

namespace rt {

namespace {

// The first object with that exact tag, windows and their contents in
// creation order, hidden ones included.
double object_tagged(const std::string& tag, const char* option) {
    const Value pairs[] = {Value::string("Tag"), Value::string(tag)};
    const Value found = findall(Value(0.0), pairs);
    if (found.is_empty()) raise(std::string(option) + ": no object is tagged '" + tag + "'.");
    return found[0];
}

}  // namespace

void run_startup_action(const StartupAction& action, EvalContext& variables) {
    switch (action.kind) {
    case StartupAction::Kind::Set: {
        const double h = object_tagged(action.tag, "--set");
        set(h, "Value", Value(action.value));
        deliver_callback(h, "Callback");
        break;
    }
    case StartupAction::Kind::Click:
        deliver_callback(object_tagged(action.tag, "--click"), "Callback");
        break;
    case StartupAction::Kind::Eval:
        evaluate(action.statement, variables, true);
        break;
    }
    // What the action queued (a resize, a close) is delivered before the next.
    drawnow();
}

}  // namespace rt
