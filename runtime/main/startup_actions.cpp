#include "runtime/main/startup_actions.hpp"

#include <string>

#include "runtime/array/error.hpp"
#include "runtime/array/text.hpp"
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

// A person can move a slider only between its ends.
void check_slider_range(double h, const StartupAction& action) {
    const GraphicsObject* obj = find_object(h);
    if (!obj || obj->type() != ObjectType::Uicontrol || !obj->is(PropertyId::Style, "slider")) return;
    const double low = obj->value(PropertyId::Min).scalar(), high = obj->value(PropertyId::Max).scalar();
    if (!(action.value >= low && action.value <= high))
        raise("--set: " + num2str(action.value) + " is outside the range of the slider '" + action.tag + "' (" +
              num2str(low) + " to " + num2str(high) + ").");
}

// A person can only switch a radio button, check box or toggle button
// between its two states, "Min" (off) and "Max" (on).
void check_toggle_state(double h, const StartupAction& action) {
    const GraphicsObject* obj = find_object(h);
    if (!obj || obj->type() != ObjectType::Uicontrol) return;
    const char* kind = obj->is(PropertyId::Style, "radiobutton")    ? "radio button"
                       : obj->is(PropertyId::Style, "checkbox")     ? "check box"
                       : obj->is(PropertyId::Style, "togglebutton") ? "toggle button"
                                                                    : nullptr;
    if (!kind) return;
    const double off = obj->value(PropertyId::Min).scalar(), on = obj->value(PropertyId::Max).scalar();
    if (action.value != off && action.value != on)
        raise("--set: " + num2str(action.value) + " is not a state of the " + kind + " '" + action.tag + "' (" +
              num2str(off) + " or " + num2str(on) + ").");
}

}  // namespace

void run_startup_action(const StartupAction& action, EvalContext& variables) {
    switch (action.kind) {
        case StartupAction::Kind::Set: {
            const double h = object_tagged(action.tag, "--set");
            check_slider_range(h, action);
            check_toggle_state(h, action);
            set(h, "Value", Value(action.value));
            deliver_callback(h, "Callback");
            break;
        }
        case StartupAction::Kind::Click: {
            const double h = object_tagged(action.tag, "--click");
            // A press on a label does nothing; a script that asks for one has
            // most likely named the wrong object, so say so.
            const GraphicsObject* obj = find_object(h);
            if (!obj || obj->value(PropertyId::Callback).is_empty())
                raise("--click: the object tagged '" + action.tag + "' has no callback.");
            deliver_callback(h, "Callback");
            break;
        }
        case StartupAction::Kind::Eval: evaluate(action.statement, variables, true); break;
    }
    // What the action queued (a resize, a close) is delivered before the next.
    drawnow();
}

}  // namespace rt
