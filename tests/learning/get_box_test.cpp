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
    // One value inside each bin, lowest bin first.
    const std::vector<double> xs = {-1.0, 0.0, 1.0};
    const std::vector<double> vxs = {-1.0, 0.0, 1.0};
    const std::vector<double> thetas = {-0.15, -0.05, -0.01, 0.01, 0.05, 0.15};
    const std::vector<double> vthetas = {-1.0, 0.0, 1.0};
    std::vector<int> seen(163, 0);
    for (int l = 0; l < 3; ++l)
        for (int k = 0; k < 6; ++k)
            for (int j = 0; j < 3; ++j)
                for (int i = 0; i < 3; ++i) {
                    const double b = box(xs[i], vxs[j], thetas[k], vthetas[l]);
                    EXPECT_EQ(b, 1 + i + 3 * j + 9 * k + 54 * l);
                    if (b >= 1 && b <= 162) ++seen[static_cast<int>(b)];
                }
    for (int b = 1; b <= 162; ++b) EXPECT_EQ(seen[b], 1) << b;
    EXPECT_EQ(box(0, 0, 0, 0), 86);
    EXPECT_EQ(box(-1, -1, -0.15, -1), 1);
    EXPECT_EQ(box(1, 1, 0.15, 1), 162);
}

TEST_F(GetBoxTest, AValueOnABinBoundGoesToTheBinAbove) {
    EXPECT_EQ(box(-0.8, 0, 0, 0), 86);
    EXPECT_EQ(box(below(-0.8), 0, 0, 0), 85);
    EXPECT_EQ(box(0.8, 0, 0, 0), 87);
    EXPECT_EQ(box(0, -0.5, 0, 0), 86);
    EXPECT_EQ(box(0, 0.5, 0, 0), 89);
    EXPECT_EQ(box(0, 0, -kDegree, 0), 77);
    EXPECT_EQ(box(0, 0, below(-kDegree), 0), 68);
    EXPECT_EQ(box(0, 0, -6 * kDegree, 0), 68);
    EXPECT_EQ(box(0, 0, below(-6 * kDegree), 0), 59);
    EXPECT_EQ(box(0, 0, kDegree, 0), 95);
    EXPECT_EQ(box(0, 0, 6 * kDegree, 0), 104);
    EXPECT_EQ(box(0, 0, 0, -50 * kDegree), 86);
    EXPECT_EQ(box(0, 0, 0, below(-50 * kDegree)), 32);
    EXPECT_EQ(box(0, 0, 0, 50 * kDegree), 140);
    EXPECT_EQ(6 * kDegree, 0.10471975511965978);
    EXPECT_EQ(50 * kDegree, 0.8726646259971648);
}

TEST_F(GetBoxTest, FailureRegionHasOpenBounds) {
    const double edge = 12 * kDegree;
    EXPECT_EQ(edge, 0.20943951023931956);
    EXPECT_NE(box(2.4, 0, 0, 0), -1);
    EXPECT_NE(box(-2.4, 0, 0, 0), -1);
    EXPECT_NE(box(0, 0, edge, 0), -1);
    EXPECT_NE(box(0, 0, -edge, 0), -1);
    EXPECT_EQ(box(2.4000000000000004, 0, 0, 0), -1);
    EXPECT_EQ(box(below(-2.4), 0, 0, 0), -1);
    EXPECT_EQ(box(0, 0, above(edge), 0), -1);
    EXPECT_EQ(box(0, 0, below(-edge), 0), -1);
    // Velocities never fail, however large.
    EXPECT_EQ(box(0, 1e9, 0, -1e9), 2 + 6 + 27);
    EXPECT_EQ(box(-3, -3, -1, -3), -1);
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
