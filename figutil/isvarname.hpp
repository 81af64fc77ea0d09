#pragma once
// isvarname: whether a value can serve as a variable (and field) name: a
// one-row text of 1 to 31 characters that starts with a letter, holds only
// letters, the ASCII digits and underscores, and is not a reserved word
// (iskeyword, compared with letter case). Always one truth value, never an
// error for any value: a number, a cell, a text of several rows or none
// gives false.

#include "runtime/array/value.hpp"
#include "runtime/call/function_table.hpp"

namespace sys {

// Direct call form.
rt::Value isvarname(rt::Value s);

// By-name entry: declared inputs 1, outputs 1.
void entry_isvarname(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

void isvarname_initialize();
void isvarname_terminate();

inline constexpr rt::LocalFunctionTable isvarname_locals{0, nullptr};

}  // namespace sys
