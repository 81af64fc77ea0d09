#pragma once
// cart_pole_step: one time step of the cart on its track and the pole hinged
// on it. The chosen action becomes a push of fixed size (action 1 to the
// left, any other action to the right), the accelerations follow from the
// frictionless cart-pole equations (numerator and denominator of the angular
// one multiplied by the total mass m), and the state advances by
// semi-implicit Euler: each velocity first, then its position with the new
// velocity. The step tests no limits; get_box decides failure afterwards.
//
// Every operation is the runtime's scalar arithmetic in a fixed grouping,
// left operand first, so that a learning run is the same bit for bit on every
// build (the build never fuses a multiply and an add).

#include "learning/run_constants.hpp"
#include "runtime/array/value.hpp"

namespace sys {

// The plant's constants, set once at the start of a learning run.
struct CartPole {
    rt::Value m;       // total mass of cart and pole
    rt::Value mp;      // mass of the pole
    rt::Value g;       // gravity
    rt::Value length;  // pole length parameter of the equations
    rt::Value Force;   // size of the push
    rt::Value T;       // time step
};

// Positions positive to the right; theta in radians from upright, positive
// when the pole leans toward positive x.
struct CartPoleState {
    rt::Value x, v_x, theta, v_theta;
};

// The plant as the learning run sets it up: m 1.1, mp 0.1, g 9.8, length 0.5,
// Force 10, T 0.02.
CartPole standard_cart_pole(RunConstantsView k);

// Advances `s` by plant.T under the push of `cur_action`, and gives the
// signed push F (-Force or Force) for the drawing of the step.
rt::Value cart_pole_step(RunConstantsView k, const CartPole& plant, const rt::Value& cur_action, CartPoleState& s);

}  // namespace sys
