// The plant's step and the failure's update, on the run's own constants.
#include "tests/common.hpp"

#include "learning/cart_pole_step.hpp"
#include "learning/learning_run.hpp"
#include "learning/run_constants.hpp"
#include "runtime/array/error.hpp"
#include "runtime/array/ops.hpp"

namespace {

class CartPoleStepTest : public ::testing::Test {
protected:
    CartPoleStepTest() : k(sys::add_run_constants(module)), plant(sys::standard_cart_pole(k)) {}

    // One step under `action`; gives the push.
    double step(double action, sys::CartPoleState& s) { return sys::cart_pole_step(k, plant, action, s)[0]; }

    rt::ModuleConstants module{"cart pole test"};
    sys::RunConstants k;
    sys::CartPole plant;
};

sys::CartPoleState rest() { return {0.0, 0.0, 0.0, 0.0}; }
std::vector<double> state(const sys::CartPoleState& s, double sign = 1) {
    return {sign * s.x[0], sign * s.v_x[0], sign * s.theta[0], sign * s.v_theta[0]};
}

TEST_F(CartPoleStepTest, PushesFromRestFollowTheEquationsInTheirOrderAndMirrorEachOther) {
    sys::CartPoleState right = rest(), left = rest(), none = rest();
    EXPECT_EQ(step(2, right), 10.0);
    // The same arithmetic in the same grouping, in plain doubles; semi-implicit:
    // the positions move with the velocities just updated.
    const double a_theta = -10.0 / ((1.3333333333333333 * 1.1) * 0.5 - 0.1 * 0.5);
    const double v_x = 0.02 * ((10.0 - (0.1 * 0.5) * a_theta) / 1.1), v_theta = 0.02 * a_theta;
    EXPECT_LT(a_theta, 0);
    EXPECT_EQ(state(right), (std::vector<double>{0.02 * v_x, v_x, 0.02 * v_theta, v_theta}));

    EXPECT_EQ(step(1, left), -10.0);
    EXPECT_EQ(state(left), state(right, -1));
    // Only action 1 pushes left: "no action yet" (-1) pushes right.
    EXPECT_EQ(step(-1, none), 10.0);
    EXPECT_EQ(state(none), state(right));
}

TEST(CartPoleConstants, ReadingBeforeTheModuleIsInitialisedIsAnError) {
    const sys::RunConstants none;
    EXPECT_THROW(none[sys::kMass], rt::Error);
}

class FailureUpdateTest : public CartPoleStepTest {
protected:
    void fail(double state, double action) { sys::failure_update(k, q_val, state, action, -1.0, 0.3, 0.95); }
    rt::Value q_val = rt::zeros(162, 2);
};

TEST_F(FailureUpdateTest, UpdatesOnlyThePreviousDecisionsEntryInItsGrouping) {
    rt::array_assign2(q_val, 5.0, 2.0, 0.5);
    fail(5, 2);
    rt::Value expected = rt::zeros(162, 2);
    rt::array_assign2(expected, 5.0, 2.0, 0.5 + 0.3 * ((-1.0 + 0.95 * 0.0) - 0.5));
    EXPECT_TRUE(rt::isequal(q_val, expected));
    // From zero the entry becomes ALPHA times the reinforcement.
    fail(162, 1);
    EXPECT_EQ(rt::array_ref2(q_val, 162.0, 1.0), 0.3 * -1.0);
}

TEST_F(FailureUpdateTest, AFailureBeforeAnyDecisionUpdatesNothing) {
    // The first step after a reset: get_action has moved the reset values
    // (box 1, action -1) into the previous decision.
    fail(1, -1);
    EXPECT_TRUE(rt::isequal(q_val, rt::zeros(162, 2)));
    // Any other entry outside the table is the runtime's indexing error.
    EXPECT_THROW(fail(163, 1), rt::Error);
}

}  // namespace
