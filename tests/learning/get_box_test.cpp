#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "learning/get_box.hpp"
#include "runtime/call/feval.hpp"
#include "tests/app/running_program.hpp"
#include "tests/error_text.hpp"

namespace {

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
    EXPECT_EQ(6 * kDegree, 0.10471975511965978);
    EXPECT_EQ(50 * kDegree, 0.8726646259971648);
    EXPECT_EQ(edge, 0.20943951023931956);
    struct Case {
        double x, v_x, theta, v_theta, box;
    };
    for (const Case& c : std::vector<Case>{
             {-0.8, 0, 0, 0, 86}, {below(-0.8), 0, 0, 0, 85}, {0.8, 0, 0, 0, 87}, {0, -0.5, 0, 0, 86},
             {0, 0.5, 0, 0, 89}, {0, 0, -kDegree, 0, 77}, {0, 0, below(-kDegree), 0, 68}, {0, 0, -6 * kDegree, 0, 68},
             {0, 0, below(-6 * kDegree), 0, 59}, {0, 0, kDegree, 0, 95}, {0, 0, 6 * kDegree, 0, 104},
             {0, 0, 0, -50 * kDegree, 86}, {0, 0, 0, below(-50 * kDegree), 32}, {0, 0, 0, 50 * kDegree, 140},
             // The failure bounds themselves do not fail; velocities never fail, however large.
             {2.4, 0, 0, 0, 87}, {-2.4, 0, 0, 0, 85}, {0, 0, edge, 0, 104}, {0, 0, -edge, 0, 59},
             {2.4000000000000004, 0, 0, 0, -1}, {below(-2.4), 0, 0, 0, -1}, {0, 0, above(edge), 0, -1},
             {0, 0, below(-edge), 0, -1}, {0, 1e9, 0, -1e9, 2 + 6 + 27}, {-3, -3, -1, -3, -1}})
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
    EXPECT_EQ(sys_test::error_of([&] { rt::feval("get_box", 1, std::span(state, 3)); }),
              "Input argument \"v_theta\" is undefined.");
}

}  // namespace
