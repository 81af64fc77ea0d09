#pragma once
// reset_cart: the start of a trial. Outputs, in order: pre_state 1,
// cur_state 1, pre_action -1, cur_action -1 (no action taken yet), and the
// state x, v_x, theta, v_theta, each a fresh rt::rand draw times BETA (drawn
// in that order), so between 0 and BETA.

#include "figutil/module.hpp"
#include "runtime/array/value.hpp"

namespace sys {

// Direct call form: BETA, then references for outputs 2 to 8 (cur_state,
// pre_action, cur_action, x, v_x, theta, v_theta; null = not wanted); gives
// pre_state. Outputs not wanted are computed all the same (the draws happen).
rt::Value reset_cart(rt::Value BETA, rt::Value* cur_state, rt::Value* pre_action, rt::Value* cur_action, rt::Value* x,
                     rt::Value* v_x, rt::Value* theta, rt::Value* v_theta);

void entry_reset_cart(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

void reset_cart_initialize();
void reset_cart_terminate();

inline constexpr FunctionDescriptor reset_cart_functions[] = {{"reset_cart", entry_reset_cart, 1, 8, 1}};
inline constexpr ModuleDescriptor reset_cart_module =
    describe_module<reset_cart_functions>(reset_cart_initialize, reset_cart_terminate);

}  // namespace sys
