#pragma once
// The learned controller: after a run's success, its final table can be
// watched at work (learning/policy_replay.hpp) in the run's cart window,
// from "Watch learned policy" on the run controls (at real-time pace until
// stopped or until the pole falls) or, headless, with --replay SECONDS. The
// table, the titles and the trial count stay as the run left them; the cart
// window then shows the replay's last pose as its afterimage.

#include <functional>

#include "learning/policy_replay.hpp"
#include "learning/run_observer.hpp"
#include "runtime/array/value.hpp"

namespace sys {

class LearnedPolicy final : public RunObserver {
public:
    void run_started(const RunSettings&) override;
    void step(const StepReport&) override;
    void run_ended(const TrialReport& last, bool converged) override;

    // Whether the last run succeeded and its cart window still stands.
    bool ready() const;
    // Replays at most `max_steps` steps; stops early when `stop` says so or
    // when a new run starts meanwhile. Needs ready(). Errors propagate.
    ReplayEnd replay(double max_steps, const std::function<bool()>& stop = {});

private:
    void watch();

    rt::Value table_;
    double cart_ = 0, axes_ = 0;
    bool succeeded_ = false, new_run_ = false;
};

}  // namespace sys
