#pragma once
// guihandles: the structure `handles` that names the tagged objects of one
// window by their tags, so callbacks reach controls by name.
//
// One field per distinct tag, in the order the tags are first met in the
// window's object list (rt::findall: the window, then everything beneath it,
// hidden objects included). A field holds a row of every handle with that
// tag, the first met leftmost. Tags that are empty or fail isvarname are
// skipped silently; tags differing only in letter case are different fields.
// When no object qualifies the result is [], not a structure. It is a
// snapshot: later changes to the window need another call.
//
// guihandles(h) works from the window holding h; guihandles() from the
// current window (rt::gcf). An h that is empty, not one handle, or outside
// any window raises "H must be the handle to a figure or figure descendent.".

#include "figutil/module.hpp"
#include "runtime/array/value.hpp"

namespace sys {

// Direct call form; an absent `h` means the current window.
rt::Value guihandles(rt::Value h = rt::Value::absent());

void entry_guihandles(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

void guihandles_initialize();
void guihandles_terminate();

// Local functions, callable by name only while guihandles' body runs.
void entry_guihandles_getParentFigure(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);
void entry_guihandles_createHandles(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

inline constexpr FunctionDescriptor guihandles_functions[] = {
    {"guihandles", entry_guihandles, 1, 1, 1},
    {"guihandles/getParentFigure", entry_guihandles_getParentFigure, 1, 1, 78},
    {"guihandles/createHandles", entry_guihandles_createHandles, 1, 1, 86},
};
inline constexpr ModuleDescriptor guihandles_module =
    describe_module<guihandles_functions>(guihandles_initialize, guihandles_terminate);

}  // namespace sys
