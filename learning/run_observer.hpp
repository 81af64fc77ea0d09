#pragma once
// Observers of the learning run: the one hook the run has for what is not
// the run itself (a trials file, a status line, a learning curve, a policy
// map, a bound on the number of trials). They are told of each run's start,
// of every step, of every trial's end and of the run's end, and read what
// they are given without changing it. With no observer installed the run
// does exactly what it did without this hook.
//
// Observers are installed process-wide by whoever owns them (the program's
// start-up, a window, a test) and must stay alive while installed. They are
// told in the order they were added.

#include <vector>

#include "runtime/array/value.hpp"

namespace sys {

// The settings a run read at its start, as plain numbers.
struct RunSettings {
    int run = 0;  // 1 for the first run of this process, then 2, ...
    double alpha = 0, beta = 0, gamma = 0;
    bool random = true;  // the radio button's state: false forced BETA to 0
};

// Where the run stands after a step.
struct StepReport {
    int run = 0;
    double trial = 0;                               // failures so far
    double steps = 0;                               // steps the current trial has lasted, this one included
    double best = 0;                                // longest trial so far
    double x = 0, v_x = 0, theta = 0, v_theta = 0;  // the state after the step
    double box = 0;                                 // its box, -1 for a failure
};

// A trial that has just ended: a failure (after its update of the table and
// the new titles) or the run's success.
struct TrialReport {
    int run = 0;
    double trial = 0;  // the trial's number: failures so far, this one included
    double steps = 0;  // the steps it balanced, the count the titles show
    double best = 0;   // longest trial so far, this one included
    bool success = false;
    double reinf = 0;        // the reinforcement of the failure (0 at success)
    const rt::Value* q_val;  // the table as it now stands (162-by-2)
};

// What the run does after a failure has been told.
enum class RunCourse { go_on, stop };

class RunObserver {
public:
    virtual ~RunObserver() = default;
    // Told once the run's windows are open, before its first step.
    virtual void run_started(const RunSettings&) {}
    // Told after every step's drawing and box, before the failure handling,
    // when watches_steps(): an observer of trials only answers false, and a
    // run none of whose observers watches steps builds no step report.
    virtual void step(const StepReport&) {}
    virtual bool watches_steps() const { return true; }
    // Any observer answering stop ends the run after this failure, as a run
    // that did not converge; a success ends the run in any case.
    virtual RunCourse trial_ended(const TrialReport&) { return RunCourse::go_on; }
    // `converged` is false for a run stopped by an observer; a run ended by
    // an error is not told.
    virtual void run_ended(const TrialReport& last, bool converged) { (void)last, (void)converged; }
};

// Installs and removes observers (removing one not installed does nothing).
void add_run_observer(RunObserver* observer);
void remove_run_observer(RunObserver* observer);
// The observers installed now, in the order added.
const std::vector<RunObserver*>& run_observers();

// Installs an observer for the lifetime of this object.
class ScopedRunObserver {
public:
    explicit ScopedRunObserver(RunObserver& o) : o_(&o) { add_run_observer(o_); }
    ~ScopedRunObserver() { remove_run_observer(o_); }
    ScopedRunObserver(const ScopedRunObserver&) = delete;
    ScopedRunObserver& operator=(const ScopedRunObserver&) = delete;

private:
    RunObserver* o_;
};

}  // namespace sys
