#include "runtime/call/globals.hpp"

#include <algorithm>
#include <string>

#include "runtime/array/error.hpp"

namespace rt {

namespace {
const GlobalEntry* global_entries = nullptr;
int global_count = 0;
}  // namespace

Value& init_global(Value& slot) { return slot; }

void undefined_global(const char* name) { raise(std::string("Undefined function or variable '") + name + "'."); }

void set_global_table(const GlobalEntry* entries, int count) {
    global_entries = entries;
    global_count = entries ? std::max(count, 0) : 0;
}

Value& global_slot(std::string_view name) {
    for (int i = 0; i < global_count; ++i)
        if (global_entries[i].name && name == global_entries[i].name && global_entries[i].slot)
            return *global_entries[i].slot;
    raise("There is no global variable named '" + std::string(name) + "'.");
}

}  // namespace rt
