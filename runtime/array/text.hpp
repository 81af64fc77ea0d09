#pragma once
// Text operations on character arrays.

#include <string>
#include <vector>

#include "runtime/array/value.hpp"

namespace rt {

bool ischar(const Value& v);
// A whole number prints without a decimal point; otherwise %.Ng with
// N = max(floor(log10|x|) + 5, 5) significant digits; NaN, Inf and -Inf as
// such. A row joins its elements' texts with two blanks; a text is returned
// as it is; a matrix gives one line per row.
Value num2str(const Value& v);
std::string num2str(double x);
// Joins texts exactly as they are, blanks included; numbers join as
// characters of their codes.
Value strcat(const std::vector<Value>& parts);
Value lower(const Value& v);
Value upper(const Value& v);
// Exact comparison: true only for two texts of the same size and characters.
// With a cell on either side, a logical array of the cell's shape.
Value strcmp(const Value& a, const Value& b);
bool strcmp_bool(const Value& a, const Value& b);
// Indices (a column) of the rows or cells of `list` that begin with `text`,
// or that equal it exactly when `exact` is true.
Value strmatch(const Value& text, const Value& list, bool exact);
// Element-wise: true for the letters A-Z and a-z (and letters beyond ASCII).
Value isletter(const Value& v);
// Splits a file name into folder, base name and extension (with its dot).
void fileparts(const Value& filename, Value& path, Value& name, Value& ext);
// Joins folder parts with the platform's separator, without doubling it.
Value fullfile(const std::vector<Value>& parts);

}  // namespace rt
