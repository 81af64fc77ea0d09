#pragma once
// Global variables. Each lives in a slot of the main information record's
// global table; a slot holds an absent value until it is first assigned.

#include <string_view>

#include "runtime/array/value.hpp"
#include "runtime/call/function_table.hpp"

namespace rt {

// The place to assign a global into (the slot itself).
Value& init_global(Value& slot);
// The value of a global; raises "Undefined function or variable 'NAME'." when
// it was never assigned. Inline: a learning step reads three of them.
[[noreturn]] void undefined_global(const char* name);
inline const Value& global_value(const Value& slot, const char* name) {
    if (!slot.holds_value()) [[unlikely]]
        undefined_global(name);
    return slot;
}

// The global table of the running program (rt::start_program installs the
// main information record's). The entries and their slots must stay alive
// while installed; null uninstalls.
void set_global_table(const GlobalEntry* entries, int count);
// The slot of a declared global, so that code below the main information
// record can reach it; raises for a name the table does not declare.
Value& global_slot(std::string_view name);

}  // namespace rt
