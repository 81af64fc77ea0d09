#pragma once
// The checks every builtin of the array library makes before its work.

#include "runtime/array/value.hpp"

namespace rt::builtin {

// Outputs first: "Too many output arguments." when nargout > max_out; then
// "Not enough input arguments." / "Too many input arguments." when nargin is
// outside [min_in, max_in] (max_in < 0: no upper limit).
void check_counts(int nargout, int max_out, int nargin, int min_in, int max_in);

// Input i (0-based); raises a message naming the function and the position
// when the input holds nothing (absent or never assigned).
const Value& arg(const Value* inputs, int i, const char* function);

// A size argument: one real, non-NaN number, not a text (a negative size
// counts as 0).
double size_arg(const Value& v, const char* function);

}  // namespace rt::builtin
