#include "learning/policy_replay.hpp"

#include "learning/cart_pole_step.hpp"
#include "learning/get_box.hpp"
#include "learning/live_display.hpp"
#include "runtime/array/ops.hpp"

namespace sys {

ReplayEnd replay_policy(const RunConstants& k, const rt::Value& cart_window, const rt::Value& q_val, double max_steps,
                        const std::function<bool()>& stop) {
    const CartPole plant = standard_cart_pole(k);
    // The reset state with BETA 0.
    CartPoleState s{k[kRestState], k[kRestState], k[kRestState], k[kRestState]};
    LiveDisplay display(k);
    display.attach_cart_window(cart_window);
    ReplayEnd end;
    while (end.steps < max_steps && !(stop && stop())) {
        const double box = get_box(s.x, s.v_x, s.theta, s.v_theta).scalar();
        if (box < 1) {
            end.fell = true;
            break;
        }
        // The run's own choice with the random bonus at 0.
        const bool second = rt::array_ref2(q_val, box, 1.0) <= rt::array_ref2(q_val, box, 2.0);
        const rt::Value F = cart_pole_step(k, plant, second ? k[kPushRight] : k[kPushLeft], s);
        display.draw_step(s.x, s.theta, F);
        end.steps += 1;
        end.x = s.x.scalar();
        end.theta = s.theta.scalar();
    }
    if (!end.fell) end.fell = get_box(s.x, s.v_x, s.theta, s.v_theta).scalar() < 1;
    return end;
}

}  // namespace sys
