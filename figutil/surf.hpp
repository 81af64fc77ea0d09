#pragma once
// surf: draws a matrix as a coloured surface in the current axes, prepared
// for a new plot (rt::newplot, which runs first, creating a window and axes
// when none exist). A single input must be a matrix: a scalar, a row or a
// column raises "Input argument must be a matrix not a vector or a scalar"
// (an empty matrix passes on). Two or more inputs go to rt::surface
// unexamined, which gives them their meaning. No input raises "Not enough
// input arguments.". On axes that are not held the view then becomes the
// default three-dimensional one and the grids are switched on (grid "on").
// With one output requested it gives the new surface's handle.

#include <initializer_list>
#include <span>

#include "runtime/array/value.hpp"
#include "runtime/call/function_table.hpp"

namespace sys {

// Direct call forms; an absent value ends the list of inputs.
rt::Value surf(int nargout, std::span<const rt::Value> inputs);
inline rt::Value surf(int nargout, std::initializer_list<rt::Value> inputs) {
    return surf(nargout, std::span<const rt::Value>(inputs.begin(), inputs.size()));
}

// By-name entry: variable inputs, declared outputs 1.
void entry_surf(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

void surf_initialize();
void surf_terminate();

inline constexpr rt::LocalFunctionTable surf_locals{0, nullptr};

}  // namespace sys
