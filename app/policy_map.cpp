#include "app/policy_map.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "runtime/main/charts.hpp"

namespace sys {

namespace {

constexpr int kRows = 9, kCols = 18, kBoxes = 162;
constexpr long kStepsBetweenClockReads = 64;
constexpr double kSecondsBetweenOutlines = 0.05;

rt::Chart& map_chart() { return rt::chart(kPolicyMap, {"Policy map", {880, 470, 390, 400}}); }

}  // namespace

int policy_map_cell(int box) {
    const int b = box - 1;
    const int x_bin = b % 3, v_bin = b / 3 % 3, theta_bin = b / 9 % 6, omega_bin = b / 54;
    const int row = (2 - v_bin) * 3 + (2 - omega_bin), col = x_bin * 6 + theta_bin;
    return row * kCols + col;
}

PolicyMap::PolicyMap() : chart_(map_chart()) {
    chart_.title = "Policy map: Q(push right) - Q(push left) per box";
    chart_.x_label = "cart position x (m)";
    rt::ChartGrid& g = chart_.grid;
    g.rows = kRows;
    g.cols = kCols;
    g.values.assign(kRows * kCols, std::numeric_limits<double>::quiet_NaN());
    g.block_rows = 3;
    g.block_cols = 6;
    g.col_blocks = {"x < -0.8", "-0.8 to 0.8", "x > 0.8"};
    g.row_blocks = {"cart velocity > 0.5 m/s", "-0.5 to 0.5", "< -0.5"};
    g.note =
        "In a block: pole angle by column (bounds -6, -1, 0, 1, 6 degrees), angular velocity by row "
        "(bounds 50, -50 degrees/s).";
    g.color_label = "red: push right";
}

void PolicyMap::run_started(const RunSettings&) {
    std::fill(chart_.grid.values.begin(), chart_.grid.values.end(), 0.0);
    chart_.grid.limit = 1;
    chart_.grid.outlined = -1;
    rt::chart_changed(kPolicyMap, true);
}

void PolicyMap::step(const StepReport& r) {
    // The outline follows the cart a few times a second, not at every step.
    if (--steps_to_check_ > 0) return;
    steps_to_check_ = kStepsBetweenClockReads;
    const Clock::time_point now = Clock::now();
    if (std::chrono::duration<double>(now - shown_).count() < kSecondsBetweenOutlines) return;
    shown_ = now;
    chart_.grid.outlined = r.box >= 1 && r.box <= kBoxes ? policy_map_cell(static_cast<int>(r.box)) : -1;
    rt::chart_changed(kPolicyMap);
}

RunCourse PolicyMap::trial_ended(const TrialReport& r) {
    if (!r.q_val || r.q_val->numel() < 2 * kBoxes) return RunCourse::go_on;
    const rt::Value& q = *r.q_val;
    double largest = 0;
    for (int box = 1; box <= kBoxes; ++box) {
        // Column-major: Q(box, 1) then, 162 further, Q(box, 2).
        const double d = q[static_cast<std::size_t>(kBoxes + box - 1)] - q[static_cast<std::size_t>(box - 1)];
        chart_.grid.values[static_cast<std::size_t>(policy_map_cell(box))] = d;
        if (std::isfinite(d)) largest = std::max(largest, std::fabs(d));
    }
    chart_.grid.limit = largest > 0 ? largest : 1;
    rt::chart_changed(kPolicyMap);
    return RunCourse::go_on;
}

void PolicyMap::run_ended(const TrialReport&, bool) {
    chart_.grid.outlined = -1;
    rt::chart_changed(kPolicyMap);
}

}  // namespace sys
