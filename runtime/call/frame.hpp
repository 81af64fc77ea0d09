#pragma once
// The uniform frame of every callable function: arity checks of a by-name
// call, the runtime's count messages, the varargin/varargout lists, the checks
// of inputs and outputs that hold nothing, and module constants.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/array/value.hpp"
#include "runtime/call/function_table.hpp"

namespace rt {

// ---- arity ----
enum class ArityKind { Outputs, Inputs };

// "Run-time Error: File: NAME Line: LINE Column: 1 The function "NAME" was
// called with more than the declared number of outputs (COUNT)."
std::string arity_message(std::string_view name, int line, ArityKind kind, int count);

// The check a by-name entry makes before anything else: outputs first, then
// inputs; a negative declared count is variable and never checked.
// `outputs_message` and `inputs_message` are the module's constants (either
// may be null where the function has no message for that side).
void check_arity(int nargout, int nargin, int declared_outputs, int declared_inputs, const Value* outputs_message,
                 const Value* inputs_message);

// The runtime's count messages: an empty text within the bounds, else
// "Not enough input arguments." / "Too many input arguments." (nargchk) and
// "Not enough output arguments." / "Too many output arguments." (nargoutchk).
Value nargchk(double low, double high, double n);
Value nargoutchk(double low, double high, double n);
// Raises the text of a non-empty value; an empty text raises nothing. A value
// that is not text is refused with a message saying so.
void error(const Value& text);

// The empty matrix that stands in for a variable read before it was assigned.
const Value& empty_array();

// ---- inputs and outputs that hold nothing ----
// Raises "Input argument "NAME" is undefined." for an absent input; warns
// (rt::uninit_warning) for an unassigned one, which then reads as [].
// Every read of an input goes through here, so the common case is inline.
// The slow path is told only whether the input is absent, so that no body
// hands it the address of a value it keeps in registers.
const Value& require_input_slow(bool absent, const char* name);
RT_INLINE const Value& require_input(const Value& v, const char* name) {
    // A double scalar first: the operation reading the input tests for one
    // next, and the compiler then knows the answer.
    if (v.is_double_scalar() || v.holds_value()) [[likely]]
        return v;
    return require_input_slow(v.is_absent(), name);
}
// Warns "Warning: Variable 'NAME' is used before it is assigned." and gives
// true when v is unassigned (the caller then reads the empty matrix).
bool uninit_warning(const Value& v, const char* name);
// Reports a requested output that was never assigned:
// "Warning: One or more output arguments not assigned during call to
// 'FUNCTION' (NAME)." on the console's warning stream.
void validate_output_warning(const Value& output, const char* output_name, const char* function);

// ---- varargin / varargout ----
// The inputs after the `fixed` first ones, as a 1-by-N cell (empty for none).
Value create_varargin_cell(int nargin, const Value* inputs, int fixed);
// Spreads a varargout cell over max(nargout,1) slots; raises "Too many output
// arguments." when the callee gave fewer than nargout outputs.
void assign_varargout_cell(int nargout, Value* outputs, const Value& varargout, const char* function);
// The number of inputs actually given (absent trailing ones do not count).
int nargin(int given, const Value* inputs);

// ---- module constants ----
// One container per module. The module's initialiser adds its constants in
// the listed order; its terminator releases them in reverse, once.
class ModuleConstants {
public:
    // constexpr so that a module's static container exists before any
    // initialiser runs, whatever the order of static initialisation.
    explicit constexpr ModuleConstants(const char* module) : module_(module) {}
    // Adds a constant and gives its index.
    std::size_t add(Value v);
    // A constant by index; raises when the module's initialiser has not run
    // (or its terminator has), instead of reading past the container. The
    // count and the first element are kept beside the vector, so a read is
    // one comparison with a constant and one load.
    const Value& operator[](std::size_t i) const {
        if (i >= count_) [[unlikely]]
            not_initialised();
        return first_[i];
    }
    std::size_t size() const { return count_; }
    // The first constant, for reading `count` of them without a test each:
    // raises as operator[] does unless at least `count` exist. A module
    // creates all its constants at once, so a body tests once on entry.
    // Valid until a constant is added or the module released.
    const Value* checked_first(std::size_t count) const {
        if (count > count_) [[unlikely]]
            not_initialised();
        return first_;
    }
    // Releases every constant, the last created first.
    void release();
    const char* module() const { return module_; }

private:
    [[noreturn]] void not_initialised() const;

    void refresh() noexcept {
        first_ = values_.data();
        count_ = values_.size();
    }

    const char* module_;
    std::vector<Value> values_;
    const Value* first_ = nullptr;  // values_.data() and values_.size(), as of the last change
    std::size_t count_ = 0;
};

// Test instrumentation: called once for every constant created (created ==
// true) and released (created == false), with the module and the index.
using ConstantsObserver = void (*)(const char* module, std::size_t index, bool created);
void set_constants_observer(ConstantsObserver observer);

}  // namespace rt
