// The learning modules called directly and by name, the plant's step and
// the failure's update.
#include "learning/cart_pole_step.hpp"
#include "learning/get_action.hpp"
#include "learning/get_box.hpp"
#include "learning/learning_run.hpp"
#include "learning/reset_cart.hpp"
#include "learning/run_constants.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/random.hpp"
#include "tests/app/running_program.hpp"
#include "tests/error_text.hpp"

namespace {

// get_box: the box of a state.
constexpr double kDegree = 0.017453292519943295;

double box(double x, double v_x, double theta, double v_theta) { return sys::get_box(x, v_x, theta, v_theta)[0]; }
double below(double d) { return std::nextafter(d, -std::numeric_limits<double>::infinity()); }
double above(double d) { return std::nextafter(d, std::numeric_limits<double>::infinity()); }

class GetBoxTest : public sys_test::RunningProgram {};

TEST_F(GetBoxTest, EveryCombinationOfBinsGivesItsOwnBox) {
    // One value inside each bin, lowest bin first; the box numbers are
    // 1 + i + 3j + 9k + 54l, each of 1...162 once.
    const double xs[] = {-1.0, 0.0, 1.0}, thetas[] = {-0.15, -0.05, -0.01, 0.01, 0.05, 0.15};
    for (int l = 0; l < 3; ++l)
        for (int k = 0; k < 6; ++k)
            for (int j = 0; j < 3; ++j)
                for (int i = 0; i < 3; ++i)
                    EXPECT_EQ(box(xs[i], xs[j], thetas[k], xs[l]), 1 + i + 3 * j + 9 * k + 54 * l);
}

TEST_F(GetBoxTest, AValueOnABinBoundGoesToTheBinAboveAndTheFailureRegionHasOpenBounds) {
    const double d = kDegree, edge = 12 * kDegree;
    // Each bound of x, v_x, theta and v_theta, and the value just below it.
    EXPECT_EQ((std::vector<double>{box(-0.8, 0, 0, 0), box(below(-0.8), 0, 0, 0), box(0.8, 0, 0, 0), box(0, -0.5, 0, 0),
                                   box(0, 0.5, 0, 0), box(0, 0, -d, 0), box(0, 0, below(-d), 0), box(0, 0, -6 * d, 0),
                                   box(0, 0, below(-6 * d), 0), box(0, 0, d, 0), box(0, 0, 6 * d, 0),
                                   box(0, 0, 0, -50 * d), box(0, 0, 0, below(-50 * d)), box(0, 0, 0, 50 * d)}),
              (std::vector<double>{86, 85, 87, 86, 89, 77, 68, 68, 59, 95, 104, 86, 32, 140}));
    // The failure bounds themselves do not fail; velocities never fail, however large.
    EXPECT_EQ((std::vector<double>{box(2.4, 0, 0, 0), box(-2.4, 0, 0, 0), box(0, 0, edge, 0), box(0, 0, -edge, 0),
                                   box(2.4000000000000004, 0, 0, 0), box(below(-2.4), 0, 0, 0),
                                   box(0, 0, above(edge), 0), box(0, 0, below(-edge), 0), box(0, 1e9, 0, -1e9),
                                   box(-3, -3, -1, -3)}),
              (std::vector<double>{87, 85, 104, 59, -1, -1, -1, -1, 2 + 6 + 27, -1}));
}

TEST_F(GetBoxTest, NaNComparesFalseEverywhere) {
    const double nan = std::nan("");
    EXPECT_EQ((std::vector<double>{box(nan, nan, nan, nan), box(nan, 0, 0, 0), box(0, 0, nan, 0)}),
              (std::vector<double>{162, 87, 104}));
}

TEST_F(GetBoxTest, ByNameStoresOutputOneAndNamesAMissingInput) {
    const rt::Value state[] = {0.0, 0.0, 0.0, 0.0};
    EXPECT_EQ(rt::feval("get_box", 0, state)[0][0], 86);
    EXPECT_EQ(error_of([&] { rt::feval("get_box", 1, std::span(state, 3)); }),
              "Input argument \"v_theta\" is undefined.");
}

// get_action: the decision of a step and its update of the table.

// The state (0, 0, 0, 0) lies in box 86.
constexpr double kCentre = 86;

struct Call {
    double x = 0, v_x = 0, theta = 0, v_theta = 0, reinf = 0;
    double pre_state = 1, cur_state = 10, pre_action = -1, cur_action = 1;
    double alpha = 0.5, beta = 0, gamma = 0.9;
};

using sys::Decision;

Decision act(const Call& c, rt::Value q_val) {
    return sys::get_action({std::move(q_val), c.pre_state, c.pre_action, c.cur_state, c.cur_action}, c.x, c.v_x,
                           c.theta, c.v_theta, c.reinf, {c.alpha, c.beta, c.gamma});
}

rt::Value table_with_row(double row, double q1, double q2) {
    rt::Value q = rt::zeros(162, 2);
    rt::array_assign2(q, row, 1, q1);
    rt::array_assign2(q, row, 2, q2);
    return q;
}

class GetActionTest : public sys_test::RunningProgram {};

TEST_F(GetActionTest, GreedyChoiceAndPredictedValueFromTheNewBoxInTheUpdatesGrouping) {
    // The new box's better action is chosen and predicts the value; a tie
    // goes to action 2.
    for (const auto& [q1, q2, chosen] : {std::tuple{0.5, 0.2, 1.0}, {0.2, 0.5, 2.0}, {0.3, 0.3, 2.0}}) {
        rt::Value q = table_with_row(kCentre, q1, q2);
        rt::array_assign2(q, 10, 1, 0.7);
        const Decision d = act({.reinf = 0.1, .alpha = 0.3}, q);
        EXPECT_EQ(d.cur_action[0], chosen);
        EXPECT_EQ(rt::array_ref2(d.q_val, 10.0, 1.0), 0.7 + 0.3 * ((0.1 + 0.9 * std::max(q1, q2)) - 0.7));
    }
}

TEST_F(GetActionTest, ALogicalStateDecidesAsADoubleOneDoes) {
    // A value other than a double scalar takes the body's general copy; its
    // decision and update are those of the scalar copy.
    rt::Value q = table_with_row(kCentre, 0.2, 0.5);
    rt::array_assign2(q, 1, 1, 0.7);
    const Call c{.reinf = 0.1, .cur_state = 1, .alpha = 0.3};
    const Decision fast = act(c, q);
    const Decision general = sys::get_action({q, c.pre_state, c.pre_action, rt::Value::logical(true), c.cur_action},
                                             c.x, c.v_x, c.theta, c.v_theta, c.reinf, {c.alpha, c.beta, c.gamma});
    EXPECT_TRUE(rt::isequal(general.q_val, fast.q_val));
    EXPECT_NE(rt::array_ref2(fast.q_val, 1.0, 1.0), 0.7);  // the update took place
    EXPECT_EQ(general.pre_state.class_id(), rt::ClassId::Logical);
    for (const Decision* d : {&fast, &general})
        EXPECT_EQ((std::vector<double>{d->pre_state[0], d->pre_action[0], d->cur_state[0], d->cur_action[0]}),
                  (std::vector<double>{1, 1, kCentre, 2}));
}

TEST_F(GetActionTest, RowsOutsideTheTableRaiseTheIndexingError) {
    // The new box the failure box; the failure box become the previous one; beyond the table.
    for (const auto& [call, index] : {std::pair<Call, const char*>{{.x = 3, .cur_action = -1}, "-1"},
                                      {{.cur_state = -1}, "-1"},
                                      {{.cur_state = 163}, "163"}}) {
        const Call& c = call;  // a lambda captures a variable, not a structured binding, in clang 14
        const std::string message = error_of([&] { act(c, rt::zeros(162, 2)); });
        EXPECT_NE(message.find(index), std::string::npos) << message;
    }
}

TEST_F(GetActionTest, ByNameOutputsInTheirOrder) {
    const rt::Value q = rt::zeros(162, 2);
    std::vector<rt::Value> in = {0.0, 0.0, 0.0, 0.0, 1.0, q, 5.0, 10.0, 2.0, 1.0, 0.5, 0.0, 0.9};
    std::vector<rt::Value> out = rt::feval("get_action", 5, in);
    EXPECT_TRUE(rt::isequal(out[0], table_with_row(10, 0.5, 0)));
    EXPECT_TRUE(rt::isequal(q, rt::zeros(162, 2)));  // the caller's table is its own
    // pre_state, pre_action, cur_state, cur_action.
    EXPECT_EQ((std::vector<double>{out[1][0], out[2][0], out[3][0], out[4][0]}),
              (std::vector<double>{10, 1, kCentre, 2}));

    // GAMMA is read only by an update.
    std::vector<rt::Value> twelve(in.begin(), in.end() - 1);
    EXPECT_EQ(error_of([&] { rt::feval("get_action", 1, twelve); }), "Input argument \"GAMMA\" is undefined.");
    twelve[9] = -1.0;
    EXPECT_EQ(error_of([&] { rt::feval("get_action", 1, twelve); }), "");
}

// reset_cart: the start of a trial.
std::vector<double> reset(double beta) {
    rt::Value out[7];
    rt::Value first = sys::reset_cart(beta, &out[0], &out[1], &out[2], &out[3], &out[4], &out[5], &out[6]);
    std::vector<double> all = {first[0]};
    for (const rt::Value& v : out) all.push_back(v[0]);
    return all;
}

class ResetCartTest : public sys_test::RunningProgram {};

// The draws and their order are the learning oracle's to check.
TEST_F(ResetCartTest, ZeroBetaStartsAtRestAndOutputsNotWantedAreStillDrawn) {
    EXPECT_EQ(reset(0), (std::vector<double>{1, 1, -1, -1, 0, 0, 0, 0}));
    rt::seed_rand(7);
    for (int i = 0; i < 4; ++i) static_cast<void>(rt::rand());
    const double fifth = rt::rand();
    rt::seed_rand(7);
    EXPECT_EQ(sys::reset_cart(0.3, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr)[0], 1);
    EXPECT_EQ(rt::rand(), fifth);
}

TEST_F(ResetCartTest, ByNameOutputsAndMissingBeta) {
    const rt::Value beta[] = {0.0};
    std::vector<rt::Value> out = rt::feval("reset_cart", 8, beta);
    EXPECT_EQ(std::tuple(out[3][0], out[7][0], rt::feval("reset_cart", 0, beta)[0][0]), std::tuple(-1.0, 0.0, 1.0));
    EXPECT_EQ(error_of([&] { rt::feval("reset_cart", 1, {}); }), "Input argument \"BETA\" is undefined.");
}

// The plant's step and the failure's update, on the run's own constants.

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

TEST_F(CartPoleStepTest, ALogicalActionAndStateStepAsDoubleOnesDo) {
    // A logical action (true is action 1) and a logical state take the
    // step's general copy; the state it reaches is the scalar copy's.
    sys::CartPoleState fast = rest(), general{rt::Value::logical(false), 0.0, 0.0, 0.0};
    EXPECT_EQ(step(1, fast), -10.0);
    EXPECT_EQ(sys::cart_pole_step(k, plant, rt::Value::logical(true), general)[0], -10.0);
    EXPECT_EQ(state(general), state(fast));
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
