#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "learning/reset_cart.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/random.hpp"
#include "tests/app/running_program.hpp"
#include "tests/error_text.hpp"

namespace {

std::vector<double> reset(double beta) {
    rt::Value out[7];
    rt::Value first = sys::reset_cart(beta, &out[0], &out[1], &out[2], &out[3], &out[4], &out[5], &out[6]);
    std::vector<double> all = {first[0]};
    for (const rt::Value& v : out) all.push_back(v[0]);
    return all;
}

using sys_test::error_of;

class ResetCartTest : public sys_test::RunningProgram {};

TEST_F(ResetCartTest, StateIsFourDrawsInOrderTimesBetaAndZeroBetaStartsAtRest) {
    EXPECT_EQ(reset(0), (std::vector<double>{1, 1, -1, -1, 0, 0, 0, 0}));
    rt::seed_rand(7);
    std::vector<double> draws;
    for (int i = 0; i < 5; ++i) draws.push_back(rt::rand());
    rt::seed_rand(7);
    EXPECT_EQ(reset(0.3), (std::vector<double>{1, 1, -1, -1, draws[0] * 0.3, draws[1] * 0.3, draws[2] * 0.3,
                                                draws[3] * 0.3}));
    // Outputs not wanted are still drawn.
    rt::seed_rand(7);
    EXPECT_EQ(sys::reset_cart(0.3, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr)[0], 1);
    EXPECT_EQ(rt::rand(), draws[4]);

    for (int trial = 0; trial < 50; ++trial) {
        const std::vector<double> pos = reset(0.3), neg = reset(-0.3);
        for (int i = 4; i < 8; ++i) {
            EXPECT_TRUE(pos[i] >= 0 && pos[i] < 0.3) << pos[i];
            EXPECT_TRUE(neg[i] <= 0 && neg[i] > -0.3) << neg[i];
        }
    }
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
