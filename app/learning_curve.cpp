#include "app/learning_curve.hpp"

#include <array>

#include "app/trials_csv.hpp"
#include "runtime/main/charts.hpp"

namespace sys {

namespace {

constexpr double kSuccessSteps = 100000;
constexpr std::array<double, 3> kThisRun{0, 0.447, 0.741}, kBest{0.85, 0.325, 0.098}, kEarlier{0.72, 0.72, 0.72};

rt::Chart& curve_chart() { return rt::chart(kLearningCurve, {"Learning curve", {460, 470, 420, 360}}); }

}  // namespace

std::string run_label(const RunSettings& s, double reinf) {
    return "run " + std::to_string(s.run) + ": ALPHA " + csv_number(s.alpha) + ", BETA " + csv_number(s.beta) +
           ", GAMMA " + csv_number(s.gamma) + ", reinf " + csv_number(reinf);
}

LearningCurve::LearningCurve() : chart_(curve_chart()) {
    chart_.title = "Steps balanced per trial";
    chart_.x_label = "trial";
    chart_.y_label = "steps";
    chart_.log_y = true;
    chart_.y_min = 1;
    chart_.y_max = 2 * kSuccessSteps;
    chart_.marks = {{kSuccessSteps, "success: 100000 steps"}};
}

void LearningCurve::run_started(const RunSettings& s) {
    // The run before goes grey under its settings; its best line goes.
    if (running_ && chart_.lines.size() >= 2) {
        chart_.lines.pop_back();
        rt::ChartLine& earlier = chart_.lines.back();
        earlier.color = kEarlier;
        earlier.label = run_label(settings_, reinf_);
    }
    settings_ = s;
    reinf_ = 0;
    running_ = true;
    rt::ChartLine steps;
    steps.color = kThisRun;
    steps.label = "run " + std::to_string(s.run) + ": steps per trial";
    rt::ChartLine best;
    best.color = kBest;
    best.dashed = true;
    best.stepped = true;
    best.label = "best so far";
    chart_.lines.push_back(std::move(steps));
    chart_.lines.push_back(std::move(best));
    rt::chart_changed(kLearningCurve, true);
}

RunCourse LearningCurve::trial_ended(const TrialReport& r) {
    if (!running_ || chart_.lines.size() < 2) return RunCourse::go_on;
    if (!r.success) reinf_ = r.reinf;
    rt::ChartLine& steps = chart_.lines[chart_.lines.size() - 2];
    rt::ChartLine& best = chart_.lines.back();
    steps.x.push_back(r.trial);
    steps.y.push_back(r.steps);
    best.x.push_back(r.trial);
    best.y.push_back(r.best);
    rt::chart_changed(kLearningCurve);
    return RunCourse::go_on;
}

}  // namespace sys
