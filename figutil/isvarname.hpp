#pragma once
// isvarname: whether a value can serve as a variable (and field) name: a
// one-row text of 1 to 31 characters that starts with a letter, holds only
// letters, the ASCII digits and underscores, and is not a reserved word
// (iskeyword, compared with letter case). Always one truth value, never an
// error for any value: a number, a cell, a text of several rows or none
// gives false.

#include "figutil/module.hpp"
#include "runtime/array/value.hpp"

namespace sys {

// Direct call form.
rt::Value isvarname(rt::Value s);

void entry_isvarname(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

void isvarname_initialize();
void isvarname_terminate();

inline constexpr FunctionDescriptor isvarname_functions[] = {{"isvarname", entry_isvarname, 1, 1, 1}};
inline constexpr ModuleDescriptor isvarname_module =
    describe_module<isvarname_functions>(isvarname_initialize, isvarname_terminate);

}  // namespace sys
