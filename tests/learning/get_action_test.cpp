#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "learning/get_action.hpp"
#include "runtime/array/error.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/random.hpp"
#include "tests/app/running_program.hpp"
#include "tests/error_text.hpp"

namespace {

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

using sys_test::error_of;

class GetActionTest : public sys_test::RunningProgram {};

TEST_F(GetActionTest, ShiftsTheDecisionAndUpdatesOnlyThePreviousEntry) {
    Call c;
    c.reinf = -1;
    c.pre_state = 5;
    c.pre_action = 2;
    const Decision d = act(c, rt::zeros(162, 2));
    EXPECT_EQ(d.pre_state[0], 10);
    EXPECT_EQ(d.pre_action[0], 1);
    EXPECT_EQ(d.cur_state[0], kCentre);
    EXPECT_EQ(d.cur_action[0], 2);  // all zeros and no bonus: the tie goes to 2
    EXPECT_EQ(at(d.q_val, 10, 1), -0.5);  // ALPHA * reinf
    double sum = 0;
    for (std::size_t i = 0; i < d.q_val.numel(); ++i) sum += d.q_val[i];
    EXPECT_EQ(sum, -0.5);
    EXPECT_EQ(d.q_val.rows(), 162u);
    EXPECT_EQ(d.q_val.cols(), 2u);
}

TEST_F(GetActionTest, NoUpdateBeforeTheFirstAction) {
    Call c;
    c.reinf = -5;
    c.cur_action = -1;
    const Decision d = act(c, table_with_row(10, 0.25, 0.75));
    EXPECT_EQ(d.pre_action[0], -1);
    EXPECT_EQ(at(d.q_val, 10, 1), 0.25);
    EXPECT_EQ(at(d.q_val, 10, 2), 0.75);
}

TEST_F(GetActionTest, GreedyChoiceAndPredictedValueFromTheNewBoxInTheUpdatesGrouping) {
    Call c;
    c.alpha = 0.3;
    c.reinf = 0.1;
    // The new box's better action is chosen and predicts the value; a tie
    // goes to action 2.
    for (const auto& [q1, q2, chosen] : {std::tuple{0.5, 0.2, 1.0}, {0.2, 0.5, 2.0}, {0.3, 0.3, 2.0}}) {
        rt::Value q = table_with_row(kCentre, q1, q2);
        rt::array_assign2(q, 10, 1, 0.7);
        const Decision d = act(c, q);
        EXPECT_EQ(d.cur_action[0], chosen);
        EXPECT_EQ(at(d.q_val, 10, 1), 0.7 + 0.3 * ((0.1 + 0.9 * std::max(q1, q2)) - 0.7));
    }
}

TEST_F(GetActionTest, RandomBonusGoesToActionOneOnlyOneDrawPerCall) {
    Call c;
    c.beta = 1;
    bool saw_one = false, saw_two = false;
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        rt::seed_rand(seed);
        const double u = rt::rand();
        const double next = rt::rand();
        rt::seed_rand(seed);
        const Decision d = act(c, table_with_row(kCentre, 0.2, 0.5));
        const double expected = 0.2 + u * 1.0 <= 0.5 ? 2 : 1;
        EXPECT_EQ(d.cur_action[0], expected) << "u = " << u;
        EXPECT_EQ(rt::rand(), next);
        (expected == 1 ? saw_one : saw_two) = true;
    }
    EXPECT_TRUE(saw_one && saw_two);
    // Action 2 is never taken where action 1 is worth more.
    for (int i = 0; i < 20; ++i) EXPECT_EQ(act(c, table_with_row(kCentre, 0.5, 0.2)).cur_action[0], 1);
}

TEST_F(GetActionTest, RowsOutsideTheTableRaiseTheIndexingError) {
    Call failed;  // the new box is the failure box
    failed.x = 3;
    failed.cur_action = -1;
    Call from_failure;  // the failure box becomes the previous one
    from_failure.cur_state = -1;
    Call beyond;
    beyond.cur_state = 163;
    for (const auto& [c, index] : {std::pair{failed, "-1"}, {from_failure, "-1"}, {beyond, "163"}}) {
        const std::string message = error_of([&] { act(c, rt::zeros(162, 2)); });
        EXPECT_NE(message.find(index), std::string::npos) << message;
    }
}

TEST_F(GetActionTest, DirectCallChangesTheMovedTableInPlace) {
    Decision d{rt::zeros(162, 2), 1.0, 1.0, 10.0, 1.0};
    const double* storage = d.q_val.data();
    for (int step = 0; step < 3; ++step)
        d = sys::get_action(std::move(d), 0.0, 0.0, 0.0, 0.0, 1.0, {0.5, 0.0, 0.9});
    EXPECT_EQ(d.q_val.data(), storage);
    EXPECT_NE(at(d.q_val, 10, 1), 0);
}

TEST_F(GetActionTest, ByNameOutputsInTheirOrder) {
    const rt::Value q = rt::zeros(162, 2);
    std::vector<rt::Value> in = {0.0, 0.0, 0.0, 0.0, 1.0, q, 5.0, 10.0, 2.0, 1.0, 0.5, 0.0, 0.9};
    std::vector<rt::Value> out = rt::feval("get_action", 5, in);
    EXPECT_EQ(at(out[0], 10, 1), 0.5);
    EXPECT_EQ(at(q, 10, 1), 0);  // the caller's table is its own
    EXPECT_EQ(out[1][0], 10);     // pre_state
    EXPECT_EQ(out[2][0], 1);      // pre_action
    EXPECT_EQ(out[3][0], kCentre);  // cur_state
    EXPECT_EQ(out[4][0], 2);      // cur_action

    // GAMMA is read only by an update.
    std::vector<rt::Value> twelve(in.begin(), in.end() - 1);
    EXPECT_EQ(error_of([&] { rt::feval("get_action", 1, twelve); }), "Input argument \"GAMMA\" is undefined.");
    twelve[9] = -1.0;
    EXPECT_EQ(error_of([&] { rt::feval("get_action", 1, twelve); }), "");
}

}  // namespace
