// The tavrin program end to end, headless: the runs a person makes, the
// time limit, and the files and pace a run is asked for.

#include "tests/system/program_run.hpp"

namespace {

using sys_test::joined;
using sys_test::kDeterministicRun;
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
}

TEST(Tavrin, TheDeterministicRunSucceedsAt322TrialsWritesEveryTrialAndAReplayAddsNone) {
    const std::string folder = sys_test::make_temp_folder(), file = folder + "/trials.csv";
    std::vector<std::string> args = joined(kDeterministicRun, {"--trials-csv", file, "--replay", "4"});
#ifdef TAVRIN_SAVES_FIGURES
    args = joined(args, {"--save-figures", folder});
#endif
    const auto run = run_tavrin(joined(args, {"--eval", "get(get(gca,'title'),'string')"}));
    // BETA is shown as read from its slider, then again as forced to 0; the
    // replay comes after every action.
    const std::string shown = "ALPHA = 0.3\nBETA = 0.01\nGAMMA = 0.95\nBETA = 0\nans = 'Success at 322 trials'\n";
    EXPECT_EQ(std::tuple(run.status, run.err, run.out.substr(0, run.out.find("replay: "))), std::tuple(0, "", shown))
        << run.out;
    EXPECT_NE(run.out.find(" steps ("), std::string::npos) << run.out;
#ifdef TAVRIN_SAVES_FIGURES
    // The pictures of the run, the learning curve beside the figures.
    for (const char* f : {"/figure-2.png", "/learning-curve.png"})
        EXPECT_EQ(sys_test::read_file(folder + f).substr(1, 3), "PNG") << f;
#endif

    const auto records = trial_records(file);
    ASSERT_EQ(records.size(), 1u + 323u);
    EXPECT_EQ(records[0], split("run,trial,steps,outcome,alpha,beta,gamma,random_terms,reinforcement", ','));
    for (std::size_t i = 1; i <= 322; ++i) {
        ASSERT_EQ(records[i].size(), 9u);
        EXPECT_EQ(records[i][0] + "," + records[i][1] + "," + records[i][3], "1," + std::to_string(i) + ",failure");
    }
    EXPECT_EQ(records[322], split("1,322,1955,failure,0.3,0,0.95,0,-1", ','));
    EXPECT_EQ(records[323], split("1,323,100000,success,0.3,0,0.95,0,", ','));

    const auto nothing_learned = run_tavrin({"--headless", "--replay", "4"});
    EXPECT_EQ(nothing_learned.status, 1);
    EXPECT_NE(nothing_learned.err.find("--replay: no run succeeded"), std::string::npos) << nothing_learned.err;
}

}  // namespace
