#include "learning/cart_pole_step.hpp"

#include "runtime/array/ops.hpp"

namespace sys {

namespace {

// The runtime's arithmetic spelled as operators, so that the equations below
// read as they are written down; each operator is exactly one runtime call,
// and the parentheses fix the grouping.
rt::Value operator+(const rt::Value& a, const rt::Value& b) { return rt::plus(a, b); }
rt::Value operator-(const rt::Value& a, const rt::Value& b) { return rt::minus(a, b); }
rt::Value operator*(const rt::Value& a, const rt::Value& b) { return rt::mtimes(a, b); }
rt::Value operator/(const rt::Value& a, const rt::Value& b) { return rt::mrdivide(a, b); }

}  // namespace

CartPole standard_cart_pole(const RunConstants& k) {
    return CartPole{k[kMass], k[kPoleMass], k[kGravity], k[kPoleLength], k[kForce], k[kTimeStep]};
}

rt::Value cart_pole_step(const RunConstants& k, const CartPole& plant, const rt::Value& cur_action,
                         CartPoleState& s) {
    using rt::cos;
    using rt::sin;
    const rt::Value& two = k[k2];
    const rt::Value& four_thirds = k[kFourThirds];
    auto squared = [&two](const rt::Value& v) { return rt::mpower(v, two); };
    const auto& [m, mp, g, length, Force, T] = plant;
    auto& [x, v_x, theta, v_theta] = s;

    const rt::Value F = rt::eq_bool(cur_action, k[k1]) ? k[kMinus1] * Force : Force;

    const rt::Value a_theta =
        ((m * g) * sin(theta) - cos(theta) * (F + ((mp * length) * squared(v_theta)) * sin(theta))) /
        (((four_thirds * m) * length) - (mp * length) * squared(cos(theta)));
    const rt::Value a_x = (F + (mp * length) * (squared(v_theta) * sin(theta) - a_theta * cos(theta))) / m;

    v_theta = v_theta + a_theta * T;
    theta = theta + v_theta * T;
    v_x = v_x + a_x * T;
    x = x + v_x * T;
    return F;
}

}  // namespace sys
