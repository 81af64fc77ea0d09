#pragma once
// The main information record the process entry hands to rt::run_main: the
// function table (the system's functions callable by name, in table order,
// with their declared counts and local function tables), the global table
// ("ALPHA", "BETA", "GAMMA", each slot absent until first assigned) and the
// initialise/terminate list (the two runtime libraries, then every module in
// function-table order). The function table and the initialise/terminate
// list are built from the modules' descriptors (figutil/module.hpp). All of
// it is static and read-only; the slots are the only thing that changes, and
// only through rt::global_slot.

#include "runtime/call/function_table.hpp"

namespace sys {

extern const rt::FunctionEntry* const function_table;
extern const int function_count;
extern const rt::GlobalEntry global_table[];
extern const int global_count;
extern const rt::InitTermEntry* const init_term_list;
extern const int init_term_count;

extern const rt::MainInformation main_information;

}  // namespace sys
