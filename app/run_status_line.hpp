#pragma once
// The status line under the cart window's run controls: run number, trial,
// steps of the current trial out of 100000, best so far, and steps per
// second. It also puts the run controls on the cart window when a run
// starts (the window current at the run's first step), and names the run's
// windows in their title bars: "Figure 2: cart" and, at the first failure
// (when the mesh window is current), "Figure 3: action values" with a note
// on how its axes read.
//
// The text is rewritten at most ten times a second and at every trial's
// end, so a step costs a counter and, now and then, a clock read.

#include <chrono>
#include <string>

#include "learning/run_observer.hpp"

namespace sys {

// What the status line says, from a step and the measured rate.
std::string run_status_text(const StepReport& at, double steps_per_second);

class RunStatusLine final : public RunObserver {
public:
    using Clock = std::chrono::steady_clock;

    void run_started(const RunSettings&) override;
    void step(const StepReport& r) override;
    RunCourse trial_ended(const TrialReport& r) override;

    // The last text shown.
    const std::string& text() const noexcept { return text_; }

private:
    void show(const StepReport& r, Clock::time_point now);

    bool attached_ = false, mesh_named_ = false;
    long steps_since_ = 0;     // steps since the rate was last measured
    long steps_to_check_ = 0;  // steps left before the next clock read
    Clock::time_point since_{};
    double rate_ = 0;
    StepReport last_{};
    std::string text_;
};

}  // namespace sys
