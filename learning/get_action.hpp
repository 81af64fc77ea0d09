#pragma once
// get_action: one step of the learner. Moves the current decision into the
// previous one, finds the box of the given state (get_box), updates the table
// entry of the previous box and action by one-step Q-learning
//     q <- q + ALPHA * ((reinf + GAMMA * predicted_value) - q)
// unless no action was taken yet (pre_action == -1), and chooses the action
// for the new box: 2 when q1 + u * BETA <= q2 (u one draw of rt::rand), else
// 1. A previous or current box outside the table raises the runtime's
// indexing error naming the index.

#include "figutil/module.hpp"
#include "runtime/array/value.hpp"

namespace sys {

// What the learner carries from one step to the next: its table and the
// previous and current box and action. get_action takes one and gives the
// next; the fields are the by-name entry's outputs, in their order.
struct Decision {
    rt::Value q_val, pre_state, pre_action, cur_state, cur_action;
};

// The learning rate, the random bonus's scale and the discount: ALPHA, BETA
// and GAMMA, read where they are (the three globals, for the learning run).
struct LearningParameters {
    const rt::Value &alpha, &beta, &gamma;
};

// Direct call form: the state reached and the reinforcement it earned. The
// decision is taken by value so that the learning run can move its table in
// and have it back without a copy:
//   d = get_action(std::move(d), x, v_x, theta, v_theta, reinf, {ALPHA, BETA, GAMMA});
Decision get_action(Decision d, const rt::Value& x, const rt::Value& v_x, const rt::Value& theta,
                    const rt::Value& v_theta, const rt::Value& reinf, const LearningParameters& parameters);

// The same on a decision held in place: the learning run's own, every step.
void next_decision(Decision& d, const rt::Value& x, const rt::Value& v_x, const rt::Value& theta,
                   const rt::Value& v_theta, const rt::Value& reinf, const LearningParameters& parameters);

// By-name entry: outputs q_val, pre_state, pre_action, cur_state, cur_action.
void entry_get_action(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

void get_action_initialize();
void get_action_terminate();

inline constexpr FunctionDescriptor get_action_functions[] = {{"get_action", entry_get_action, 13, 5, 1}};
inline constexpr ModuleDescriptor get_action_module =
    describe_module<get_action_functions>(get_action_initialize, get_action_terminate);

}  // namespace sys
