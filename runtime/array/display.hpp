#pragma once
// The one-line display format used by print_array, disp of non-text values
// and --eval:
//   ALPHA = 0.5       t = 1 (logical)      str = 'AutoSelect'
//   v = [1 2 3]       m = [1 2; 3 4]       L = {'break'; 'case'}
//   e = []            s = struct with fields: a, b
// Numbers inside use num2str's rule for one number. A text's own quotes are
// doubled ('it''s'); a text of several rows shows as ['ab'; 'cd']; the empty
// text is ''; any empty numeric value is []; an empty cell is {}; a structure
// without fields is "struct with no fields"; a value that holds nothing is
// <unassigned>. Members of a cell display by the same rules.

#include <string>
#include <string_view>

#include "runtime/array/value.hpp"

namespace rt {

// The right-hand side of the display: "0.5", "'text'", "[1 2; 3 4]", ...
std::string display_text(const Value& v);
// "name = " followed by display_text(v).
std::string display_line(std::string_view name, const Value& v);

}  // namespace rt
