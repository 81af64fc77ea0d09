#pragma once
// Structure fields and cell helpers.

#include "runtime/array/value.hpp"

namespace rt {

// False for anything that is not a structure.
bool isfield(const Value& s, const Value& name);
// Raises "Reference to non-existent field 'NAME'." when missing.
Value getfield(const Value& s, const Value& name);
// On the empty matrix (or an unassigned value) a new 1-by-1 structure with
// that one field; on a structure the field is added at the end or replaced.
// A name that is not a valid field name is refused.
Value setfield(const Value& s, const Value& name, const Value& v);
// A column cell of the field names.
Value fieldnames(const Value& s);

}  // namespace rt
