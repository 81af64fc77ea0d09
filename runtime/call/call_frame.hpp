#pragma once
// The frame every module of the system wraps around its statements. A
// callable function has three pieces:
//
//  - the body: takes the requested output count, one reference per output
//    from 2 up (null = not wanted), and its fixed inputs by value; returns
//    output 1. It opens a BodyFrame first, which makes the module's local
//    function table current until the body ends (an error included), and it
//    checks its outputs with BodyFrame::check_output before returning;
//  - the direct call form: the body with the count computed from the
//    references (rt::requested_outputs). Inputs are taken by value, so a
//    caller can std::move a large array in and the body can change it without
//    copying the shared storage;
//  - the by-name entry: a ByNameCall checks the arity (outputs first, then
//    inputs, with the module's constant messages), hands the body copies of
//    the given inputs (absent beyond the given count), places for every
//    output, and stores the outputs in the caller's slots once the body has
//    returned.
//
// Example: `scale` with declared inputs 2 and outputs 2, its two arity
// messages at constants 0 and 1.
//
//   rt::Value scale_body(int nargout, rt::Value* twice, rt::Value x, rt::Value k) {
//       rt::BodyFrame frame("scale", &scale_locals, nargout);
//       rt::Value y, t;
//       y = rt::mtimes(rt::require_input(x, "x"), rt::require_input(k, "k"));
//       t = rt::plus(y, y);
//       frame.check_output(y, 1, "y");
//       frame.check_output(t, 2, "t");
//       rt::hand_out(twice, std::move(t));
//       return y;
//   }
//   rt::Value scale(rt::Value* twice, rt::Value x, rt::Value k) {
//       return scale_body(rt::requested_outputs(twice), twice, std::move(x), std::move(k));
//   }
//   void entry_scale(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
//       rt::ByNameCall call({"scale", 2, 2, &constants[0], &constants[1]}, nargout, outputs,
//                           nargin, inputs);
//       call.finish(scale_body(call.nargout(), call.output(2), call.input(1), call.input(2)));
//   }
//
// Variable inputs: the fixed inputs come from input(), the rest from
// varargin(). Variable outputs (declared -1): the body returns its varargout
// cell and the entry calls finish_varargout(). No outputs (declared 0): the
// body returns nothing and the entry calls finish().
//
// Names. The runtime is namespace `rt`; the system's own functions live in
// namespace `sys`, one module per function of the function table:
//   sys::NAME                          the direct call form
//   sys::entry_NAME                    the by-name entry
//   sys::NAME_initialize / _terminate  create / release the module constants
//   sys::NAME_locals                   the module's local function table
// A module's constants sit in one rt::ModuleConstants, its two arity
// messages first (outputs, then inputs), built with rt::arity_message.

#include <utility>
#include <vector>

#include "runtime/array/value.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/function_table.hpp"

namespace rt {

// What a by-name entry checks: the declared counts of the function table and
// the module's arity messages (null where the function has none for a side,
// which only happens on a variable side).
struct Arity {
    const char* name;
    int declared_inputs;
    int declared_outputs;
    const Value* outputs_message;
    const Value* inputs_message;
};

class ByNameCall {
public:
    // Raises the arity message before anything else happens. `outputs` must
    // have room for max(nargout, 1) values and `inputs` hold nargin values;
    // both must outlive this object.
    ByNameCall(const Arity& arity, int nargout, Value* outputs, int nargin, const Value* inputs);
    ByNameCall(const ByNameCall&) = delete;
    ByNameCall& operator=(const ByNameCall&) = delete;

    int nargout() const { return nargout_; }
    int nargin() const { return nargin_; }
    // A copy of fixed input `position` (1-based), absent when it was not given.
    Value input(int position) const;
    // The given inputs after the fixed ones, as a 1-by-N cell.
    Value varargin() const;
    // The place of output `position` (2 up to the declared count). Every
    // output has one, requested or not; finish() stores only the requested.
    Value* output(int position);

    // Fixed outputs: output 1 always goes to the first slot, even when no
    // output was requested; output n >= 2 only while n <= nargout. The rest
    // are released with this object.
    void finish(Value output1);
    // Variable outputs: spreads the list over the requested slots.
    void finish_varargout(const Value& varargout);
    // No outputs at all.
    void finish() {}

private:
    int fixed_inputs() const;

    Arity arity_;
    int nargout_;
    Value* outputs_;
    int nargin_;
    const Value* inputs_;
    std::vector<Value> places_;  // outputs 2 and up
};

// The part of the frame inside every body. Holding the previous local
// function table here (not in the caller) is what lets a body that raises
// still restore it.
class BodyFrame {
public:
    // `locals` must outlive the body (module tables are static).
    BodyFrame(const char* function, const LocalFunctionTable* locals, int nargout)
        : scope_(locals), function_(function), nargout_(nargout) {}

    int nargout() const { return nargout_; }
    // An output that holds nothing becomes unassigned; a requested output
    // (position <= nargout) that was never assigned is reported. Inline
    // because every call of every body checks every output.
    void check_output(Value& output, int position, const char* name) const {
        if (!output.holds_value()) [[unlikely]] {
            if (output.is_unassigned() && position <= nargout_) report_unassigned_output(function_, name);
            output = Value();
        }
    }

private:
    // Given names rather than the output's or the frame's address, so that
    // both can stay in registers in the body.
    static void report_unassigned_output(const char* function, const char* name);

    LocalTableScope scope_;
    const char* function_;
    int nargout_;
};

// 1 plus the number of output references given: the count a direct call form
// runs its body with.
template <typename... Refs>
constexpr int requested_outputs(Refs*... refs) {
    return 1 + (0 + ... + (refs != nullptr ? 1 : 0));
}

// Hands an output to the caller's reference, or releases it when none.
inline void hand_out(Value* ref, Value&& v) {
    if (ref) *ref = std::move(v);
}

}  // namespace rt
