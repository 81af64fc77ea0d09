#include "app/run_status_line.hpp"

#include <cmath>
#include <cstdio>

#include "runtime/graphics/graphics.hpp"
#include "runtime/main/run_controls.hpp"

namespace sys {

namespace {
constexpr long kStepsBetweenClockReads = 64;
constexpr double kSecondsBetweenTexts = 0.1;
// Box b sits at row floor((b-1)/18)+1, column mod(b-1,18)+1 of the mesh.
constexpr const char* kMeshNote =
    "x: column 1-18 and y: row 1-9 of box = 18 (row - 1) + column\n"
    "z: Q(push left) below, Q(push right) + 1 above";
}  // namespace

std::string run_status_text(const StepReport& at, double steps_per_second) {
    char text[200];
    std::snprintf(text, sizeof text, "Run %d   Trial %.0f   Steps %.0f / 100000   Best %.0f   %.0f steps/s", at.run,
                  at.trial + 1, at.steps, at.best, std::round(steps_per_second));
    return text;
}

void RunStatusLine::run_started(const RunSettings&) {
    attached_ = mesh_named_ = false;
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
        const double cart = rt::gcf().scalar();
        rt::attach_run_controls(cart);
        rt::set_window_caption(cart, "cart");
    }
    if (--steps_to_check_ > 0) return;
    steps_to_check_ = kStepsBetweenClockReads;
    const Clock::time_point now = Clock::now();
    if (std::chrono::duration<double>(now - since_).count() >= kSecondsBetweenTexts) show(r, now);
}

RunCourse RunStatusLine::trial_ended(const TrialReport& r) {
    if (!mesh_named_ && !r.success) {
        // The run has just drawn the table: its window is current.
        mesh_named_ = true;
        const double mesh = rt::gcf().scalar();
        rt::set_window_caption(mesh, "action values");
        rt::set_window_note(mesh, kMeshNote);
    }
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
