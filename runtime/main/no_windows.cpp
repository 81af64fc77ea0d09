// A build without windows: a run must be headless and cannot save pictures.
#include <iostream>

#include "runtime/array/error.hpp"
#include "runtime/main/program_run.hpp"

namespace rt {

int run_windowed(ProgramRun& run) {
    std::cerr << run.program() << ": this build has no windows; run with --headless" << std::endl;
    return 1;
}

bool can_save_figures() { return false; }

void save_pictures(const std::string&) { raise("This build has no windows, so it cannot save figures."); }

std::unique_ptr<HeadlessPace> pace_headless(const ProgramOptions&) { return nullptr; }

}  // namespace rt
