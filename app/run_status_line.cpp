#include "app/run_status_line.hpp"

#include <cmath>
#include <cstdio>

#include "runtime/graphics/graphics.hpp"
#include "runtime/main/run_controls.hpp"

namespace sys {

namespace {
constexpr long kStepsBetweenClockReads = 64;
constexpr double kSecondsBetweenTexts = 0.1;
}  // namespace

std::string run_status_text(const StepReport& at, double steps_per_second) {
    char text[200];
    std::snprintf(text, sizeof text, "Run %d   Trial %.0f   Steps %.0f / 100000   Best %.0f   %.0f steps/s", at.run,
                  at.trial + 1, at.steps, at.best, std::round(steps_per_second));
    return text;
}

void RunStatusLine::run_started(const RunSettings&) {
    attached_ = false;
    steps_since_ = 0;
    steps_to_check_ = 0;
    rate_ = 0;
    since_ = Clock::now();
}

void RunStatusLine::step(const StepReport& r) {
    last_ = r;
    ++steps_since_;
    if (!attached_) {
        // The run draws its cart window first and makes it current at
        // every step.
        attached_ = true;
        rt::attach_run_controls(rt::gcf().scalar());
    }
    if (--steps_to_check_ > 0) return;
    steps_to_check_ = kStepsBetweenClockReads;
    const Clock::time_point now = Clock::now();
    if (std::chrono::duration<double>(now - since_).count() >= kSecondsBetweenTexts) show(r, now);
}

RunCourse RunStatusLine::trial_ended(const TrialReport& r) {
    StepReport at = last_;
    at.trial = r.success ? r.trial - 1 : r.trial;
    at.steps = r.success ? r.steps : 0;
    at.best = r.best;
    show(at, Clock::now());
    return RunCourse::go_on;
}

void RunStatusLine::show(const StepReport& r, Clock::time_point now) {
    const double seconds = std::chrono::duration<double>(now - since_).count();
    if (seconds >= kSecondsBetweenTexts) {
        rate_ = static_cast<double>(steps_since_) / seconds;
        steps_since_ = 0;
        since_ = now;
    }
    text_ = run_status_text(r, rate_);
    rt::show_run_status(text_);
}

}  // namespace sys
