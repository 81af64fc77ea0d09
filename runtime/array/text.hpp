#pragma once
// Text operations on character arrays. A text is a character row; the empty
// text '' is 0-by-0. Texts hold 16-bit character codes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/array/value.hpp"

namespace rt {

bool ischar(const Value& v);
// A whole number prints without a decimal point; otherwise %.Ng with
// N = max(floor(log10|x|) + 5, 5) significant digits; NaN, Inf and -Inf as
// such. A row joins its elements' texts with two blanks; a text is returned
// as it is; a matrix gives one line per row, each column right-aligned to its
// widest entry. The empty matrix gives ''. Cells and structures are refused.
// Neither num2str nor parse_number depends on the C library's locale.
Value num2str(const Value& v);
std::string num2str(double x);
// A whole text as a number: decimal or exponent notation with an optional
// sign, "Inf", "Infinity" and "NaN" in any letter case; nothing for anything
// else (blanks included) or a number beyond the double range.
std::optional<double> parse_number(std::string_view text);
// Joins texts exactly as they are, blanks included; numbers join as
// characters of their codes. Cells are refused.
Value strcat(const std::vector<Value>& parts);
// Letter case of A-Z and the Latin-1 letters; a cell is converted member by
// member; any other value is returned unchanged.
Value lower(const Value& v);
Value upper(const Value& v);
// Exact comparison: true only for two texts of the same size and characters
// (two texts without characters are equal whatever their shape); a non-text
// is never equal to anything. With a cell on either side, a logical array of
// the cell's shape (a single cell is compared with every member of the other).
Value strcmp(const Value& a, const Value& b);
bool strcmp_bool(const Value& a, const Value& b);
// Indices (a column) of the rows or cells of `list` that begin with `text`,
// or that equal it exactly when `exact` is true; for `exact`, trailing blanks
// and NULs of an entry (the padding of a character matrix) are ignored.
Value strmatch(const Value& text, const Value& list, bool exact);
// Element-wise: true for the letters A-Z and a-z and the Latin, Greek and
// Cyrillic letters beyond ASCII; false for every element of a non-text.
Value isletter(const Value& v);
// Splits a file name into folder, base name and extension (with its dot);
// '/' (and the platform's own separator) divide folders. A missing part is ''.
void fileparts(const Value& filename, Value& path, Value& name, Value& ext);
// Joins folder parts with the platform's separator, without doubling it;
// empty parts are skipped.
Value fullfile(const std::vector<Value>& parts);

}  // namespace rt
