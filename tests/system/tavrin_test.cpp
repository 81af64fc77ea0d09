// The tavrin program end to end, headless: the runs a person makes, the
// switchyard and controls through --set, --click and --eval, the time limit,
// and the files and pace a run is asked for.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/system/program_run.hpp"

namespace {

using sys_test::joined;
using sys_test::kDeterministicRun;
using sys_test::outcome;
using sys_test::Outcome;
using sys_test::run_tavrin;
using sys_test::split;

// The records of a trials file, split at commas; none when a line does not
// end in CR LF.
std::vector<std::vector<std::string>> trial_records(const std::string& path) {
    std::vector<std::vector<std::string>> records;
    for (const std::string& line : sys_test::lines_of(path)) {
        if (line.empty() || line.back() != '\r') return {};
        records.push_back(split(line.substr(0, line.size() - 1), ','));
    }
    return records;
}

std::string text_of(const std::string& tag) { return "get(findall(0,'Tag','" + tag + "'),'String')"; }

TEST(Tavrin, TheSwitchyardPrintsACallbacksErrorAndTheWindowKeepsWorking) {
    // handles whose reinforcement slider is the root, which has no "Value":
    // the run shows its parameters, then fails at its first failure.
    const auto run =
        run_tavrin({"--headless", "--seed", "1", "--eval", "h = guidata(findall(0,'Tag','figure1'));", "--eval",
                    "tavrin('pushbutton1_Callback', 0, [], setfield(h, 'reinf_sl', 0))", "--eval",
                    "tavrin('no_such_callback', 0, [], h)", "--set", "alpha_sl=0.25", "--eval", text_of("alpha")});
    // The errors stay printed where the switchyard prints them; the status
    // and a line each on standard error say that the actions failed.
    EXPECT_EQ(outcome(run),
              Outcome(1,
                      "ALPHA = 0.5\nBETA = 0.01\nGAMMA = 0.999\nThere is no 'Value' property on the root object.\n"
                      "Undefined function or variable 'no_such_callback'.\nans = '0.25'\n",
                      "tavrin: --eval \"tavrin('pushbutton1_Callback', 0, [], setfield(h, 'reinf_sl', 0))\": its "
                      "callback reported an error: There is no 'Value' property on the root object.\n"
                      "tavrin: --eval \"tavrin('no_such_callback', 0, [], h)\": its callback reported an error: "
                      "Undefined function or variable 'no_such_callback'.\n"));
}

TEST(Tavrin, SlidersResizeAndCloseThroughTheirCallbacks) {
    // Each slider changes only its own text field (GAMMA keeps its start);
    // every resize call prints its message; a first input that is not text
    // does nothing; Close deletes the control window, so nothing is left to
    // press.
    const auto run = run_tavrin({"--headless",
                                 "--set",
                                 "alpha_sl=0.125",
                                 "--set",
                                 "beta_sl=0.05",
                                 "--set",
                                 "reinf_sl=-0.25",
                                 "--eval",
                                 text_of("alpha"),
                                 "--eval",
                                 text_of("beta"),
                                 "--eval",
                                 text_of("gamma"),
                                 "--eval",
                                 text_of("reinf"),
                                 "--eval",
                                 "tavrin('figure1_ResizeFcn', 0, [], [])",
                                 "--eval",
                                 "tavrin('figure1_ResizeFcn', 0, [], [])",
                                 "--eval",
                                 "set(findall(0,'Tag','figure1'),'Position',[100 100 500 300])",
                                 "--eval",
                                 "get(findall(0,'Tag','figure1'),'Position')",
                                 "--eval",
                                 "tavrin(5)",
                                 "--eval",
                                 "tavrin([])",
                                 "--eval",
                                 "tavrin(5, 'pushbutton2_Callback')",
                                 "--eval",
                                 "isempty(findall(0,'Tag','figure1'))",
                                 "--click",
                                 "pushbutton2",
                                 "--eval",
                                 "isempty(findall(0,'Tag','figure1'))",
                                 "--click",
                                 "pushbutton1"});
    std::string resized;
    for (int i = 0; i < 3; ++i) resized += "figure1 ResizeFcn not implemented yet.\n";
    EXPECT_EQ(outcome(run), Outcome(1,
                                    "ans = '0.125'\nans = '0.05'\nans = '0.999'\nans = '-0.25'\n" + resized +
                                        "ans = [100 100 500 300]\nans = 0\nans = 1\n",
                                    "--click: no object is tagged 'pushbutton1'.\n"));
}

TEST(TimeLimit, ARunThatNeverConvergesEndsWhenTheTimeIsUpAndKeepsItsTrials) {
    // No learning (ALPHA 0) and no randomness: the cart is pushed the same
    // way in every trial and never lasts 100000 steps.
    const std::string file = sys_test::make_temp_folder() + "/stopped.csv";
    const auto r = run_tavrin({"--headless", "--max-seconds", "1", "--trials-csv", file, "--set", "alpha_sl=0", "--set",
                               "radiobutton1=0", "--click", "pushbutton1", "--eval", "disp('never')"});
    EXPECT_EQ(r.status, 3);
    // The run shows its parameters, then the error that ended it (the
    // switchyard prints it); the action after it is not run.
    EXPECT_EQ(r.out.rfind("ALPHA = 0\nBETA = 0.01\nGAMMA = 0.999\nBETA = 0\n", 0), 0u) << r.out;
    EXPECT_EQ(r.out.find("never"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("is not a valid"), std::string::npos) << r.out;
    EXPECT_EQ(r.err, "tavrin: the time limit of 1 seconds (--max-seconds) ran out; every window was closed.\n");
    // What the run did stays in its trials file.
    const auto records = trial_records(file);
    EXPECT_GT(records.size(), 10u);
    for (std::size_t i = 1; i < records.size(); ++i) EXPECT_EQ(records[i].at(3), "failure");

    // Without the limit cutting it short, the first pause alone would take
    // longer than the test allows.
    const auto paced =
        run_tavrin({"--headless", "--pace", "10", "--max-seconds", "1", "--click", "pushbutton1"}, {}, 8);
    EXPECT_EQ(paced.status, 3) << paced.err;

    // A program that ends in time keeps its own status.
    EXPECT_EQ(run_tavrin({"--headless", "--max-seconds", "600", "--eval", "disp(1)"}).status, 0);
    EXPECT_EQ(run_tavrin({"--headless", "--max-seconds", "600", "--eval", "nosuch"}).status, 1);
}

TEST(Tavrin, TheDeterministicRunSucceedsAt322TrialsWritesEveryTrialAndAReplayAddsNone) {
    const std::string file = sys_test::make_temp_folder() + "/trials.csv";
    const auto run = run_tavrin(
        joined(kDeterministicRun, {"--trials-csv", file, "--replay", "4", "--eval", "get(get(gca,'title'),'string')"}));
    // BETA is shown as read from its slider, then again as forced to 0; the
    // replay comes after every action.
    const std::string shown = "ALPHA = 0.3\nBETA = 0.01\nGAMMA = 0.95\nBETA = 0\nans = 'Success at 322 trials'\n";
    EXPECT_EQ(std::tuple(run.status, run.err, run.out.substr(0, run.out.find("replay: "))), std::tuple(0, "", shown))
        << run.out;
    EXPECT_NE(run.out.find(" steps ("), std::string::npos) << run.out;

    const auto records = trial_records(file);
    ASSERT_EQ(records.size(), 1u + 323u);
    EXPECT_EQ(records[0], split("run,trial,steps,outcome,alpha,beta,gamma,random_terms,reinforcement", ','));
    double largest_failure = 0;
    for (std::size_t i = 1; i <= 322; ++i) {
        ASSERT_EQ(records[i].size(), 9u);
        EXPECT_EQ(records[i][0] + "," + records[i][1] + "," + records[i][3], "1," + std::to_string(i) + ",failure");
        largest_failure = std::max(largest_failure, std::stod(records[i][2]));
    }
    EXPECT_EQ(largest_failure, 3196);
    EXPECT_EQ(records[322], split("1,322,1955,failure,0.3,0,0.95,0,-1", ','));
    EXPECT_EQ(records[323], split("1,323,100000,success,0.3,0,0.95,0,", ','));

    const auto nothing_learned = run_tavrin({"--headless", "--replay", "4"});
    EXPECT_EQ(nothing_learned.status, 1);
    EXPECT_NE(nothing_learned.err.find("--replay: no run succeeded"), std::string::npos) << nothing_learned.err;
}

TEST(Speed, RealTimeHeadlessPacesTheSteps) {
    const std::string file = sys_test::make_temp_folder() + "/paced.csv";
    const auto run = run_tavrin({"--headless", "--speed", "realtime", "--max-seconds", "1", "--trials-csv", file,
                                 "--set", "alpha_sl=0", "--click", "pushbutton1"});
    EXPECT_EQ(run.status, 3);
    double steps = 0;
    const auto records = trial_records(file);
    for (std::size_t i = 1; i < records.size(); ++i) steps += std::stod(records[i].at(2));
    EXPECT_LE(steps, 1 / 0.02);  // a second holds at most 50 steps of 0.02 s
    EXPECT_GT(steps, 0);
}

}  // namespace
