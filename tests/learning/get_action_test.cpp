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

// pre_state, pre_action, cur_state, cur_action.
std::vector<double> decision(const Decision& d) {
    return {d.pre_state[0], d.pre_action[0], d.cur_state[0], d.cur_action[0]};
}

using sys_test::error_of;

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
    // Action 2 is never taken where action 1 is worth more.
    for (int i = 0; i < 20; ++i) EXPECT_EQ(act({.beta = 1}, table_with_row(kCentre, 0.5, 0.2)).cur_action[0], 1);
}

TEST_F(GetActionTest, RowsOutsideTheTableRaiseTheIndexingError) {
    // The new box the failure box; the failure box become the previous one; beyond the table.
    for (const auto& [c, index] : {std::pair<Call, const char*>{{.x = 3, .cur_action = -1}, "-1"},
                                   {{.cur_state = -1}, "-1"},
                                   {{.cur_state = 163}, "163"}}) {
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
    EXPECT_TRUE(rt::isequal(out[0], table_with_row(10, 0.5, 0)));
    EXPECT_TRUE(rt::isequal(q, rt::zeros(162, 2)));  // the caller's table is its own
    EXPECT_EQ(decision({out[0], out[1], out[2], out[3], out[4]}), (std::vector<double>{10, 1, kCentre, 2}));

    // GAMMA is read only by an update.
    std::vector<rt::Value> twelve(in.begin(), in.end() - 1);
    EXPECT_EQ(error_of([&] { rt::feval("get_action", 1, twelve); }), "Input argument \"GAMMA\" is undefined.");
    twelve[9] = -1.0;
    EXPECT_EQ(error_of([&] { rt::feval("get_action", 1, twelve); }), "");
}

}  // namespace
