#pragma once
// iskeyword: the 17 reserved words that can never be variable or field
// names. Given a value, a single truth value: true when it is exactly one of
// the words (same characters, same letter case). Given nothing, the words
// themselves as a 17-by-1 cell, "break" first and "while" last.

#include "runtime/array/value.hpp"
#include "runtime/call/function_table.hpp"

namespace sys {

// Direct call form; an absent `s` gives the list.
rt::Value iskeyword(rt::Value s = rt::Value::absent());

// By-name entry: declared inputs 1, outputs 1.
void entry_iskeyword(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

void iskeyword_initialize();
void iskeyword_terminate();

inline constexpr rt::LocalFunctionTable iskeyword_locals{0, nullptr};

}  // namespace sys
