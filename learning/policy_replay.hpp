#pragma once
// The learned controller at work: the greedy choices of a finished run's
// table (action 2 when Q(box, 2) >= Q(box, 1), as the run chooses with no
// random bonus), from the reset state with no random terms, drawn
// step by step in the run's cart window through the run's own drawing. It
// learns nothing and changes no count: the table is read, never written.

#include <functional>

#include "learning/run_constants.hpp"
#include "runtime/array/value.hpp"

namespace sys {

struct ReplayEnd {
    double steps = 0;         // steps the pole stayed up
    bool fell = false;        // the last step failed
    double x = 0, theta = 0;  // the state after the last step
};

// `cart_window` must be the run's cart window (its current axes set up by
// the run); `q_val` a 162-by-2 table. Stops after `max_steps` steps, when the
// pole falls, or when `stop` says so (asked before every step). Errors of
// the drawing (a window closed meanwhile) propagate.
ReplayEnd replay_policy(const RunConstants& k, const rt::Value& cart_window, const rt::Value& q_val, double max_steps,
                        const std::function<bool()>& stop);

}  // namespace sys
