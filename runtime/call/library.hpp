#pragma once
// The array library's own functions callable by name (rt::feval, callbacks,
// --eval). Each entry has the by-name shape of rt::ByNameEntry and checks its
// counts before anything else, outputs first: "Too many output arguments.",
// then "Not enough input arguments." / "Too many input arguments."; then the
// classes of its inputs, with a message naming the function.

#include "runtime/array/value.hpp"

namespace rt {

// Registers (and removes) every entry below under its function's name. The
// first and the last pair of the initialise/terminate list.
void array_library_initialize();
void array_library_terminate();

#define RT_BUILTIN(name) void entry_##name(int nargout, Value* outputs, int nargin, const Value* inputs);
// Queries of class and shape.
RT_BUILTIN(ischar)
RT_BUILTIN(isstr)
RT_BUILTIN(isnumeric)
RT_BUILTIN(isempty)
RT_BUILTIN(numel)
RT_BUILTIN(length)
RT_BUILTIN(size)
RT_BUILTIN(class)
RT_BUILTIN(isequal)
// Numbers.
RT_BUILTIN(zeros)
RT_BUILTIN(ones)
RT_BUILTIN(rand)
RT_BUILTIN(min)
RT_BUILTIN(max)
RT_BUILTIN(abs)
RT_BUILTIN(plus)
RT_BUILTIN(minus)
RT_BUILTIN(mtimes)
RT_BUILTIN(mrdivide)
// Text and the console.
RT_BUILTIN(num2str)
RT_BUILTIN(disp)
RT_BUILTIN(strcat)
RT_BUILTIN(strcmp)
RT_BUILTIN(lower)
RT_BUILTIN(upper)
// Structures.
RT_BUILTIN(getfield)
RT_BUILTIN(setfield)
RT_BUILTIN(isfield)
RT_BUILTIN(fieldnames)
// Errors.
RT_BUILTIN(lasterr)
RT_BUILTIN(error)
#undef RT_BUILTIN

}  // namespace rt
