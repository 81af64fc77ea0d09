#pragma once
// Structure fields and cell helpers. Structures are 1-by-1 and keep their
// fields in the order they were added.

#include <string_view>

#include "runtime/array/value.hpp"

namespace rt {

// False for anything that is not a structure, and for a name that is not text.
bool isfield(const Value& s, const Value& name);
// Raises "Reference to non-existent field 'NAME'." when missing.
Value getfield(const Value& s, const Value& name);
// On the empty matrix (or an unassigned value) a new 1-by-1 structure with
// that one field; on a structure the field is added at the end or replaced.
// A name that is not a valid field name is refused: a letter, then letters,
// digits and underscores, at most 63 characters.
Value setfield(const Value& s, const Value& name, const Value& v);
// A column cell of the field names, in their order (0-by-1 for none).
Value fieldnames(const Value& s);

// The field-name rule setfield applies.
bool is_valid_field_name(std::string_view name);

}  // namespace rt
