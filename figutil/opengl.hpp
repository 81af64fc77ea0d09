#pragma once
// opengl: sets and reports how the graphics runtime may pick its OpenGL
// renderer on its own, a thin translation between mode words and the
// runtime's switch "openglmode" (0 never, 1 advise, 2 autoselect).
//
//   opengl                 the word of the current mode: "NeverSelect",
//                          "Advise" or "AutoSelect" (nothing for another code)
//   opengl(mode)           "neverselect", "advise" or "autoselect", any
//                          letter case, sets the mode and gives nothing
//   opengl("info")         the renderer's description ("getopenglinfo"),
//                          shown by the runtime when no output is requested
//   opengl("data")         the same kind of description ("getopengldata")
//
// Any other mode raises "OpenGL auto mode settings are info, autoselect,
// advise, and neverselect" and leaves the mode as it was. Asking for an
// output from a setting call sets the mode, then warns that "str" was not
// assigned.

#include "figutil/module.hpp"
#include "runtime/array/value.hpp"

namespace sys {

// Direct call form; `nargout` decides whether "info" shows or gives.
rt::Value opengl(int nargout, rt::Value mode = rt::Value::absent());

void entry_opengl(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

void opengl_initialize();
void opengl_terminate();

inline constexpr FunctionDescriptor opengl_functions[] = {{"opengl", entry_opengl, 1, 1, 1}};
inline constexpr ModuleDescriptor opengl_module =
    describe_module<opengl_functions>(opengl_initialize, opengl_terminate);

}  // namespace sys
