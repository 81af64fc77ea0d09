#pragma once
// The learning run behind the start button: one complete course of one-step
// Q-learning of the cart-pole, from a zero action-value table to the first
// trial that keeps the pole up for 100000 consecutive steps.
//
// It reads ALPHA, BETA and GAMMA from the sliders into the global variables
// (and shows them on the console), forces BETA to 0 when the radio button is
// off, and then repeats steps: choose an action (get_action), move the cart
// and pole (cart_pole_step), draw, and test the new state (get_box). A step
// that fails updates the entry of the previous decision with the
// reinforcement slider's value, resets the cart and redraws the statistics
// and the table. The run returns only at success or with an error, which
// ends it where it stands.
//
// A failure on the first step after a reset has no previous decision (its
// action is -1) and so makes no update.

#include "learning/run_constants.hpp"
#include "runtime/array/value.hpp"

namespace sys {

// `handles` is the control window's structure of tagged handles; the run
// reads "Value" of alpha_sl, beta_sl, gamma_sl and radiobutton1 at its
// start and of reinf_sl at every failure. The global variables ALPHA, BETA
// and GAMMA must be declared by the running program's global table.
void learning_run(const RunConstants& k, const rt::Value& handles);

// The run's own update at a failure, of the entry of the previous decision
// (pre_state, pre_action): q + ALPHA * ((reinf + GAMMA * 0) - q), in exactly
// that grouping. A failure with no previous decision (pre_action -1, the
// first step after a reset) updates nothing.
void failure_update(RunConstantsView k, rt::Value& q_val, const rt::Value& pre_state, const rt::Value& pre_action,
                    const rt::Value& reinf, const rt::Value& ALPHA, const rt::Value& GAMMA);

}  // namespace sys
