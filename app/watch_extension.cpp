#include "app/watch_extension.hpp"

#include <CLI/CLI.hpp>

#include <cmath>
#include <iostream>

#include "runtime/call/console.hpp"
#include "runtime/call/guard.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/main/command_line.hpp"
#include "runtime/main/run_controls.hpp"

namespace sys {

namespace {
constexpr double kModelTimeStep = 0.02;  // seconds of model time a step stands for
}  // namespace

void WatchExtension::add_options(CLI::App& app) {
    app.add_option("--trials-csv", csv_path_,
                   "Write one row per finished trial (run,trial,steps,outcome and the run's settings) to FILE")
        ->type_name("FILE");
    app.add_option("--replay", replay_seconds_,
                   "After the actions, if the last run succeeded, run its learned policy (no learning, no random "
                   "terms) for SECONDS of model time or until the pole falls; the table and trial count stay")
        ->type_name("SECONDS")
        ->check(CLI::Range(0.02, 1e6));
}

std::string WatchExtension::check(const rt::ProgramOptions&) {
    // Opened now: an unwritable path is refused before anything runs, not
    // found out after a long run.
    std::string problem;
    if (!csv_path_.empty() && !csv_.open(csv_path_, problem)) return problem;
    return {};
}

void WatchExtension::started(const rt::ProgramOptions& options) {
    headless_ = options.headless;
    if (!csv_path_.empty() && !csv_installed_) {
        add_run_observer(&csv_);
        csv_installed_ = true;
    }
    if (!options.headless && !status_installed_) {
        add_run_observer(this);
        add_run_observer(&status_);
        status_installed_ = true;
    }
    if ((!options.headless || !options.save_figures.empty()) && !curve_) {
        curve_ = std::make_unique<LearningCurve>();
        add_run_observer(curve_.get());
        map_ = std::make_unique<PolicyMap>();
        add_run_observer(map_.get());
        add_run_observer(&pose_);
        pose_installed_ = true;
    }
    if ((!options.headless || replay_seconds_ > 0) && !policy_installed_) {
        add_run_observer(&policy_);
        policy_installed_ = true;
    }
}

void WatchExtension::ending() {
    remove_run_observer(&csv_);
    remove_run_observer(&status_);
    remove_run_observer(this);
    if (curve_) remove_run_observer(curve_.get());
    curve_.reset();
    if (map_) remove_run_observer(map_.get());
    map_.reset();
    if (pose_installed_) remove_run_observer(&pose_);
    if (policy_installed_) remove_run_observer(&policy_);
    pose_installed_ = policy_installed_ = false;
    csv_installed_ = status_installed_ = false;
}

void WatchExtension::explain_sliders() {
    if (sliders_explained_) return;
    sliders_explained_ = true;
    struct Slider {
        const char* tag;
        const char* what;
    };
    for (const Slider& s : {Slider{"alpha_sl", "Learning rate ALPHA"}, Slider{"beta_sl", "Random amplitude BETA"},
                            Slider{"gamma_sl", "Discount GAMMA"}, Slider{"reinf_sl", "Reinforcement at failure"}}) {
        const rt::Value pairs[] = {rt::Value::string("Tag"), rt::Value::string(s.tag)};
        const rt::Value found = rt::findall(rt::Value(0.0), pairs);
        if (found.numel() != 1) continue;
        const double h = found[0];
        const std::string when = std::string(s.tag) == "reinf_sl"
                                     ? "A run reads it at every failure, so a change applies at once."
                                     : "A change applies at the next Start.";
        rt::set_control_tooltip(h, std::string(s.what) + ": " + csv_number(rt::get(h, "Min").scalar()) + " to " +
                                       csv_number(rt::get(h, "Max").scalar()) + ". " + when);
    }
}

int WatchExtension::after_actions() {
    if (!headless_) rt::guarded([this] { explain_sliders(); });
    if (!(replay_seconds_ > 0)) return 0;
    rt::console().flush();
    if (!policy_.ready()) {
        std::cerr << "tavrin: --replay: no run succeeded, so there is no learned policy to watch." << std::endl;
        return 1;
    }
    ReplayEnd end;
    const bool ran = rt::guarded([&] { end = policy_.replay(std::round(replay_seconds_ / kModelTimeStep)); });
    if (!ran) {
        std::cerr << rt::lasterr().text() << std::endl;
        return 1;
    }
    std::cout << "replay: " << end.steps << " steps (" << csv_number(end.steps * kModelTimeStep) << " s), "
              << (end.fell ? "then the pole fell" : "the pole still up") << std::endl;
    return 0;
}

WatchExtension& watch_extension() {
    static WatchExtension extension;
    return extension;
}

}  // namespace sys
