#pragma once
// The tables through which the runtime finds the system's functions by name:
// the function table, the local function tables, the global variable table
// and the initialise/terminate list, gathered in the main information record
// that the process entry hands to rt::run_main. All of it is plain, static,
// read-only data.

#include <cstdint>

#include "runtime/array/value.hpp"

namespace rt {

// A function's by-name entry. `outputs` has room for max(nargout, 1) values:
// output 1 is stored in outputs[0] even when no output was requested.
// `inputs` holds the nargin given inputs; an input may be absent.
using ByNameEntry = void (*)(int nargout, Value* outputs, int nargin, const Value* inputs);

struct FunctionEntry;

struct LocalFunctionTable {
    std::int32_t count;
    const FunctionEntry* entries;
};

// Declared counts: k >= 0 means at most k; -k means k-1 fixed positions and
// then a variable-length list (so -1 is "all variable").
struct FunctionEntry {
    const char* name;
    ByNameEntry entry;
    std::int32_t declared_inputs;
    std::int32_t declared_outputs;
    LocalFunctionTable locals;  // always empty in a local entry
};

// A global variable: its name and its slot. The slot holds an absent value
// until the first assignment.
struct GlobalEntry {
    const char* name;
    Value* slot;
};

struct InitTermEntry {
    void (*initialize)();
    void (*terminate)();
};

struct MainInformation {
    std::int32_t format;  // 1
    std::int32_t function_count;
    const FunctionEntry* functions;
    std::int32_t global_count;
    const GlobalEntry* globals;
    std::int32_t further_count;  // always 0
    const void* further;         // always null
    std::int32_t init_term_count;
    const InitTermEntry* init_term;
};

}  // namespace rt
