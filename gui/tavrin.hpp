#pragma once
// tavrin: the main function. Called with no input it opens the control
// window from its layout file "tavrin.fig", colours it like the controls and
// keeps the structure of its tagged handles with it (guidata); output 1, if
// requested, is the window's handle. Called with a text first input it calls
// that function by name (normally one of its callbacks, callbacks.hpp) with
// the other inputs and returns its outputs; an error of that call is printed
// on the console instead of passed on. Any other first input does nothing.
//
// Its module holds the constants of the main function, of its callbacks and
// of the learning run, created by one initialiser and released in reverse by
// one terminator.

#include <span>

#include "figutil/module.hpp"
#include "gui/callbacks.hpp"
#include "runtime/array/value.hpp"

namespace sys {

// Direct call form: the inputs, and the number of outputs wanted; gives
// varargout (a cell).
rt::Value tavrin(int nargout, std::span<const rt::Value> varargin);

void entry_tavrin(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

void tavrin_initialize();
void tavrin_terminate();

// tavrin and its callbacks, all with variable counts and so no arity messages.
inline constexpr FunctionDescriptor tavrin_functions[] = {
    {"tavrin", entry_tavrin, -1, -1, 1},
    {"tavrin/alpha_sl_Callback", entry_alpha_sl_Callback, -4, -1, 1},
    {"tavrin/beta_sl_Callback", entry_beta_sl_Callback, -4, -1, 1},
    {"tavrin/gamma_sl_Callback", entry_gamma_sl_Callback, -4, -1, 1},
    {"tavrin/reinf_sl_Callback", entry_reinf_sl_Callback, -4, -1, 1},
    {"tavrin/pushbutton2_Callback", entry_pushbutton2_Callback, -4, -1, 1},
    {"tavrin/figure1_ResizeFcn", entry_figure1_ResizeFcn, -4, -1, 1},
    {"tavrin/pushbutton1_Callback", entry_pushbutton1_Callback, -4, -1, 1},
};
inline constexpr ModuleDescriptor tavrin_module =
    describe_module<tavrin_functions>(tavrin_initialize, tavrin_terminate);

}  // namespace sys
