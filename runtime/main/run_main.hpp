#pragma once
// rt::run_main: the whole life of a program built on the runtime.
//
//  1. Reads the runtime's command line (command_line.hpp): a bad option gives
//     status 2 with a usage line on standard error, --help status 0.
//  2. Installs the record's tables and runs its initialisers in list order.
//  3. Launches: calls `main_entry` by name with no inputs and no outputs.
//  4. Runs --set, --click and --eval in command-line order.
//  5. Ends: headless, right after the actions; with windows, when the last
//     one closes. Without --headless the program needs a display (and a
//     build with windows): otherwise it says so in one line, status 1.
//  6. Runs the terminators, the last initialised first.
//
// The status is 0, or 1 when the launch, an action or a terminator raised
// (its text is printed on standard error; later actions still run after a
// failed one, none after a failed launch), when an action's callback caught
// and printed an error itself (a line on standard error names the action),
// or when standard output could not be written; or kTimeLimitStatus (3) when
// --max-seconds ran out (time_limit.hpp): every window was asked to close,
// the actions not yet begun are skipped, and a line on standard error says
// so.

#include "runtime/call/function_table.hpp"
#include "runtime/main/program_extension.hpp"

namespace rt {

// `info` must stay alive until run_main returns. `format` is the record
// format the caller was built for; 1 is the only one there is. The
// extensions (program_extension.hpp) add options and duties of the program's
// own.
int run_main(int argc, char** argv, ByNameEntry main_entry, int format, const MainInformation* info,
             const ProgramExtensions& extensions = {});

}  // namespace rt
