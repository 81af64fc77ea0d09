#pragma once
// guidata: one array value kept with a window, reachable from the window or
// from any object inside it. The value lives in the window's application
// data under "UsedByGUIData_m", always on the window itself, so a store
// through a control and a fetch through the window meet.
//
//   guidata(h)           the value stored with the window of h ([] if none)
//   guidata(h, data_in)  stores data_in with the window of h; gives nothing
//
// Which form runs depends on how many inputs were given, never on their
// values: guidata(h, []) stores an empty matrix. An h that is empty, not a
// handle, more than one handle, or has no window above it (the root) raises
// "H must be the handle to a figure or figure descendent." before anything
// is read or stored.

#include "figutil/module.hpp"
#include "runtime/array/value.hpp"

namespace sys {

// Direct call form. `nargout` is the number of outputs the caller wants, so
// that a store (which refuses to give anything) can be called with 0.
rt::Value guidata(int nargout, rt::Value h, rt::Value data_in = rt::Value::absent());

void entry_guidata(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

void guidata_initialize();
void guidata_terminate();

// The local function getParentFigure (1 input, 1 output), callable by name
// only while guidata's body runs.
void entry_guidata_getParentFigure(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

inline constexpr FunctionDescriptor guidata_functions[] = {
    {"guidata", entry_guidata, 2, 1, 1},
    {"guidata/getParentFigure", entry_guidata_getParentFigure, 1, 1, 99},
};
inline constexpr ModuleDescriptor guidata_module =
    describe_module<guidata_functions>(guidata_initialize, guidata_terminate);

}  // namespace sys
