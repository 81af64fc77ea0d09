#pragma once
// What lets a person (or a script) watch a run learn, as one program
// extension: the run controls' status line with windows, the learning
// curve, the policy map and the final pose after a success (with windows, or for
// --save-figures), the learned controller (Watch learned policy, and
// --replay SECONDS headless), and --trials-csv FILE.

#include <memory>
#include <string>

#include "app/final_pose.hpp"
#include "app/learned_policy.hpp"
#include "app/learning_curve.hpp"
#include "app/policy_map.hpp"
#include "app/run_status_line.hpp"
#include "app/trials_csv.hpp"
#include "runtime/main/program_extension.hpp"

namespace sys {

class WatchExtension final : public rt::ProgramExtension, private RunObserver {
public:
    void add_options(CLI::App& app) override;
    std::string check(const rt::ProgramOptions& options) override;
    void started(const rt::ProgramOptions& options) override;
    int after_actions() override;
    void ending() override;

private:
    // Each slider's tooltip: its range, and when a change takes effect;
    // given after the actions, or at a run's start if one starts first.
    void explain_sliders();
    void run_started(const RunSettings&) override { explain_sliders(); }

    bool headless_ = true, sliders_explained_ = false;
    std::string csv_path_;
    TrialsCsv csv_;
    RunStatusLine status_;
    std::unique_ptr<LearningCurve> curve_;  // made when it will be seen
    std::unique_ptr<PolicyMap> map_;
    FinalPose pose_;
    double replay_seconds_ = 0;
    LearnedPolicy policy_;
    bool policy_installed_ = false;
    bool pose_installed_ = false;
    bool csv_installed_ = false, status_installed_ = false;
};

WatchExtension& watch_extension();

}  // namespace sys
