#pragma once
// Starting and ending the system described by a main information record:
// its tables become the ones names resolve in, and its modules' constants are
// created before, and released after, anything of the system runs.

#include "runtime/call/function_table.hpp"

namespace rt {

// Installs the record's function table and global table, then runs the
// initialisers of its initialise/terminate list in list order. The record
// must stay alive until end_program.
void start_program(const MainInformation& info);
// Runs the terminators, the last initialised first, and uninstalls the
// tables. Every terminator runs even when one of them raises; the first
// error is raised afterwards.
void end_program(const MainInformation& info);

}  // namespace rt
