#include "app/final_pose.hpp"

#include <cmath>
#include <numbers>

#include "runtime/graphics/graphics.hpp"

namespace sys {

namespace {
constexpr double kHalfWidth = 0.4, kBottom = 0.1, kHeight = 0.1, kHinge = 0.2;
}  // namespace

std::vector<rt::AfterimageShape> cart_pose_shapes(double x, double theta) {
    using Kind = rt::AfterimageShape::Kind;
    const double angle = std::numbers::pi / 2 - theta;
    return {
        {Kind::polygon,
         {x - kHalfWidth, x + kHalfWidth, x + kHalfWidth, x - kHalfWidth},
         {kBottom, kBottom, kBottom + kHeight, kBottom + kHeight},
         {0, 0, 1},
         0.5},
        {Kind::line, {x, x + std::cos(angle)}, {kHinge, kHinge + std::sin(angle)}, {0, 0, 0}, 0.5},
    };
}

void FinalPose::run_started(const RunSettings&) {
    if (axes_ != 0) rt::set_afterimage(axes_, {});
    axes_ = 0;
}

void FinalPose::step(const StepReport& r) {
    // The run makes its cart window current at every step.
    if (axes_ == 0) axes_ = rt::gca().scalar();
    x_ = r.x;
    theta_ = r.theta;
}

void FinalPose::run_ended(const TrialReport&, bool converged) {
    if (converged && axes_ != 0 && rt::ishandle(axes_)) rt::set_afterimage(axes_, cart_pose_shapes(x_, theta_));
}

}  // namespace sys
