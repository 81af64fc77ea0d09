#pragma once
// The program's own options and duties around its runs, handed to
// rt::run_main (runtime/main/program_extension.hpp). Each lives in a file of
// its own and is listed once in program_extensions.cpp.

#include "runtime/main/program_extension.hpp"

namespace sys {

// The extensions of the tavrin program, alive for the whole process.
const rt::ProgramExtensions& program_extensions();

}  // namespace sys
