#include "app/max_trials_extension.hpp"

#include <CLI/CLI.hpp>

#include <cmath>
#include <iostream>

#include "learning/run_observer.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/console.hpp"
#include "runtime/main/option_number.hpp"

namespace sys {

namespace {

class TrialBound : public RunObserver {
public:
    explicit TrialBound(double max_trials) : max_trials_(max_trials) {}
    RunCourse trial_ended(const TrialReport& r) override {
        return !r.success && r.trial >= max_trials_ ? RunCourse::stop : RunCourse::go_on;
    }
    void run_ended(const TrialReport& last, bool converged) override {
        if (converged) return;
        // What the run printed so far comes first, so the line lands after it.
        rt::console().flush();
        std::cout.flush();
        std::cerr << "tavrin: no success in " << rt::num2str(last.trial) << " trials (--max-trials); run " << last.run
                  << " stopped without converging (best " << rt::num2str(last.best) << " steps)." << std::endl;
    }

private:
    double max_trials_;
};

}  // namespace

MaxTrialsExtension::MaxTrialsExtension() = default;
MaxTrialsExtension::~MaxTrialsExtension() { ending(); }

void MaxTrialsExtension::add_options(CLI::App& app) {
    app.add_option("--max-trials", max_trials_,
                   "Stop a learning run that reaches N failures without a success, as not converged")
        ->type_name("N")
        ->check(CLI::Validator(
            [](const std::string& s) {
                const auto d = rt::option_number(s);
                return d && *d == std::floor(*d) && *d >= 1 && *d <= 1e12
                           ? std::string{}
                           : "expected a whole number of trials from 1 to 1e12, got '" + s + "'";
            },
            "N"));
}

void MaxTrialsExtension::started(const rt::ProgramOptions&) {
    if (max_trials_ <= 0) return;
    bound_ = std::make_unique<TrialBound>(max_trials_);
    add_run_observer(bound_.get());
}

void MaxTrialsExtension::ending() {
    if (!bound_) return;
    remove_run_observer(bound_.get());
    bound_.reset();
}

}  // namespace sys
