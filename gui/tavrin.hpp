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

#include "gui/callbacks.hpp"
#include "runtime/array/value.hpp"
#include "runtime/call/function_table.hpp"

namespace sys {

// Direct call form: the inputs, and the number of outputs wanted; gives
// varargout (a cell).
rt::Value tavrin(int nargout, std::span<const rt::Value> varargin);

// By-name entry: any numbers of inputs and outputs.
void entry_tavrin(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

void tavrin_initialize();
void tavrin_terminate();

}  // namespace sys
