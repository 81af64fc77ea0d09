// The learning modules called directly and by name.

#include "learning/get_action.hpp"
#include "learning/get_box.hpp"
#include "learning/reset_cart.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/random.hpp"
#include "tests/app/running_program.hpp"
#include "tests/error_text.hpp"

namespace {

using sys_test::error_of;

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
    const double edge = 12 * kDegree;
    struct Case {
        double x, v_x, theta, v_theta, box;
    };
    for (const Case& c :
         std::vector<Case>{{-0.8, 0, 0, 0, 86},
                           {below(-0.8), 0, 0, 0, 85},
                           {0.8, 0, 0, 0, 87},
                           {0, -0.5, 0, 0, 86},
                           {0, 0.5, 0, 0, 89},
                           {0, 0, -kDegree, 0, 77},
                           {0, 0, below(-kDegree), 0, 68},
                           {0, 0, -6 * kDegree, 0, 68},
                           {0, 0, below(-6 * kDegree), 0, 59},
                           {0, 0, kDegree, 0, 95},
                           {0, 0, 6 * kDegree, 0, 104},
                           {0, 0, 0, -50 * kDegree, 86},
                           {0, 0, 0, below(-50 * kDegree), 32},
                           {0, 0, 0, 50 * kDegree, 140},
                           // The failure bounds themselves do not fail; velocities never fail, however large.
                           {2.4, 0, 0, 0, 87},
                           {-2.4, 0, 0, 0, 85},
                           {0, 0, edge, 0, 104},
                           {0, 0, -edge, 0, 59},
                           {2.4000000000000004, 0, 0, 0, -1},
                           {below(-2.4), 0, 0, 0, -1},
                           {0, 0, above(edge), 0, -1},
                           {0, 0, below(-edge), 0, -1},
                           {0, 1e9, 0, -1e9, 2 + 6 + 27},
                           {-3, -3, -1, -3, -1}})
        EXPECT_EQ(box(c.x, c.v_x, c.theta, c.v_theta), c.box)
            << c.x << ' ' << c.v_x << ' ' << c.theta << ' ' << c.v_theta;
}

TEST_F(GetBoxTest, NaNComparesFalseEverywhere) {
    const double nan = std::nan("");
    EXPECT_EQ(box(nan, nan, nan, nan), 162);
    EXPECT_EQ(box(nan, 0, 0, 0), 87);
    EXPECT_EQ(box(0, 0, nan, 0), 104);
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

double at(const rt::Value& q, double row, double col) { return rt::array_ref2(q, row, col); }

// pre_state, pre_action, cur_state, cur_action.
std::vector<double> decision(const Decision& d) {
    return {d.pre_state[0], d.pre_action[0], d.cur_state[0], d.cur_action[0]};
}

class GetActionTest : public sys_test::RunningProgram {};

TEST_F(GetActionTest, ShiftsTheDecisionAndUpdatesOnlyThePreviousEntryOnceThereIsOne) {
    // All zeros and no bonus: the tie goes to 2; the update is ALPHA * reinf.
    const Decision d = act({.reinf = -1, .pre_state = 5, .pre_action = 2}, rt::zeros(162, 2));
    EXPECT_EQ(decision(d), (std::vector<double>{10, 1, kCentre, 2}));
    EXPECT_TRUE(rt::isequal(d.q_val, table_with_row(10, -0.5, 0)));

    // No update before the first action.
    const rt::Value q = table_with_row(10, 0.25, 0.75);
    const Decision first = act({.reinf = -5, .cur_action = -1}, q);
    EXPECT_EQ(first.pre_action[0], -1);
    EXPECT_TRUE(rt::isequal(first.q_val, q));
}

TEST_F(GetActionTest, GreedyChoiceAndPredictedValueFromTheNewBoxInTheUpdatesGrouping) {
    // The new box's better action is chosen and predicts the value; a tie
    // goes to action 2.
    for (const auto& [q1, q2, chosen] : {std::tuple{0.5, 0.2, 1.0}, {0.2, 0.5, 2.0}, {0.3, 0.3, 2.0}}) {
        rt::Value q = table_with_row(kCentre, q1, q2);
        rt::array_assign2(q, 10, 1, 0.7);
        const Decision d = act({.reinf = 0.1, .alpha = 0.3}, q);
        EXPECT_EQ(d.cur_action[0], chosen);
        EXPECT_EQ(at(d.q_val, 10, 1), 0.7 + 0.3 * ((0.1 + 0.9 * std::max(q1, q2)) - 0.7));
    }
}

TEST_F(GetActionTest, RandomBonusGoesToActionOneOnlyOneDrawPerCall) {
    bool saw_one = false, saw_two = false;
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        rt::seed_rand(seed);
        const double u = rt::rand();
        const double next = rt::rand();
        rt::seed_rand(seed);
        const Decision d = act({.beta = 1}, table_with_row(kCentre, 0.2, 0.5));
        const double expected = 0.2 + u * 1.0 <= 0.5 ? 2 : 1;
        EXPECT_EQ(d.cur_action[0], expected) << "u = " << u;
        EXPECT_EQ(rt::rand(), next);
        (expected == 1 ? saw_one : saw_two) = true;
    }
    EXPECT_TRUE(saw_one && saw_two);
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
    EXPECT_EQ(decision({out[0], out[1], out[2], out[3], out[4]}), (std::vector<double>{10, 1, kCentre, 2}));

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

TEST_F(ResetCartTest, StateIsFourDrawsInOrderTimesBetaAndZeroBetaStartsAtRest) {
    EXPECT_EQ(reset(0), (std::vector<double>{1, 1, -1, -1, 0, 0, 0, 0}));
    rt::seed_rand(7);
    std::vector<double> draws;
    for (int i = 0; i < 5; ++i) draws.push_back(rt::rand());
    rt::seed_rand(7);
    EXPECT_EQ(reset(0.3),
              (std::vector<double>{1, 1, -1, -1, draws[0] * 0.3, draws[1] * 0.3, draws[2] * 0.3, draws[3] * 0.3}));
    // Outputs not wanted are still drawn.
    rt::seed_rand(7);
    EXPECT_EQ(sys::reset_cart(0.3, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr)[0], 1);
    EXPECT_EQ(rt::rand(), draws[4]);
}

TEST_F(ResetCartTest, ByNameOutputsAndMissingBeta) {
    const rt::Value beta[] = {0.0};
    std::vector<rt::Value> out = rt::feval("reset_cart", 8, beta);
    EXPECT_EQ(out[3][0], -1);
    EXPECT_EQ(out[7][0], 0);
    EXPECT_EQ(rt::feval("reset_cart", 0, beta)[0][0], 1);
    EXPECT_EQ(error_of([&] { rt::feval("reset_cart", 1, {}); }), "Input argument \"BETA\" is undefined.");
}

}  // namespace
