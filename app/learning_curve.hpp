#pragma once
// The learning-curve window: steps balanced per trial against the trial's
// number on a logarithmic axis up to the success line at 100000, with the
// run's best so far. Earlier runs of the process stay on it in grey,
// labelled with their settings, so settings can be compared. It is a chart
// beside the object tree (runtime/main/charts.hpp), named "learning-curve".

#include <string>

#include "learning/run_observer.hpp"
#include "runtime/render/chart.hpp"

namespace sys {

inline constexpr const char* kLearningCurve = "learning-curve";

// An earlier run's label: "run 1: ALPHA 0.3, BETA 0, GAMMA 0.95, reinf -1".
std::string run_label(const RunSettings& s, double reinf);

class LearningCurve final : public RunObserver {
public:
    LearningCurve();
    void run_started(const RunSettings& s) override;
    RunCourse trial_ended(const TrialReport& r) override;

    const rt::Chart& chart() const noexcept { return chart_; }

private:
    rt::Chart& chart_;
    RunSettings settings_;
    double reinf_ = 0;
    bool running_ = false;
};

}  // namespace sys
