#pragma once
// openfig: opens a window from a layout file and keeps a registry of the
// windows opened from each file, so a caller can ask for a fresh copy
// ("new", the default) or for the newest one still open ("reuse", loading
// one only when none is open). Policies are matched exactly, letter case
// included.
//
// The registry is the root's application data: under the token (the file's
// base name followed by "_SINGLETON_handle", cut to 31 characters) a row of
// the windows opened from that file, oldest first. Windows closed since are
// dropped by the next call for the same token. Files with the same base name
// in different folders, or base names agreeing in their first 14
// characters, share one entry.
//
// The file name may carry a folder and may leave out ".fig"; any other
// extension (".FIG" included) raises "Argument must be a .fig file" before
// the registry is read. A bad policy raises "Second input argument must be
// 'new' or 'reuse'." and loads nothing. A load failure passes the loader's
// error through and leaves the registry as it was.
//
// The window chosen is moved on screen (movegui "onscreen") whether visible
// or not; a visible one is then made current and brought to the front.

#include "figutil/module.hpp"
#include "runtime/array/value.hpp"

namespace sys {

// Direct call form; an absent `policy` is "new".
rt::Value openfig(rt::Value filename, rt::Value policy = rt::Value::absent());

void entry_openfig(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

void openfig_initialize();
void openfig_terminate();

inline constexpr FunctionDescriptor openfig_functions[] = {{"openfig", entry_openfig, 2, 1, 1}};
inline constexpr ModuleDescriptor openfig_module =
    describe_module<openfig_functions>(openfig_initialize, openfig_terminate);

}  // namespace sys
