#include "app/learned_policy.hpp"

#include <limits>

#include "app/final_pose.hpp"
#include "gui/tavrin_constants.hpp"
#include "runtime/graphics/afterimage.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/main/run_controls.hpp"

namespace sys {

void LearnedPolicy::run_started(const RunSettings&) {
    new_run_ = true;
    succeeded_ = false;
    table_ = rt::Value();
    cart_ = axes_ = 0;
    rt::offer_replay({});
}

void LearnedPolicy::step(const StepReport&) {
    // The run makes its cart window current at every step.
    if (cart_ == 0) {
        cart_ = rt::gcf().scalar();
        axes_ = rt::gca().scalar();
    }
}

void LearnedPolicy::run_ended(const TrialReport& last, bool converged) {
    if (!converged || !last.q_val) return;
    table_ = *last.q_val;
    succeeded_ = true;
    rt::offer_replay([this] { watch(); });
}

bool LearnedPolicy::ready() const { return succeeded_ && cart_ != 0 && rt::ishandle(cart_) && rt::ishandle(axes_); }

ReplayEnd LearnedPolicy::replay(double max_steps, const std::function<bool()>& stop) {
    new_run_ = false;
    // The window shows the replay itself while it goes.
    rt::set_afterimage(axes_, {});
    const double axes = axes_;
    const ReplayEnd end = replay_policy(tavrin_run_constants(), rt::Value(cart_), table_, max_steps,
                                        [&] { return new_run_ || (stop && stop()); });
    if (!new_run_ && rt::ishandle(axes)) rt::set_afterimage(axes, cart_pose_shapes(end.x, end.theta));
    return end;
}

void LearnedPolicy::watch() {
    if (!ready()) return;
    rt::set_run_speed("realtime");
    replay(std::numeric_limits<double>::infinity(), [] { return rt::replay_stop_requested(); });
}

}  // namespace sys
