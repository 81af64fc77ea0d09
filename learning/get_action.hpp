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

// Direct call form: references for outputs 2 to 5 (null = not wanted), then
// the 13 inputs; gives q_val. The inputs are taken by value so that the
// learning run can move its table in and have it back without a copy:
//   q_val = get_action(&pre_state, &pre_action, &cur_state, &cur_action, x, v_x, theta,
//                      v_theta, reinf, std::move(q_val), pre_state, cur_state, pre_action,
//                      cur_action, ALPHA, BETA, GAMMA);
rt::Value get_action(rt::Value* pre_state_out, rt::Value* pre_action_out, rt::Value* cur_state_out,
                     rt::Value* cur_action_out, rt::Value x, rt::Value v_x, rt::Value theta, rt::Value v_theta,
                     rt::Value reinf, rt::Value q_val, rt::Value pre_state, rt::Value cur_state,
                     rt::Value pre_action, rt::Value cur_action, rt::Value ALPHA, rt::Value BETA,
                     rt::Value GAMMA);

// By-name entry: outputs q_val, pre_state, pre_action, cur_state, cur_action.
void entry_get_action(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

void get_action_initialize();
void get_action_terminate();

inline constexpr FunctionDescriptor get_action_functions[] = {{"get_action", entry_get_action, 13, 5, 1}};
inline constexpr ModuleDescriptor get_action_module =
    describe_module<get_action_functions>(get_action_initialize, get_action_terminate);

}  // namespace sys
