#include "app/watch_extension.hpp"

#include <CLI/CLI.hpp>

#include "runtime/main/command_line.hpp"

namespace sys {

void WatchExtension::add_options(CLI::App& app) {
    app.add_option("--trials-csv", csv_path_,
                   "Write one row per finished trial (run,trial,steps,outcome and the run's settings) to FILE")
        ->type_name("FILE");
}

std::string WatchExtension::check(const rt::ProgramOptions&) {
    // Opened now: an unwritable path is refused before anything runs, not
    // found out after a long run.
    std::string problem;
    if (!csv_path_.empty() && !csv_.open(csv_path_, problem)) return problem;
    return {};
}

void WatchExtension::started(const rt::ProgramOptions& options) {
    if (!csv_path_.empty() && !csv_installed_) {
        add_run_observer(&csv_);
        csv_installed_ = true;
    }
    if (!options.headless && !status_installed_) {
        add_run_observer(&status_);
        status_installed_ = true;
    }
    if ((!options.headless || !options.save_figures.empty()) && !curve_) {
        curve_ = std::make_unique<LearningCurve>();
        add_run_observer(curve_.get());
        add_run_observer(&pose_);
        pose_installed_ = true;
    }
}

void WatchExtension::ending() {
    remove_run_observer(&csv_);
    remove_run_observer(&status_);
    if (curve_) remove_run_observer(curve_.get());
    curve_.reset();
    if (pose_installed_) remove_run_observer(&pose_);
    pose_installed_ = false;
    csv_installed_ = status_installed_ = false;
}

WatchExtension& watch_extension() {
    static WatchExtension extension;
    return extension;
}

}  // namespace sys
