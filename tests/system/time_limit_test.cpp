// --max-seconds: a run that would never converge ends when the time is up,
// and the program says so and ends with status 3.
#include <gtest/gtest.h>

#include <string>

#include "tests/system/program_run.hpp"

namespace {

using sys_test::ProgramRun;
using sys_test::run_tavrin_within;

TEST(TimeLimit, ARunThatNeverConvergesEndsWhenTheTimeIsUpWithStatusThree) {
    // No learning (ALPHA 0) and no randomness: the cart is pushed the same
    // way in every trial and never lasts 100000 steps.
    const ProgramRun r = run_tavrin_within(120, {"--headless", "--max-seconds", "1", "--set", "alpha_sl=0", "--set",
                                                 "radiobutton1=0", "--click", "pushbutton1", "--eval", "disp('never')"});
    EXPECT_EQ(r.status, 3);
    // The run shows its parameters, then the error that ended it (the
    // switchyard prints it); the action after it is not run.
    EXPECT_EQ(r.out.rfind("ALPHA = 0\nBETA = 0.01\nGAMMA = 0.999\nBETA = 0\n", 0), 0u) << r.out;
    EXPECT_EQ(r.out.find("never"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("is not a valid"), std::string::npos) << r.out;
    EXPECT_EQ(r.err, "tavrin: the time limit of 1 seconds (--max-seconds) ran out; every window was closed.\n");
}

TEST(TimeLimit, ASlowPaceDoesNotOutlastIt) {
    // Without the limit cutting it short, the first pause alone would take
    // longer than the test allows.
    const ProgramRun paced =
        run_tavrin_within(8, {"--headless", "--pace", "10", "--max-seconds", "1", "--click", "pushbutton1"});
    EXPECT_EQ(paced.status, 3) << paced.err;
    EXPECT_NE(paced.out.find("is not a valid handle."), std::string::npos) << paced.out;
}

TEST(TimeLimit, AProgramThatEndsInTimeKeepsItsOwnStatus) {
    const ProgramRun done = run_tavrin_within(60, {"--headless", "--max-seconds", "600", "--eval", "disp(1)"});
    EXPECT_EQ(done.status, 0);
    EXPECT_EQ(done.out, "1\n");
    EXPECT_EQ(done.err, "");

    const ProgramRun failed = run_tavrin_within(60, {"--headless", "--max-seconds", "600", "--eval", "nosuch"});
    EXPECT_EQ(failed.status, 1);
}

TEST(TimeLimit, ALimitThatIsNoPositiveNumberIsABadOption) {
    for (const char* seconds : {"0", "-1", "abc", "", "NaN", "Inf"}) {
        const ProgramRun r = run_tavrin_within(60, {"--headless", "--max-seconds", seconds});
        EXPECT_EQ(r.status, 2) << seconds;
        EXPECT_NE(r.err.find("usage: tavrin "), std::string::npos) << r.err;
    }
    const ProgramRun help = run_tavrin_within(60, {"--help"});
    EXPECT_NE(help.out.find("--max-seconds"), std::string::npos);
    EXPECT_NE(help.out.find("3 when --max-seconds ran out"), std::string::npos);
}

}  // namespace
