#pragma once
// The steps of one run of the program (run_main.hpp), shared by its two
// runners: the headless one (run_main.cpp) and the one with windows
// (windowed_run.cpp; no_windows.cpp stands in for it in a build without
// windows). run_main chooses the runner once, by --headless; each runner
// takes the steps in order and adds what its screen needs between them.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "runtime/call/function_table.hpp"
#include "runtime/main/command_line.hpp"
#include "runtime/main/program_extension.hpp"
#include "runtime/main/time_limit.hpp"

namespace rt {

// Runs `body`; on an error prints its text on standard error and gives false.
bool reported(const std::function<void()>& body);

class ProgramRun {
public:
    // `argv0` is the program's argv[0] (may be null); everything given must
    // outlive the run.
    ProgramRun(const ProgramOptions& options, const char* argv0, ByNameEntry main_entry, const MainInformation& info,
               const ProgramExtensions& extensions);

    const ProgramOptions& options() const noexcept { return options_; }
    // The program's name, as the first word of its messages.
    const std::string& program() const noexcept { return program_; }

    // Starts the clock of --max-seconds over the window backend installed
    // now; null when no limit was asked for.
    TimeLimit* limit_time();
    TimeLimit* limit() const noexcept { return limit_.get(); }
    bool time_is_up() const { return limit_ && limit_->ran_out(); }

    // Installs the program's tables, starts the extensions and calls the
    // main entry: false, and status 1, when any of that raised.
    bool launch();
    // --set, --click and --eval in command-line order, then the extensions'
    // own status.
    void run_actions();
    // Runs `body`; an error is printed and makes the status 1.
    void attempt(const std::function<void()>& body);
    // Delivers the queued callbacks; an error a callback caught and printed
    // is told to the extensions.
    void deliver_callbacks();
    // The end of every run: the time limit's notice, the extensions' ending,
    // the terminators; then the limit is dropped.
    void end();
    // The status, once standard output has been written out.
    int finish();

private:
    // A guarded region printed an error and went on since `errors_before`:
    // tells the extensions, and gives whether it happened.
    bool error_reported_since(std::uint64_t errors_before);

    const ProgramOptions& options_;
    const char* argv0_;
    std::string program_;
    ByNameEntry main_entry_;
    const MainInformation& info_;
    const ProgramExtensions& extensions_;
    std::unique_ptr<TimeLimit> limit_;
    int status_ = 0;
};

int run_headless(ProgramRun& run);
// With a display, until the last window closes; without one (or in a build
// without windows), one line on standard error and status 1.
int run_windowed(ProgramRun& run);

// ---- what the windows lend a headless run (windowed_run.cpp, or
// no_windows.cpp in a build without them) ----

// Whether the build can paint the pictures of --save-figures.
bool can_save_figures();
// Paints every window and chart into `folder`.
void save_pictures(const std::string& folder);

// While it lives, pause() goes at the pace --pace or --speed asked of a
// headless run.
class HeadlessPace {
public:
    virtual ~HeadlessPace() = default;
};
// Null when the run is to go as fast as it can.
std::unique_ptr<HeadlessPace> pace_headless(const ProgramOptions& options);

}  // namespace rt
