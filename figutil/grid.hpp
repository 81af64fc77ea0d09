#pragma once
// grid: switches the X, Y and Z grid lines of one axes together.
//
//   grid               toggles each grid of the current axes on its own
//   grid(opt)          "on" or "off" (any letter case) on the current axes
//   grid(ax)           toggles the grids of axes ax
//   grid(ax, opt)      sets the grids of axes ax
//
// Errors, all raised before any grid changes: a text option followed by a
// second input, or a first input that is not one handle of axes, "First
// argument must be an axes handle."; more than one non-text element, "Axes
// handle must be a scalar"; an empty or unknown option, "Unknown command
// option.". The current axes (and a window) are created when none exist and
// none is named.

#include "figutil/module.hpp"
#include "runtime/array/value.hpp"

namespace sys {

// Direct call form; absent values stand for inputs not given.
void grid(rt::Value arg1 = rt::Value::absent(), rt::Value arg2 = rt::Value::absent());

void entry_grid(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

void grid_initialize();
void grid_terminate();

inline constexpr FunctionDescriptor grid_functions[] = {{"grid", entry_grid, 2, 0, 1}};
inline constexpr ModuleDescriptor grid_module = describe_module<grid_functions>(grid_initialize, grid_terminate);

}  // namespace sys
