#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/system/program_run.hpp"

namespace {

using sys_test::run_tavrin;

std::string text_of(const std::string& tag) { return "get(findall(0,'Tag','" + tag + "'),'String')"; }

TEST(Tavrin, TheDeterministicRunEndsAfter322Trials) {
    const auto run = run_tavrin({"--headless", "--set", "radiobutton1=0", "--set", "alpha_sl=0.3", "--set",
                                 "gamma_sl=0.95", "--set", "reinf_sl=-1", "--click", "pushbutton1", "--eval",
                                 "get(get(gca,'title'),'string')"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    // BETA is shown as read from its slider, then again as forced to 0.
    EXPECT_EQ(run.out,
              "ALPHA = 0.3\n"
              "BETA = 0.01\n"
              "GAMMA = 0.95\n"
              "BETA = 0\n"
              "ans = 'Success at 322 trials'\n");
}

TEST(Tavrin, ARunWithRandomTermsIsTheSameForTheSameSeed) {
    const std::vector<std::string> args = {"--headless", "--seed", "5", "--click", "pushbutton1", "--eval",
                                           "get(get(gca,'title'),'string')"};
    const auto first = run_tavrin(args), second = run_tavrin(args);
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.out.rfind("ALPHA = 0.5\nBETA = 0.01\nGAMMA = 0.999\nans = 'Success at ", 0), 0u) << first.out;
    EXPECT_EQ(first.out, second.out);
}

TEST(Tavrin, TheSwitchyardPrintsACallbacksErrorAndTheWindowKeepsWorking) {
    // handles whose reinforcement slider is the root, which has no "Value":
    // the run shows its parameters, then fails at its first failure.
    const auto run = run_tavrin({"--headless", "--seed", "1", "--eval", "h = guidata(findall(0,'Tag','figure1'));",
                                 "--eval", "tavrin('pushbutton1_Callback', 0, [], setfield(h, 'reinf_sl', 0))",
                                 "--eval", "tavrin('no_such_callback', 0, [], h)", "--set", "alpha_sl=0.25",
                                 "--eval", text_of("alpha")});
    // The errors stay printed where the switchyard prints them; the status
    // and a line each on standard error say that the actions failed.
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "tavrin: --eval \"tavrin('pushbutton1_Callback', 0, [], setfield(h, 'reinf_sl', 0))\": its callback "
              "reported an error: There is no 'Value' property on the root object.\n"
              "tavrin: --eval \"tavrin('no_such_callback', 0, [], h)\": its callback reported an error: Undefined "
              "function or variable 'no_such_callback'.\n");
    EXPECT_EQ(run.out,
              "ALPHA = 0.5\n"
              "BETA = 0.01\n"
              "GAMMA = 0.999\n"
              "There is no 'Value' property on the root object.\n"
              "Undefined function or variable 'no_such_callback'.\n"
              "ans = '0.25'\n");
}

TEST(Tavrin, ASliderChangesOnlyItsOwnTextField) {
    const auto run = run_tavrin({"--headless", "--set", "gamma_sl=0.5", "--eval", text_of("alpha"), "--eval",
                                 text_of("beta"), "--eval", text_of("gamma"), "--eval", text_of("reinf")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "ans = '0.5'\nans = '0.01'\nans = '0.5'\nans = '-1'\n");

    const auto each = run_tavrin({"--headless", "--set", "alpha_sl=0.125", "--set", "beta_sl=0.05", "--set",
                                  "reinf_sl=-0.25", "--eval", text_of("alpha"), "--eval", text_of("beta"),
                                  "--eval", text_of("gamma"), "--eval", text_of("reinf")});
    EXPECT_EQ(each.out, "ans = '0.125'\nans = '0.05'\nans = '0.999'\nans = '-0.25'\n");
}

TEST(Tavrin, EveryResizeCallPrintsTheMessageOnce) {
    const auto run = run_tavrin({"--headless", "--eval", "tavrin('figure1_ResizeFcn', 0, [], [])", "--eval",
                                 "tavrin('figure1_ResizeFcn', 0, [], [])", "--eval",
                                 "set(findall(0,'Tag','figure1'),'Position',[100 100 500 300])", "--eval",
                                 "get(findall(0,'Tag','figure1'),'Position')"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "figure1 ResizeFcn not implemented yet.\n"
              "figure1 ResizeFcn not implemented yet.\n"
              "figure1 ResizeFcn not implemented yet.\n"
              "ans = [100 100 500 300]\n");
}

TEST(Tavrin, AFirstInputThatIsNotTextDoesNothing) {
    const auto run = run_tavrin({"--headless", "--eval", "tavrin(5)", "--eval", "tavrin([])", "--eval",
                                 "tavrin(5, 'pushbutton2_Callback')", "--eval", "isempty(findall(0,'Tag','figure1'))"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "ans = 0\n");
}

TEST(Tavrin, CloseDeletesTheControlWindow) {
    const auto run = run_tavrin({"--headless", "--click", "pushbutton2", "--eval",
                                 "isempty(findall(0,'Tag','figure1'))", "--click", "pushbutton1"});
    EXPECT_EQ(run.out, "ans = 1\n");
    // Nothing is left to press.
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "--click: no object is tagged 'pushbutton1'.\n");
}

TEST(Tavrin, ALaunchThatCannotReadItsLayoutEndsWithStatusOne) {
    const std::string folder = sys_test::make_temp_folder();
    std::ofstream(folder + "/tavrin.fig") << "{\"type\": \"figure\",\n \"Tag\": }\n";
    const auto run = run_tavrin({"--headless", "--eval", "disp('never')"}, folder);
    std::filesystem::remove_all(folder);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("tavrin.fig: line 2, column ", 0), 0u) << run.err;
}

TEST(Tavrin, AFailedEvalGivesStatusOneWithItsTextOnStandardError) {
    const auto run = run_tavrin({"--headless", "--eval", "get_box(1, 2, 3, 4, 5)", "--eval", "get_box(0, 0, 0, 0)"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "Run-time Error: File: get_box Line: 2 Column: 1 The function \"get_box\" was called with more than "
              "the declared number of inputs (4).\n");
    EXPECT_EQ(run.out, "ans = 86\n");
}

TEST(Tavrin, BadOptionsGiveStatusTwoAndAUsageLine) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--headless", "--frobnicate"}, {"--headless", "--set", "alpha_sl"}, {"--seed", "x"}}) {
        const auto run = run_tavrin(args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_NE(run.err.find("usage: tavrin "), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    const auto help = run_tavrin({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--click"), std::string::npos);
}

}  // namespace
