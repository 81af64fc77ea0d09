// The tavrin program end to end, headless: the runs a person makes, the
// time limit, and the files and pace a run is asked for; and what a person
// gets for bad input.
#include "tests/system/program_run.hpp"

// The tavrin program end to end, headless: the runs a person makes, the
// time limit, and the files and pace a run is asked for.
namespace {

using namespace sys_test;

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

// What a person gets for bad input: a bad option, a layout file that cannot
// be used, a --set, --click or --eval that cannot be done. Each is a clear
// line on standard error and the documented exit status, never a crash or a
// hang; the message names what the person gave.

// A working folder holding `layout` as tavrin.fig, which the program reads
// before the copy beside itself.
class LayoutFolder {
public:
    explicit LayoutFolder(const std::string& layout) : path_(sys_test::make_temp_folder()) {
        std::ofstream(path_ + "/tavrin.fig", std::ios::binary) << layout;
    }
    ~LayoutFolder() { fs::remove_all(path_); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Each option's own refusals are the command line's tests; here, those of
// the program's own options and that nothing runs after any of them.
TEST(BadInput, ABadOptionIsRefusedWithAUsageLineBeforeAnythingRuns) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--frobnicate"}, "tavrin: The following argument was not expected: --frobnicate"},
        {{"--speed", "slow"}, "tavrin: --speed: "},
        {{"--speed", "fast", "--pace", "0.1"}, "tavrin: --pace excludes --speed"},
        {{"--trials-csv", "/no/such/folder/trials.csv"}, "tavrin: --trials-csv: cannot write '/no/such/folder/"},
        {{"--set", "alpha_sl=abc"}, "tavrin: --set: "},
    };
    for (const auto& [options, message] : cases) {
        const ProgramRun r = run_tavrin(sys_test::joined(sys_test::joined({"--headless"}, options),
                                                         {"--click", "pushbutton1", "--eval", "disp('never')"}));
        EXPECT_EQ(std::tuple(r.status, r.out, std::count(r.err.begin(), r.err.end(), '\n')), std::tuple(2, "", 2))
            << r.err;
        EXPECT_EQ(r.err.rfind(message, 0), 0u) << r.err;
        EXPECT_NE(r.err.find("\nusage: tavrin "), std::string::npos) << r.err;
    }
    const ProgramRun help = run_tavrin({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--click"), std::string::npos);
    EXPECT_NE(help.out.find("3 when --max-seconds ran out"), std::string::npos);
}

TEST(BadInput, ALayoutFileThatCannotBeUsedStopsTheLaunchWithOneLine) {
    const std::string full = sys_test::read_file((fs::path(TAVRIN_BINARY).parent_path() / "tavrin.fig").string());
    ASSERT_GT(full.size(), 1000u);
    const std::vector<std::pair<std::string, std::string>> cases = {
        // A layout, and what the line begins with.
        {"", "tavrin.fig: line 1, column 1: syntax error"},
        {full.substr(0, full.size() / 2), "tavrin.fig: line "},
        {std::string("\xff\xfe{\0\x01", 5), "tavrin.fig: line 1, column 1: syntax error"},
        {R"({"Tag": "figure1"})", "tavrin.fig: /: missing \"type\""},
        {R"({"type": "figure", "children": {"type": "uicontrol"}})",
         "tavrin.fig: /children: expected an array of objects"},
        {R"({"type": "figure", "children": [{"type": "uicontrol", "Valu": 1}]})",
         "tavrin.fig: /children/0: There is no 'Valu' property on the uicontrol object."},
        {R"({"type": "figure", "UserData": [[1, 2], [3]]})",
         "tavrin.fig: /UserData: the rows of a matrix must have equal lengths"},
        {std::string(100000, '['), "tavrin.fig: line 1, column "},
        {R"({"type": "figure", "Position": [1, 2e999, 3, 4]})",
         "tavrin.fig: line 1, column 36: the number 2e999 is too large\n"},
        {R"({"type": "figure", "children": [
            {"type": "uicontrol", "Style": "slider", "Tag": "alpha_sl", "Min": 0, "Max": 1, "Value": 1e300}]})",
         "tavrin.fig: /children/0: the Value 1e+300 is outside the range of the slider 'alpha_sl' (0 to 1)\n"},
    };
    for (const auto& [layout, message] : cases) {
        const LayoutFolder folder(layout);
        const ProgramRun r = run_tavrin({"--headless", "--eval", "disp('never')"}, folder.path());
        EXPECT_EQ(outcome(r), Outcome(1, "", r.err.substr(0, r.err.find('\n') + 1))) << message;
        EXPECT_EQ(r.err.rfind(message, 0), 0u) << r.err;
    }

    // A copy of the program in a folder of its own has no layout file beside it.
    const std::string lonely = sys_test::make_temp_folder(), work = sys_test::make_temp_folder();
    fs::copy_file(TAVRIN_BINARY, lonely + "/tavrin");
    const ProgramRun r = sys_test::run_program(lonely + "/tavrin", {"--headless", "--click", "pushbutton1"}, work);
    fs::remove_all(lonely);
    fs::remove_all(work);
    EXPECT_EQ(outcome(r),
              Outcome(1, "",
                      "tavrin.fig: cannot open the layout file (looked in the working folder, " + lonely + ").\n"));
}

