#pragma once
// Layout files: one window's object tree as JSON,
//
//   {"type": "figure", "Tag": "figure1", "Position": [100 100 400 300],
//    "children": [{"type": "uicontrol", "Style": "slider", "Value": 0.5}]}
//
// Each object is a JSON object with "type", optional "children" (an array of
// objects) and property name/value pairs as rt::set takes them: numbers,
// arrays of numbers (an array of arrays is a matrix, one inner array per
// row), texts, arrays of texts (a cell), true/false (1/0) and null ([]).
//
// A bare file name is looked for in the working folder, then in the resource
// folders. Any failure raises one rt::Error naming the file and the place:
//   "tavrin.fig: line 12, column 5: syntax error ..."
//   "tavrin.fig: /children/3: There is no 'Valu' property on the uicontrol object."
// and leaves no object of the failed load behind. The loaded window is not
// made current (it is current only when no other window is open).

#include <string>
#include <string_view>
#include <vector>

#include "runtime/array/value.hpp"

namespace rt {

// Gives the handle of the window loaded from `filename`.
Value load_layout(const Value& filename);
double load_layout(std::string_view filename);
// The folders searched after the working folder (the program passes the
// executable's folder).
void set_resource_folders(std::vector<std::string> folders);

}  // namespace rt
