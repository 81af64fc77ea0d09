#pragma once
// --run-summary FILE: after each learning run, one CSV row in FILE (with a
// header row first): converged (1 or 0), trials (the failures the titles
// count), best (the longest failed trial, as "Best success" shows it), steps
// (balanced steps of all its trials) and seconds (the run's own time). It is
// how a script, or a sweep's worker, learns a run's outcome without reading
// titles. A run ended by an error writes no row.

#include <fstream>
#include <memory>
#include <string>

#include "runtime/main/program_extension.hpp"

namespace sys {

class RunObserver;

class RunSummaryExtension : public rt::ProgramExtension {
public:
    RunSummaryExtension();
    ~RunSummaryExtension() override;
    void add_options(CLI::App& app) override;
    // Opens (and empties) the file, so a bad path is refused before launch.
    std::string check(const rt::ProgramOptions&) override;
    void started(const rt::ProgramOptions&) override;
    void ending() override;

private:
    std::string path_;
    std::ofstream file_;
    std::unique_ptr<RunObserver> writer_;
};

}  // namespace sys
