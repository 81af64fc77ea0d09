#include "gui/callbacks.hpp"

#include "gui/tavrin.hpp"
#include "gui/tavrin_constants.hpp"
#include "learning/learning_run.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/graphics/graphics.hpp"

namespace sys {

namespace {

const rt::Value& K(TavrinConstant c) { return tavrin_constant(c); }

// The three fixed inputs of every callback. The control's handle and the
// event data are taken like any input, though no callback reads them.
struct CallbackInputs {
    rt::Value object, event_data, handles, varargin;

    const rt::Value& handles_or_error() const { return rt::require_input(handles, "handles"); }
};

// The frame every callback runs in: tavrin's local functions stay reachable
// by name while it runs, and it gives no outputs.
template <rt::ByNameEntry Entry, typename Statements>
void run_callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs, Statements&& statements) {
    constexpr std::size_t function = tavrin_module.index_of(Entry);
    static_assert(function < std::size(tavrin_functions), "a callback listed in tavrin_functions");
    rt::ByNameCall call(tavrin_arity(function), nargout, outputs, nargin, inputs);
    rt::Value varargout;
    {
        rt::BodyFrame frame(tavrin_functions[function].name, &tavrin_module.locals, call.nargout());
        const CallbackInputs in{call.input(1), call.input(2), call.input(3), call.varargin()};
        statements(in);
    }
    call.finish_varargout(varargout);
}

// Shows the slider's value in its text field.
void show_slider_value(const CallbackInputs& in, const char* slider, const char* text_field) {
    const rt::Value& handles = in.handles_or_error();
    const rt::Value value = rt::get(handles.field(slider), K(kValueProperty));
    const rt::Value text = rt::num2str(value);
    const rt::Value pair[] = {K(kStringProperty), text};
    rt::set(handles.field(text_field), pair);
}

}  // namespace

void entry_alpha_sl_Callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    run_callback<entry_alpha_sl_Callback>(nargout, outputs, nargin, inputs,
                                          [](const CallbackInputs& in) { show_slider_value(in, "alpha_sl", "alpha"); });
}

void entry_beta_sl_Callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    run_callback<entry_beta_sl_Callback>(nargout, outputs, nargin, inputs,
                                         [](const CallbackInputs& in) { show_slider_value(in, "beta_sl", "beta"); });
}

void entry_gamma_sl_Callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    run_callback<entry_gamma_sl_Callback>(nargout, outputs, nargin, inputs,
                                          [](const CallbackInputs& in) { show_slider_value(in, "gamma_sl", "gamma"); });
}

void entry_reinf_sl_Callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    run_callback<entry_reinf_sl_Callback>(nargout, outputs, nargin, inputs,
                                          [](const CallbackInputs& in) { show_slider_value(in, "reinf_sl", "reinf"); });
}

void entry_pushbutton2_Callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    run_callback<entry_pushbutton2_Callback>(nargout, outputs, nargin, inputs, [](const CallbackInputs& in) {
        rt::delete_(in.handles_or_error().field("figure1"));
    });
}

void entry_figure1_ResizeFcn(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    run_callback<entry_figure1_ResizeFcn>(nargout, outputs, nargin, inputs,
                                          [](const CallbackInputs&) { rt::disp(K(kResizeMessage)); });
}

void entry_pushbutton1_Callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    run_callback<entry_pushbutton1_Callback>(nargout, outputs, nargin, inputs, [](const CallbackInputs& in) {
        learning_run(tavrin_run_constants(), in.handles_or_error());
    });
}

}  // namespace sys
