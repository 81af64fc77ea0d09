// What a person gets for bad input: a layout file that cannot be used, a
// --set, --click or --eval that cannot be done. Each is one clear line on
// standard error and the documented exit status, never a crash or a hang.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tests/system/program_run.hpp"

namespace {

namespace fs = std::filesystem;
using sys_test::ProgramRun;

// Long enough for a sanitizer build, short enough that a hang fails fast.
constexpr double kLimit = 60;

ProgramRun run(const std::vector<std::string>& args, const std::string& folder = {}) {
    return sys_test::run_tavrin_within(kLimit, args, folder);
}

std::size_t lines(const std::string& text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')); }

std::string shipped_layout() {
    std::ifstream in(fs::path(TAVRIN_BINARY).parent_path() / "tavrin.fig", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

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

TEST(BadInput, ALayoutFileThatCannotBeUsedStopsTheLaunchWithOneLine) {
    const std::string full = shipped_layout();
    ASSERT_GT(full.size(), 1000u);
    struct Case {
        const char* what;
        std::string layout;
        std::string message;  // what the line begins with
    };
    const std::vector<Case> cases = {
        {"empty", "", "tavrin.fig: line 1, column 1: syntax error"},
        {"truncated", full.substr(0, full.size() / 2), "tavrin.fig: line "},
        {"not JSON", "figure1 = slider", "tavrin.fig: line 1, column "},
        {"not text", std::string("\xff\xfe{\0\x01", 5), "tavrin.fig: line 1, column 1: syntax error"},
        {"a list at the top", "[1, 2, 3]", "tavrin.fig: /: expected an object (the window) at the top"},
        {"axes at the top", R"({"type": "axes"})", "tavrin.fig: /: the top object must be a figure"},
        {"no type", R"({"Tag": "figure1"})", "tavrin.fig: /: missing \"type\""},
        {"children not a list", R"({"type": "figure", "children": {"type": "uicontrol"}})",
         "tavrin.fig: /children: expected an array of objects"},
        {"a line in a window", R"({"type": "figure", "children": [{"type": "line"}]})",
         "tavrin.fig: /children/0: a line cannot be placed in a figure"},
        {"an unknown property", R"({"type": "figure", "children": [{"type": "uicontrol", "Valu": 1}]})",
         "tavrin.fig: /children/0: There is no 'Valu' property on the uicontrol object."},
        {"a position that is text", R"({"type": "figure", "Position": "wide"})", "tavrin.fig: /: "},
        {"a ragged matrix", R"({"type": "figure", "UserData": [[1, 2], [3]]})",
         "tavrin.fig: /UserData: the rows of a matrix must have equal lengths"},
        {"nested far too deep", std::string(100000, '['), "tavrin.fig: line 1, column "},
        {"a number beyond a double", R"({"type": "figure", "Position": [1, 2e999, 3, 4]})",
         "tavrin.fig: line 1, column 36: the number 2e999 is too large\n"},
        {"a slider beyond its end", R"({"type": "figure", "children": [
            {"type": "uicontrol", "Style": "slider", "Tag": "alpha_sl", "Min": 0, "Max": 1, "Value": 1e300}]})",
         "tavrin.fig: /children/0: the Value 1e+300 is outside the range of the slider 'alpha_sl' (0 to 1)\n"},
        {"a slider below its start", R"({"type": "figure", "children": [{"type": "uicontrol"},
            {"type": "uicontrol", "Style": "slider", "Tag": "s", "Value": -0.5}]})",
         "tavrin.fig: /children/1: the Value -0.5 is outside the range of the slider 's' (0 to 1)\n"},
    };
    for (const Case& c : cases) {
        const LayoutFolder folder(c.layout);
        const ProgramRun r = run({"--headless", "--eval", "disp('never')"}, folder.path());
        EXPECT_EQ(r.status, 1) << c.what;
        EXPECT_EQ(r.out, "") << c.what;
        EXPECT_EQ(lines(r.err), 1u) << c.what << ": " << r.err;
        EXPECT_EQ(r.err.rfind(c.message, 0), 0u) << c.what << ": " << r.err;
    }
}

