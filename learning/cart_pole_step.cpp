#include "learning/cart_pole_step.hpp"

#include "runtime/array/ops.hpp"

namespace sys {

CartPole standard_cart_pole(RunConstantsView k) {
    return CartPole{k[kMass], k[kPoleMass], k[kGravity], k[kPoleLength], k[kForce], k[kTimeStep]};
}

namespace {

// The runtime's arithmetic spelled as operators, so that the equations below
// read as they are written down; each operator is exactly one runtime call,
// and the parentheses fix the grouping.
RT_INLINE rt::Value operator+(const rt::Value& a, const rt::Value& b) { return rt::plus(a, b); }
RT_INLINE rt::Value operator-(const rt::Value& a, const rt::Value& b) { return rt::minus(a, b); }
RT_INLINE rt::Value operator*(const rt::Value& a, const rt::Value& b) { return rt::mtimes(a, b); }
RT_INLINE rt::Value operator/(const rt::Value& a, const rt::Value& b) { return rt::mrdivide(a, b); }

// The step itself, in line wherever it is used.
RT_INLINE rt::Value step(RunConstantsView k, const CartPole& plant, const rt::Value& cur_action, CartPoleState& s) {
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

CartPole local_copy(const CartPole& p) { return p; }

bool all_double_scalars(const CartPole& p, const CartPoleState& s) {
    return rt::all_double_scalars(p.m, p.mp, p.g, p.length, p.Force, p.T, s.x, s.v_x, s.theta, s.v_theta);
}

}  // namespace

// Every step of a run has double scalars only: the step then works on copies
// in locals, which the compiler knows to be scalars, so the arithmetic runs
// in registers like that of plain doubles. Flattened, so that the copies'
// own code is in line too.
[[gnu::flatten]] rt::Value cart_pole_step(RunConstantsView k, const CartPole& plant, const rt::Value& cur_action,
                                          CartPoleState& s) {
    if (all_double_scalars(plant, s) && cur_action.is_double_scalar()) [[likely]] {
        const CartPole p = local_copy(plant);
        const rt::Value a = rt::local_copy(cur_action);
        // The state goes back however the step ends.
        CartPoleState local = s;
        rt::Value F;
        try {
            F = step(k, p, a, local);
        } catch (...) {
            s = std::move(local);
            throw;
        }
        s = std::move(local);
        // Moved out rather than built in the caller's place, so that F
        // stays in registers until here.
        return rt::Value(std::move(F));
    }
    return step(k, plant, cur_action, s);
}

}  // namespace sys
