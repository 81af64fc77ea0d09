#pragma once
// A fixture with the system started as rt::run_main starts it: the function
// and global tables installed and every initialiser of the main information
// record run before each test, the console and the warnings captured; every
// terminator run after it.
// press_start_within() gives a learning run a time limit, so a fault that
// makes it go on forever fails the test instead of stalling it.

#include "tests/common.hpp"

#include "app/main_information.hpp"
#include "gui/tavrin.hpp"
#include "learning/run_observer.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/program.hpp"
#include "runtime/graphics/callbacks.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/main/time_limit.hpp"

namespace sys_test {

// The arity message of a function or local function (name as "owner/local").
inline std::string arity(const std::string& name, int line, const char* kind, int count) {
    return "Run-time Error: File: " + name + " Line: " + std::to_string(line) + " Column: 1 The function \"" + name +
           "\" was called with more than the declared number of " + kind + " (" + std::to_string(count) + ").";
}

// Room for a learning run of the sanitizer build.
inline constexpr double kRunLimit = 120;

class RunningProgram : public ::testing::Test {
protected:
    void SetUp() override {
        rt::start_program(sys::main_information);
        rt::set_console(&console);
        rt::set_warning_stream(&warnings);
    }
    void TearDown() override {
        rt::set_console(nullptr);
        rt::set_warning_stream(nullptr);
        rt::end_program(sys::main_information);
    }

    // The handle of the object tagged `tag`; the control window must be open.
    static double tagged(const char* tag) {
        const rt::Value pairs[] = {rt::Value::string("Tag"), rt::Value::string(tag)};
        return rt::findall(rt::Value(0.0), pairs)[0];
    }
    // Sets a control's "Value" and delivers its callback, as a person would.
    static void set_value(const char* tag, double v) {
        rt::set(tagged(tag), "Value", v);
        rt::deliver_callback(tagged(tag), "Callback");
    }
    static void set_values(std::initializer_list<std::pair<const char*, double>> values) {
        for (const auto& [tag, v] : values) set_value(tag, v);
    }
    // The settings of the deterministic run.
    static void choose_deterministic_run() {
        set_values({{"radiobutton1", 0}, {"alpha_sl", 0.3}, {"gamma_sl", 0.95}, {"reinf_sl", -1}});
    }
    // Presses Start and gives its run `seconds`; when they are up its windows
    // are closed, which ends it, and the answer is false.
    static bool press_start_within(double seconds = kRunLimit) {
        rt::TimeLimit limit(seconds);
        limit.watch_pauses();
        rt::deliver_callback(tagged("pushbutton1"), "Callback");
        return !limit.expired();
    }

    std::ostringstream console, warnings;  // what the program printed and warned
};

// Ends a run after `max_trials` failures, and keeps the count and best of
// the last failure.
class TrialBound final : public sys::RunObserver {
public:
    explicit TrialBound(long max_trials) : max_trials_(max_trials) {}

    sys::RunCourse trial_ended(const sys::TrialReport& r) override {
        if (r.success) return sys::RunCourse::go_on;
        trials = static_cast<long>(r.trial);
        best = static_cast<long>(r.best);
        return trials >= max_trials_ ? sys::RunCourse::stop : sys::RunCourse::go_on;
    }
    void run_ended(const sys::TrialReport&, bool converged_run) override { converged = converged_run; }

    long trials = 0, best = 0;
    bool converged = false;

private:
    long max_trials_;
};

// A running program with the control window open.
class ControlWindowOpen : public RunningProgram {
protected:
    void SetUp() override {
        RunningProgram::SetUp();
        sys::tavrin(0, {});
    }
};

}  // namespace sys_test
