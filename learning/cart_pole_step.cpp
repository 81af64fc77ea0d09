#include "learning/cart_pole_step.hpp"

#include "runtime/array/ops.hpp"

namespace sys {

namespace {

// The runtime's arithmetic spelled as operators, so that the equations below
// read as they are written down; each operator is exactly one runtime call,
// and the parentheses fix the grouping.
RT_INLINE rt::Value operator+(const rt::Value& a, const rt::Value& b) { return rt::plus(a, b); }
RT_INLINE rt::Value operator-(const rt::Value& a, const rt::Value& b) { return rt::minus(a, b); }
RT_INLINE rt::Value operator*(const rt::Value& a, const rt::Value& b) { return rt::mtimes(a, b); }
RT_INLINE rt::Value operator/(const rt::Value& a, const rt::Value& b) { return rt::mrdivide(a, b); }

}  // namespace

CartPole standard_cart_pole(RunConstantsView k) {
    return CartPole{k[kMass], k[kPoleMass], k[kGravity], k[kPoleLength], k[kForce], k[kTimeStep]};
}

rt::Value cart_pole_step(RunConstantsView k, const CartPole& plant, const rt::Value& cur_action, CartPoleState& s) {
    const rt::Value& two = k[kSquare];
    const rt::Value& four_thirds = k[kFourThirds];
    const auto& [m, mp, g, length, Force, T] = plant;
    auto& [x, v_x, theta, v_theta] = s;
    // Each is needed more than once; the runtime's sin and cos of the same
    // angle give the same double every time.
    const rt::Value sin_theta = rt::sin(theta), cos_theta = rt::cos(theta);
    const rt::Value v_theta_squared = rt::mpower(v_theta, two), cos_theta_squared = rt::mpower(cos_theta, two);

    const rt::Value F = rt::eq_bool(cur_action, k[kPushLeft]) ? k[kLeftward] * Force : Force;

    const rt::Value a_theta = ((m * g) * sin_theta - cos_theta * (F + ((mp * length) * v_theta_squared) * sin_theta)) /
                              (((four_thirds * m) * length) - (mp * length) * cos_theta_squared);
    const rt::Value a_x = (F + (mp * length) * (v_theta_squared * sin_theta - a_theta * cos_theta)) / m;

    v_theta = v_theta + a_theta * T;
    theta = theta + v_theta * T;
    v_x = v_x + a_x * T;
    x = x + v_x * T;
    return F;
}

}  // namespace sys
