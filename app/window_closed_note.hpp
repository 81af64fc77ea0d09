#pragma once
// When a person closes a window during a learning run, the run stops at its
// next use of that window with the runtime's own error ("delete: 6535.5 is
// not a valid handle."), which the switchyard prints. That text says what
// failed, not why; this extension adds one line saying which window was
// closed and the trial the run stopped in.
//
// It watches the run (learning/run_observer.hpp): at a run's start it notes
// the windows then open, and counts the trials as they end. When an error is reported while a run is
// under way (the run was not told to have ended), the noted windows that are
// gone were closed. Nothing is said for an error of another cause.

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "learning/run_observer.hpp"
#include "runtime/main/program_extension.hpp"

namespace sys {

class WindowClosedNote final : public rt::ProgramExtension, public RunObserver {
public:
    // `out` (standard error in the program) must outlive the note.
    explicit WindowClosedNote(std::ostream& out) : out_(out) {}
    ~WindowClosedNote() override;

    void add_options(CLI::App&) override {}
    // Installs the note as a run observer, until ending().
    void started(const rt::ProgramOptions&) override;
    void ending() override;
    void error_reported() override;

    void run_started(const RunSettings&) override;
    bool watches_steps() const override { return false; }
    RunCourse trial_ended(const TrialReport& r) override;
    void run_ended(const TrialReport&, bool) override;

private:
    std::ostream& out_;
    bool watching_ = false;
    bool in_run_ = false;
    double trial_ = 0;                                     // the trial under way: failures so far, plus one
    std::vector<std::pair<double, std::string>> windows_;  // number and "Name" at the run's start
};

}  // namespace sys