TEST(BadInput, AMissingLayoutFileNamesWhereItWasLookedFor) {
    // A copy of the program in a folder of its own has no layout file beside it.
    const std::string lonely = sys_test::make_temp_folder(), work = sys_test::make_temp_folder();
    const std::string copy = lonely + "/tavrin";
    fs::copy_file(TAVRIN_BINARY, copy);
    const ProgramRun r = sys_test::run_program_within(kLimit, copy, {"--headless", "--click", "pushbutton1"}, work);
    fs::remove_all(lonely);
    fs::remove_all(work);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "tavrin.fig: cannot open the layout file (looked in the working folder, " + lonely + ").\n");
}

TEST(BadInput, ALayoutOfTheWrongShapeFailsAtTheActionThatNeedsWhatIsMissing) {
    // A window that loads but lacks the controls, and a Start button whose
    // callback is not a statement.
    const LayoutFolder folder(R"({"type": "figure", "Tag": "figure1", "children": [
        {"type": "uicontrol", "Style": "pushbutton", "Tag": "pushbutton1", "Callback": "tavrin('pushbutton1_Callback',"}]})");
    const ProgramRun r = run({"--headless", "--click", "pushbutton1", "--set", "alpha_sl=0.3", "--eval", "disp('after')"},
                             folder.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "after\n");
    EXPECT_EQ(r.err,
              "Parse error at column 31: unexpected end of text\n"
              "--set: no object is tagged 'alpha_sl'.\n");
}

TEST(BadInput, SetRefusesUnknownTagsValuesOutsideTheSliderAndTextThatIsNoNumber) {
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"nosuch=1", "--set: no object is tagged 'nosuch'.\n"},
        {"alpha_sl=2", "--set: 2 is outside the range of the slider 'alpha_sl' (0 to 1).\n"},
        {"alpha_sl=nan", "--set: NaN is outside the range of the slider 'alpha_sl' (0 to 1).\n"},
        {"reinf_sl=-inf", "--set: -Inf is outside the range of the slider 'reinf_sl' (-1 to 0).\n"},
        {"radiobutton1=7", "--set: 7 is not a state of the radio button 'radiobutton1' (0 or 1).\n"},
        {"radiobutton1=NaN", "--set: NaN is not a state of the radio button 'radiobutton1' (0 or 1).\n"},
    };
    for (const auto& [assignment, message] : refused) {
        const ProgramRun r = run({"--headless", "--set", assignment});
        EXPECT_EQ(r.status, 1) << assignment;
        EXPECT_EQ(r.err, message);
        EXPECT_EQ(r.out, "");
    }
    // Not a number at all: a bad option, refused before anything starts.
    for (const char* assignment : {"alpha_sl=abc", "alpha_sl=", "=0.5", "alpha_sl", "alpha_sl=0.5=1", "alpha_sl=1e999"}) {
        const ProgramRun r = run({"--headless", "--set", assignment, "--eval", "disp('never')"});
        EXPECT_EQ(r.status, 2) << assignment;
        EXPECT_EQ(r.out, "") << assignment;
        EXPECT_EQ(lines(r.err), 2u) << r.err;
        EXPECT_EQ(r.err.rfind("tavrin: --set: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("\nusage: tavrin "), std::string::npos) << r.err;
    }
}

TEST(BadInput, ClickNeedsAnObjectWithACallbackAndTheLaterActionsStillRun) {
    // A label, the radio button (it has no callback: --set changes it), the
    // window itself, and nothing at all.
    const ProgramRun r = run({"--headless", "--click", "alpha", "--click", "radiobutton1", "--click", "figure1",
                              "--click", "nosuch", "--eval", "disp('after')"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "after\n");
    EXPECT_EQ(r.err,
              "--click: the object tagged 'alpha' has no callback.\n"
              "--click: the object tagged 'radiobutton1' has no callback.\n"
              "--click: the object tagged 'figure1' has no callback.\n"
              "--click: no object is tagged 'nosuch'.\n");
    // An empty tag names no object: a bad option.
    const ProgramRun empty = run({"--headless", "--click", "", "--eval", "disp('never')"});
    EXPECT_EQ(empty.status, 2);
    EXPECT_EQ(empty.err.rfind("tavrin: --click: expected the tag of an object, got ''\n", 0), 0u) << empty.err;
}

TEST(BadInput, AnErrorTheSwitchyardPrintedOrOutputNotWrittenStillFailsTheProgram) {
    // No handles stored with the window: the start button's callback fails
    // inside the switchyard, which prints the error and returns normally.
    const ProgramRun r = run({"--headless", "--eval", "guidata(gcf, 5)", "--click", "pushbutton1", "--eval",
                              "disp('after')"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Reference to non-existent field 'alpha_sl'.\nafter\n");
    EXPECT_EQ(r.err,
              "tavrin: --click pushbutton1: its callback reported an error: Reference to non-existent field "
              "'alpha_sl'.\n");

    const ProgramRun full = sys_test::run_program_within(
        kLimit, "/bin/sh", {"-c", "exec \"$0\" --headless --eval 'disp(1)' >/dev/full", TAVRIN_BINARY});
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "tavrin: could not write the output to standard output.\n");
}

TEST(BadInput, EvalReportsMalformedTextAndUnknownNamesInOneLine) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"get(0,", "Parse error at column 7: unexpected end of text\n"},
        {"x = ", "Parse error at column 5: expected an expression after '='\n"},
        {"disp('open", "Parse error at column 6: unterminated text\n"},
        {"[1 2", "Parse error at column 1: missing ']'\n"},
        {"1.5.5", "Parse error at column 4: unexpected '.'\n"},
        {"a == 1", "Parse error at column 3: unexpected '='\n"},
        {"nosuch", "Undefined function or variable 'nosuch'.\n"},
        {"nosuch(1, 'x')", "Undefined function or variable 'nosuch'.\n"},
        {"get(0, 'Valu')", "There is no 'Valu' property on the root object.\n"},
        {"[a, b] = 3", "Only a function call can give several outputs.\n"},
        {std::string(70, '(') + "1" + std::string(70, ')'), "Parse error at column 1: unexpected '('\n"},
        {std::string(100000, '['), "Parse error at column 65: brackets and calls nest deeper than 64 levels\n"},
        {"ans" + [] {
             std::string chain;
             for (int i = 0; i < 50000; ++i) chain += ".b";
             return chain;
         }(),
         "Parse error at column 132: more than 64 field references in a row\n"},
    };
    for (const auto& [statement, message] : cases) {
        const ProgramRun r = run({"--headless", "--eval", statement});
        EXPECT_EQ(r.status, 1) << statement.substr(0, 40);
        EXPECT_EQ(r.out, "") << statement.substr(0, 40);
        EXPECT_EQ(r.err, message) << statement.substr(0, 40);
    }
}

