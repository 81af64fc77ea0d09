#pragma once
// Global variables. Each lives in a slot of the main information record's
// global table; a slot holds an absent value until it is first assigned.

#include "runtime/array/value.hpp"

namespace rt {

// The place to assign a global into (the slot itself).
Value& init_global(Value& slot);
// The value of a global; raises "Undefined function or variable 'NAME'." when
// it was never assigned.
const Value& global_value(const Value& slot, const char* name);

}  // namespace rt
