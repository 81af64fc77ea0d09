#include "runtime/call/frame.hpp"

#include <algorithm>

#include "runtime/array/error.hpp"
#include "runtime/call/console.hpp"

namespace rt {

namespace {

ConstantsObserver constants_observer = nullptr;

Value count_message(double low, double high, double n, const char* fewer, const char* more) {
    if (n < low) return Value::string(fewer);
    if (n > high) return Value::string(more);
    return Value::string("");
}

}  // namespace

std::string arity_message(std::string_view name, int line, ArityKind kind, int count) {
    std::string text = "Run-time Error: File: ";
    text += name;
    text += " Line: ";
    text += std::to_string(line);
    text += " Column: 1 The function \"";
    text += name;
    text += "\" was called with more than the declared number of ";
    text += kind == ArityKind::Outputs ? "outputs" : "inputs";
    text += " (";
    text += std::to_string(count);
    text += ").";
    return text;
}

void check_arity(int nargout, int nargin, int declared_outputs, int declared_inputs, const Value* outputs_message,
                 const Value* inputs_message) {
    if (declared_outputs >= 0 && nargout > declared_outputs) {
        if (outputs_message) error(*outputs_message);
        raise("Too many output arguments.");
    }
    if (declared_inputs >= 0 && nargin > declared_inputs) {
        if (inputs_message) error(*inputs_message);
        raise("Too many input arguments.");
    }
}

Value nargchk(double low, double high, double n) {
    return count_message(low, high, n, "Not enough input arguments.", "Too many input arguments.");
}

Value nargoutchk(double low, double high, double n) {
    return count_message(low, high, n, "Not enough output arguments.", "Too many output arguments.");
}

void error(const Value& text) {
    if (text.is_absent() || text.is_unassigned()) raise("The error message holds nothing.");
    if (text.is_empty()) return;
    if (!text.is_char()) raise("The error message must be a text.");
    raise(text.text());
}

const Value& empty_array() {
    static const Value empty = Value::empty();
    return empty;
}

const Value& require_input_slow(bool absent, const char* name) {
    if (absent) raise(std::string("Input argument \"") + name + "\" is undefined.");
    uninit_warning(Value(), name);
    return empty_array();
}

bool uninit_warning(const Value& v, const char* name) {
    if (!v.is_unassigned()) return false;
    warning(std::string("Variable '") + name + "' is used before it is assigned.");
    return true;
}

void validate_output_warning(const Value& output, const char* output_name, const char* function) {
    if (!output.is_unassigned()) return;
    warning(std::string("One or more output arguments not assigned during call to '") + function + "' (" + output_name +
            ").");
}

Value create_varargin_cell(int nargin, const Value* inputs, int fixed) {
    std::vector<Value> items;
    for (int i = std::max(fixed, 0); i < nargin; ++i) items.push_back(inputs[i]);
    if (items.empty()) return Value::cell(1, 0);
    return Value::cell_row(std::move(items));
}

void assign_varargout_cell(int nargout, Value* outputs, const Value& varargout, const char* /*function*/) {
    const std::size_t given = varargout.is_cell() ? varargout.numel() : 0;
    if (static_cast<std::size_t>(std::max(nargout, 0)) > given) raise("Too many output arguments.");
    const std::size_t slots = static_cast<std::size_t>(std::max(nargout, 1));
    for (std::size_t i = 0; i < slots && i < given; ++i) outputs[i] = varargout.cell_at(i);
}

int nargin(int given, const Value* inputs) {
    while (given > 0 && inputs[given - 1].is_absent()) --given;
    return std::max(given, 0);
}

std::size_t ModuleConstants::add(Value v) {
    values_.push_back(std::move(v));
    refresh();
    const std::size_t index = values_.size() - 1;
    if (constants_observer) constants_observer(module_, index, true);
    return index;
}

void ModuleConstants::release() {
    while (!values_.empty()) {
        values_.pop_back();
        refresh();
        if (constants_observer) constants_observer(module_, values_.size(), false);
    }
}

void ModuleConstants::not_initialised() const {
    raise(std::string("The module '") + module_ + "' is used before it was initialised.");
}

void set_constants_observer(ConstantsObserver observer) { constants_observer = observer; }

}  // namespace rt