TEST(BadInput, SetAndClickRefuseWhatTheyCannotDoAndTheLaterActionsStillRun) {
    // Clicked: a label, the radio button (it has no callback: --set changes
    // it), the window itself, and nothing at all.
    const ProgramRun r = run_tavrin(sys_test::split(
        "--headless --set nosuch=1 --set alpha_sl=nan --set reinf_sl=-inf --set radiobutton1=7 --set radiobutton1=NaN "
        "--click alpha --click radiobutton1 --click figure1 --click nosuch --set alpha_sl=0.125 "
        "--eval get(findall(0,'Tag','alpha'),'String') --click pushbutton2 --click pushbutton1 --eval disp('after')",
        ' '));
    // A slider's callback writes its text field; Close takes the window, and Start with it.
    EXPECT_EQ(outcome(r), Outcome(1, "ans = '0.125'\nafter\n",
                                  "--set: no object is tagged 'nosuch'.\n"
                                  "--set: NaN is outside the range of the slider 'alpha_sl' (0 to 1).\n"
                                  "--set: -Inf is outside the range of the slider 'reinf_sl' (-1 to 0).\n"
                                  "--set: 7 is not a state of the radio button 'radiobutton1' (0 or 1).\n"
                                  "--set: NaN is not a state of the radio button 'radiobutton1' (0 or 1).\n"
                                  "--click: the object tagged 'alpha' has no callback.\n"
                                  "--click: the object tagged 'radiobutton1' has no callback.\n"
                                  "--click: the object tagged 'figure1' has no callback.\n"
                                  "--click: no object is tagged 'nosuch'.\n"
                                  "--click: no object is tagged 'pushbutton1'.\n"));
}

TEST(BadInput, AnErrorTheSwitchyardPrintedOrOutputNotWrittenStillFailsTheProgram) {
    // No handles stored with the window: the start button's callback fails
    // inside the switchyard, which prints the error and returns normally.
    EXPECT_EQ(outcome(run_tavrin(
                  {"--headless", "--eval", "guidata(gcf, 5)", "--click", "pushbutton1", "--eval", "disp('after')"})),
              Outcome(1, "Reference to non-existent field 'alpha_sl'.\nafter\n",
                      "tavrin: --click pushbutton1: its callback reported an error: Reference to non-existent field "
                      "'alpha_sl'.\n"));

    const ProgramRun full =
        sys_test::run_program("/bin/sh", {"-c", "exec \"$0\" --headless --eval 'disp(1)' >/dev/full", TAVRIN_BINARY});
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "tavrin: could not write the output to standard output.\n");
}

TEST(BadInput, EvalReportsWhatCannotBeDoneInOneLine) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"get(0,", "Parse error at column 7: unexpected end of text\n"},
        {"日本=1", "Parse error at column 1: unexpected '日'\n"},
        {"x = é", "Parse error at column 5: unexpected 'é'\n"},
        {"nosuch(1, 'x')", "Undefined function or variable 'nosuch'.\n"},
        // Sizes as the person asked for them, not as the runtime made them.
        {"zeros(Inf)", "Requested Inf-by-Inf array exceeds the maximum array size (100000000 elements).\n"},
        {"zeros(1e10,0)",
         "Requested 10000000000-by-0 array exceeds the maximum array size (100000000 rows or "
         "columns).\n"},
        {"ones(20000,20000)", "Requested 20000-by-20000 array exceeds the maximum array size (100000000 elements).\n"},
        {"h = figure; delete(h); movegui(h)", "movegui: 2 is not a valid handle; its object has been deleted.\n"},
        {std::string(70, '(') + "1" + std::string(70, ')'), "Parse error at column 1: unexpected '('\n"},
    };
    for (const auto& [statement, message] : cases) {
        EXPECT_EQ(outcome(run_tavrin({"--headless", "--eval", statement})), Outcome(1, "", message))
            << statement.substr(0, 40);
    }
}

// A callback that starts itself again through a new window would recurse
// until the stack ran out; the nesting limit ends it with the runtime's
// error, and the program goes on to its next action.
TEST(BadInput, CallbacksThatStartThemselvesEndAtTheNestingLimit) {
    for (const char* property : {"DeleteFcn", "CloseRequestFcn"}) {
        const std::string p = property;
        const std::string statement = "x=figure('" + p + "','close(figure(''" + p + "'',get(gcbo,''" + p + "'')))'); " +
                                      (p == "DeleteFcn" ? "delete(x)" : "close(x)");
        const ProgramRun r = run_tavrin({"--headless", "--eval", statement, "--eval", "disp('after')"});
        EXPECT_EQ(outcome(r), Outcome(1, "after\n", r.err.substr(0, r.err.find('\n') + 1))) << property;
        EXPECT_EQ(r.err.rfind("Callbacks nest deeper than 100 levels: the " + p + " of figure ", 0), 0u) << r.err;
    }
}

}  // namespace
