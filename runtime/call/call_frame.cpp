#include "runtime/call/call_frame.hpp"

#include <algorithm>

#include "runtime/array/error.hpp"
#include "runtime/call/frame.hpp"

namespace rt {

ByNameCall::ByNameCall(const Arity& arity, int nargout, Value* outputs, int nargin, const Value* inputs)
    : arity_(arity), nargout_(std::max(nargout, 0)), outputs_(outputs), nargin_(std::max(nargin, 0)), inputs_(inputs) {
    check_arity(nargout_, nargin_, arity.declared_outputs, arity.declared_inputs, arity.outputs_message,
                arity.inputs_message);
    if (arity.declared_outputs > 1) places_.resize(static_cast<std::size_t>(arity.declared_outputs - 1));
}

int ByNameCall::fixed_inputs() const {
    return arity_.declared_inputs >= 0 ? arity_.declared_inputs : -arity_.declared_inputs - 1;
}

Value ByNameCall::input(int position) const {
    if (position < 1 || position > fixed_inputs())
        raise(std::string("'") + arity_.name + "' has no fixed input " + std::to_string(position) + ".");
    if (position > nargin_) return Value::absent();
    return inputs_[position - 1];
}

Value ByNameCall::varargin() const { return create_varargin_cell(nargin_, inputs_, fixed_inputs()); }

Value* ByNameCall::output(int position) {
    if (position < 2 || static_cast<std::size_t>(position - 2) >= places_.size())
        raise(std::string("'") + arity_.name + "' has no output " + std::to_string(position) + ".");
    return &places_[static_cast<std::size_t>(position - 2)];
}

void ByNameCall::finish(Value output1) {
    outputs_[0] = std::move(output1);
    for (int n = 2; n <= nargout_ && static_cast<std::size_t>(n - 2) < places_.size(); ++n)
        outputs_[n - 1] = std::move(places_[static_cast<std::size_t>(n - 2)]);
}

void ByNameCall::finish_varargout(const Value& varargout) {
    assign_varargout_cell(nargout_, outputs_, varargout, arity_.name);
}

void BodyFrame::report_unassigned_output(const char* function, const char* name) {
    validate_output_warning(Value(), name, function);
}

}  // namespace rt