// A callback that starts itself again through a new window would recurse
// until the stack ran out; the nesting limit ends it with the runtime's
// error, and the program goes on to its next action.
TEST(BadInput, CallbacksThatStartThemselvesEndAtTheNestingLimit) {
    const std::string depth = std::to_string(100);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"x=figure('DeleteFcn','close(figure(''DeleteFcn'',get(gcbo,''DeleteFcn'')))'); delete(x)", "DeleteFcn"},
        {"x=figure('CloseRequestFcn','close(figure(''CloseRequestFcn'',get(gcbo,''CloseRequestFcn'')))'); close(x)",
         "CloseRequestFcn"},
    };
    for (const auto& [statement, property] : cases) {
        const ProgramRun r = run({"--headless", "--eval", statement, "--eval", "disp('after')"});
        EXPECT_EQ(r.status, 1) << property;
        EXPECT_EQ(r.out, "after\n") << property;
        EXPECT_EQ(lines(r.err), 1u) << r.err;
        EXPECT_EQ(r.err.rfind("Callbacks nest deeper than " + depth + " levels: the " + property + " of figure ", 0), 0u)
            << r.err;
    }

    // The same from the control window: Close deletes it, its DeleteFcn
    // opens and closes window after window. The switchyard prints the error
    // on the console, later actions still run, and the status tells that an
    // action's callback failed.
    std::string layout = shipped_layout();
    const std::string top = "\"type\": \"figure\",";
    const std::size_t at = layout.find(top);
    ASSERT_NE(at, std::string::npos);
    layout.insert(at + top.size(),
                  R"js( "DeleteFcn": "close(figure('DeleteFcn',get(gcbo,'DeleteFcn')))",)js");
    const LayoutFolder folder(layout);
    const ProgramRun r = run({"--headless", "--click", "pushbutton2", "--eval", "disp('after')"}, folder.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind("Callbacks nest deeper than " + depth + " levels: ", 0), 0u) << r.out;
    EXPECT_EQ(r.out.substr(r.out.find('\n') + 1), "after\n");
}

}  // namespace
