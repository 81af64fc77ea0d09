#pragma once
// A readable end: after a success the cart window goes on showing the cart
// and pole in the pose of the run's last step, under the success title. The
// run deletes them after every step; this keeps their picture as the cart
// axes' afterimage (runtime/graphics/afterimage.hpp), which adds nothing to
// the object tree. A new run clears it.

#include <vector>

#include "learning/run_observer.hpp"
#include "runtime/graphics/afterimage.hpp"

namespace sys {

// The cart (a blue box 0.8 wide and 0.1 high from 0.1 up, centred at x) and
// the pole (length 1 from the hinge at 0.2, theta from upright), as the run
// draws them.
std::vector<rt::AfterimageShape> cart_pose_shapes(double x, double theta);

class FinalPose final : public RunObserver {
public:
    void run_started(const RunSettings&) override;
    void step(const StepReport& r) override;
    void run_ended(const TrialReport& last, bool converged) override;

private:
    double axes_ = 0;  // the cart axes of the run, once seen
    double x_ = 0, theta_ = 0;
};

}  // namespace sys
