#include <gtest/gtest.h>

#include "learning/cart_pole_step.hpp"
#include "learning/run_constants.hpp"
#include "runtime/array/error.hpp"

namespace {

class CartPoleStepTest : public ::testing::Test {
protected:
    CartPoleStepTest() : k(sys::add_run_constants(module)), plant(sys::standard_cart_pole(k)) {}

    // One step from `start` under `action`; gives the push.
    double step(double action, sys::CartPoleState& s) { return sys::cart_pole_step(k, plant, action, s)[0]; }

    rt::ModuleConstants module{"cart pole test"};
    sys::RunConstants k;
    sys::CartPole plant;
};

sys::CartPoleState rest() { return {0.0, 0.0, 0.0, 0.0}; }

TEST_F(CartPoleStepTest, PushToTheRightFromRestFollowsTheEquationsInTheirOrder) {
    sys::CartPoleState s = rest();
    EXPECT_EQ(step(2, s), 10.0);

    // The same arithmetic in the same grouping, in plain doubles.
    const double a_theta = -10.0 / ((1.3333333333333333 * 1.1) * 0.5 - 0.1 * 0.5);
    const double a_x = (10.0 - (0.1 * 0.5) * a_theta) / 1.1;
    const double v_theta = 0.02 * a_theta;
    const double v_x = 0.02 * a_x;
    EXPECT_LT(a_theta, 0);
    EXPECT_EQ(s.v_theta[0], v_theta);
    // Semi-implicit: the positions move with the velocities just updated.
    EXPECT_EQ(s.theta[0], 0.02 * v_theta);
    EXPECT_NE(s.theta[0], 0.0);
    EXPECT_EQ(s.v_x[0], v_x);
    EXPECT_EQ(s.x[0], 0.02 * v_x);
}

TEST_F(CartPoleStepTest, LeftAndRightPushesMirrorEachOther) {
    sys::CartPoleState left = rest(), right = rest();
    EXPECT_EQ(step(1, left), -10.0);
    EXPECT_EQ(step(2, right), 10.0);
    EXPECT_GT(left.v_theta[0], 0);
    EXPECT_EQ(left.v_theta[0], -right.v_theta[0]);
    EXPECT_EQ(left.theta[0], -right.theta[0]);
    EXPECT_EQ(left.v_x[0], -right.v_x[0]);
    EXPECT_EQ(left.x[0], -right.x[0]);

    // Only action 1 pushes left: "no action yet" (-1) pushes right.
    sys::CartPoleState none = rest();
    EXPECT_EQ(step(-1, none), 10.0);
    EXPECT_EQ(none.x[0], right.x[0]);
}

TEST_F(CartPoleStepTest, GravityPullsALeaningPoleFurtherOver) {
    // With the pole leaning right, gravity adds to what a push left does and
    // works against a push right.
    sys::CartPoleState upright = rest(), leaning = rest();
    leaning.theta = 0.1;
    step(1, upright);
    step(1, leaning);
    EXPECT_GT(leaning.v_theta[0], upright.v_theta[0]);
}

TEST_F(CartPoleStepTest, AStateFarOutsideTheLimitsIsAdvancedLikeAnyOther) {
    sys::CartPoleState s{100.0, 3.0, 2.0, -5.0};
    step(2, s);
    EXPECT_NE(s.x[0], 100.0);
    EXPECT_NE(s.theta[0], 2.0);
    EXPECT_GT(s.x[0], 100.0);
}

TEST(CartPoleConstants, ReadingBeforeTheModuleIsInitialisedIsAnError) {
    const sys::RunConstants none;
    EXPECT_THROW(none[sys::kMass], rt::Error);
}

}  // namespace
