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

#include "figutil/module.hpp"
#include "runtime/array/value.hpp"

namespace sys {

// Direct call forms; an absent value ends the list of inputs.
rt::Value surf(int nargout, std::span<const rt::Value> inputs);
inline rt::Value surf(int nargout, std::initializer_list<rt::Value> inputs) {
    return surf(nargout, std::span<const rt::Value>(inputs.begin(), inputs.size()));
}

void entry_surf(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

void surf_initialize();
void surf_terminate();

inline constexpr FunctionDescriptor surf_functions[] = {{"surf", entry_surf, -1, 1, 1}};
inline constexpr ModuleDescriptor surf_module = describe_module<surf_functions>(surf_initialize, surf_terminate);

}  // namespace sys
