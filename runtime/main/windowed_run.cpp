// A run with windows, and what the windows lend a headless run: the pace of
// its pauses and the pictures of --save-figures.
#include <iostream>
#include <memory>
#include <optional>

#include "runtime/graphics/graphics.hpp"
#include "runtime/main/charts.hpp"
#include "runtime/main/program_run.hpp"
#include "runtime/window/display_check.hpp"
#include "runtime/window/figure_export.hpp"
#include "runtime/window/paced_pause.hpp"
#include "runtime/window/run_pace.hpp"
#include "runtime/window/window_session.hpp"

namespace rt {

namespace {

// --pace, else --speed; unset, windows start at a pace a person can follow
// and a headless run goes as fast as it can.
double starting_pace(const ProgramOptions& o) {
    if (o.pace_given) return o.pace;
    if (const std::optional<Speed> s = speed_named(o.speed)) return pace_of(*s);
    return o.headless ? 0 : pace_of(Speed::normal);
}

// Windows still open after the time limit and its grace: deleted without
// asking their "CloseRequestFcn" again.
void end_every_window() {
    const Value pairs[] = {Value::string("Type"), Value::string("figure")};
    const Value windows = findall(Value(0.0), pairs);
    for (std::size_t i = 0; i < windows.numel(); ++i)
        if (find_object(windows[i])) delete_(Value(windows[i]));
}

class PacedPause final : public HeadlessPace {
public:
    explicit PacedPause(double pace) : backend_(pace) { set_window_backend(&backend_); }
    ~PacedPause() override { set_window_backend(nullptr); }

private:
    PacedPauseBackend backend_;
};

}  // namespace

int run_windowed(ProgramRun& run) {
    const ProgramOptions& options = run.options();
    // Windows need a display: say so in one line before the toolkit starts.
    if (auto problem = display_problem()) {
        std::cerr << no_display_message(run.program(), *problem) << std::endl;
        return 1;
    }
    auto windows = std::make_unique<WindowSession>(run.program(), WindowOptions{options.fps, starting_pace(options)});
    if (run.limit_time()) {
        // Timers wake the wait for a person: at the deadline, and when the
        // windows that refused to close are to be ended.
        windows->at_deadline(options.max_seconds, [&run] {
            if (TimeLimit* limit = run.limit()) limit->expire();
        });
        // A margin past the grace: the loop ends the windows only once the
        // grace is over, and a wake-up before it would leave the loop
        // waiting with nothing left to wake it.
        windows->at_deadline(options.max_seconds + kTimeLimitGrace + 0.1, [] {});
    }
    if (run.launch()) {
        run.run_actions();
        // The pictures show the state the actions left; then the program
        // lives until its last window closes.
        if (!options.save_figures.empty()) run.attempt([&] { save_pictures(options.save_figures); });
        while (WindowSession::windows_open()) {
            if (run.limit() && run.limit()->grace_over()) {
                reported([] { end_every_window(); });
                break;
            }
            windows->wait_for_events();
            run.deliver_callbacks();
            reported([&windows] { windows->run_posted_actions(); });
        }
    }
    run.end();
    windows.reset();
    return run.finish();
}

bool can_save_figures() { return true; }

void save_pictures(const std::string& folder) {
    save_figures(folder);
    for (const NamedChart* c : charts()) {
        save_chart(folder, c->name, c->chart, static_cast<int>(c->place.place.width),
                   static_cast<int>(c->place.place.height));
    }
}

std::unique_ptr<HeadlessPace> pace_headless(const ProgramOptions& options) {
    const double pace = starting_pace(options);
    if (!(pace > 0)) return nullptr;
    return std::make_unique<PacedPause>(pace);
}

}  // namespace rt
