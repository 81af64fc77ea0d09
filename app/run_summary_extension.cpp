#include "app/run_summary_extension.hpp"

#include <CLI/CLI.hpp>

#include <charconv>
#include <chrono>

#include "learning/run_observer.hpp"

namespace sys {

namespace {

// Shortest text that reads back as the same double, whatever the locale.
std::string number_text(double x) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, r.ptr);
}

class SummaryWriter : public RunObserver {
public:
    explicit SummaryWriter(std::ofstream& file) : file_(file) {}
    void run_started(const RunSettings&) override {
        start_ = std::chrono::steady_clock::now();
        failures_ = best_ = steps_ = 0;
    }
    RunCourse trial_ended(const TrialReport& r) override {
        steps_ += r.steps;
        if (!r.success) failures_ = r.trial, best_ = r.best;
        return RunCourse::go_on;
    }
    void run_ended(const TrialReport&, bool converged) override {
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        file_ << (converged ? 1 : 0) << ',' << number_text(failures_) << ',' << number_text(best_) << ','
              << number_text(steps_) << ',' << number_text(seconds) << '\n';
        file_.flush();
    }

private:
    std::ofstream& file_;
    std::chrono::steady_clock::time_point start_;
    double failures_ = 0, best_ = 0, steps_ = 0;
};

}  // namespace

RunSummaryExtension::RunSummaryExtension() = default;
RunSummaryExtension::~RunSummaryExtension() { ending(); }

void RunSummaryExtension::add_options(CLI::App& app) {
    app.add_option("--run-summary", path_,
                   "After each learning run, write a CSV row converged,trials,best,steps,seconds to FILE")
        ->type_name("FILE");
}

std::string RunSummaryExtension::check(const rt::ProgramOptions&) {
    if (path_.empty()) return {};
    file_.open(path_, std::ios::out | std::ios::trunc);
    if (!file_) return "--run-summary: cannot write '" + path_ + "'";
    file_ << "converged,trials,best,steps,seconds\n";
    file_.flush();
    return {};
}

void RunSummaryExtension::started(const rt::ProgramOptions&) {
    if (!file_.is_open()) return;
    writer_ = std::make_unique<SummaryWriter>(file_);
    add_run_observer(writer_.get());
}

void RunSummaryExtension::ending() {
    if (writer_) remove_run_observer(writer_.get());
    writer_.reset();
    if (file_.is_open()) file_.close();
}

}  // namespace sys
