#pragma once
// The policy map window: the 162 boxes as a 2-D grid, coloured by
// Q(push right) - Q(push left), redrawn at every failure, with the box the
// cart is in outlined while a run goes. Columns: three blocks of cart
// position, each of six pole-angle cells; rows: three blocks of cart
// velocity (fastest right at the top), each of three angular-velocity
// cells. A chart beside the object tree (runtime/main/charts.hpp), named
// "policy-map".

#include <chrono>

#include "learning/run_observer.hpp"
#include "runtime/render/chart.hpp"

namespace sys {

inline constexpr const char* kPolicyMap = "policy-map";

// The grid cell (row * 18 + column, top row first) of box 1 to 162, as
// get_box numbers them: box - 1 = x bin + 3 v_x bin + 9 theta bin + 54
// v_theta bin.
int policy_map_cell(int box);

class PolicyMap final : public RunObserver {
public:
    using Clock = std::chrono::steady_clock;

    PolicyMap();
    void run_started(const RunSettings&) override;
    void step(const StepReport& r) override;
    RunCourse trial_ended(const TrialReport& r) override;
    void run_ended(const TrialReport& last, bool converged) override;

    const rt::Chart& chart() const noexcept { return chart_; }

private:
    rt::Chart& chart_;
    long steps_to_check_ = 0;
    Clock::time_point shown_{};
};

}  // namespace sys
