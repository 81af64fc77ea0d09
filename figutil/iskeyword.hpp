#pragma once
// iskeyword: the 17 reserved words that can never be variable or field
// names. Given a value, a single truth value: true when it is exactly one of
// the words (same characters, same letter case). Given nothing, the words
// themselves as a 17-by-1 cell, "break" first and "while" last.

#include "figutil/module.hpp"
#include "runtime/array/value.hpp"

namespace sys {

// Direct call form; an absent `s` gives the list.
rt::Value iskeyword(rt::Value s = rt::Value::absent());

void entry_iskeyword(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

void iskeyword_initialize();
void iskeyword_terminate();

inline constexpr FunctionDescriptor iskeyword_functions[] = {{"iskeyword", entry_iskeyword, 1, 1, 1}};
inline constexpr ModuleDescriptor iskeyword_module =
    describe_module<iskeyword_functions>(iskeyword_initialize, iskeyword_terminate);

}  // namespace sys
