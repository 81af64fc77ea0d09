#include "tests/common.hpp"

#include "runtime/array/error.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/guard.hpp"
#include "runtime/call/library.hpp"
#include "runtime/call/random.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/main/run_main.hpp"

namespace {

// A program of one function that opens a window with a slider tagged
// "knob" whose callback shows its value.
int initialised = 0;
int terminated = 0;
bool fail_launch = false;

void count_start() { ++initialised; }
void count_end() { ++terminated; }

void entry_demo(int, rt::Value* outputs, int, const rt::Value*) {
    if (fail_launch) rt::raise("The window cannot be opened.");
    rt::figure();
    const rt::Value pairs[] = {rt::Value::string("Style"),    rt::Value::string("slider"),
                               rt::Value::string("Tag"),      rt::Value::string("knob"),
                               rt::Value::string("Callback"), rt::Value::string("disp(get(gcbo,'Value'))")};
    rt::uicontrol(pairs);
    outputs[0] = rt::Value();
}

// A callback as the program's switchyard runs one: the error is printed and
// not passed on.
void entry_forgiving(int, rt::Value*, int, const rt::Value*) {
    if (!rt::guarded([] { rt::raise("Something broke."); })) rt::disp(rt::lasterr());
}

const rt::FunctionEntry functions[] = {{"demo", entry_demo, -1, -1, {0, nullptr}},
                                       {"forgiving", entry_forgiving, 0, 0, {0, nullptr}}};
const rt::InitTermEntry init_term[] = {
    {rt::array_library_initialize, rt::array_library_terminate},
    {rt::graphics_library_initialize, rt::graphics_library_terminate},
    {count_start, count_end},
};
const rt::MainInformation program = {1, 2, functions, 0, nullptr, 0, nullptr, 3, init_term};

struct Result {
    int status;
    std::string out, err;
};

// Counts the errors it is told of.
class ErrorCount final : public rt::ProgramExtension {
public:
    void add_options(CLI::App&) override {}
    void error_reported() override { ++told; }
    int told = 0;
};

Result run(std::vector<std::string> args, const rt::ProgramExtensions& extensions = {}) {
    args.insert(args.begin(), "demo");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = rt::run_main(static_cast<int>(args.size()), argv.data(), entry_demo, 1, &program, extensions);
    return {status, testing::internal::GetCapturedStdout(), testing::internal::GetCapturedStderr()};
}

class RunMainTest : public ::testing::Test {
protected:
    void SetUp() override {
        initialised = terminated = 0;
        fail_launch = false;
    }
};

// Actions run in command-line order after the launch, --eval keeps what it
// assigns, a failed action prints its text and the rest still run, --set
// refuses what a person could not do, and a launch error ends the program;
// the terminators run once whatever happened.
TEST_F(RunMainTest, ActionsInOrderFailedActionsAndALaunchError) {
    const struct {
        bool fail_launch;
        std::vector<std::string> args;
        int status;
        std::string out, err;
    } cases[] = {
        {false,
         {"--headless", "--eval", "disp('first')", "--set", "knob=0.25", "--click", "knob", "--eval",
          "[a, b] = size(zeros(2, 3))", "--eval", "plus(a, b)"},
         0,
         "first\n0.25\n0.25\na = 2\nb = 3\nans = 5\n",
         ""},
        {false,
         {"--headless", "--eval", "error('Something broke.')", "--click", "nothing_has_this", "--eval",
          "disp('still here')"},
         1,
         "still here\n",
         "Something broke.\n--click: no object is tagged 'nothing_has_this'.\n"},
        {false,
         {"--headless", "--set", "knob=1.5", "--set", "knob=1", "--set", "knob=-0.01", "--eval",
          "set(gcf, 'Tag', 'win')", "--set", "win=1"},
         1,
         "1\n",
         "--set: 1.5 is outside the range of the slider 'knob' (0 to 1).\n"
         "--set: -0.01 is outside the range of the slider 'knob' (0 to 1).\n"
         "There is no 'Value' property on the figure object.\n"},
        {true, {"--headless", "--eval", "disp('never')"}, 1, "", "The window cannot be opened.\n"},
    };
    for (const auto& c : cases) {
        initialised = terminated = 0;
        fail_launch = c.fail_launch;
        const Result r = run(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(initialised, 1);
        EXPECT_EQ(terminated, 1);
    }
}

TEST_F(RunMainTest, AnErrorACallbackPrintedAndSwallowedStillFailsTheProgram) {
    ErrorCount count;
    const Result r = run({"--headless", "--eval", "forgiving", "--eval", "disp('after')"}, {&count});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Something broke.\nafter\n");
    EXPECT_EQ(r.err, "demo: --eval \"forgiving\": its callback reported an error: Something broke.\n");
    EXPECT_EQ(count.told, 1);
}

TEST_F(RunMainTest, SeedAndScreenTakeEffect) {
    const Result a =
        run({"--headless", "--seed", "7", "--eval", "rand", "--eval", "get(0, 'ScreenSize')", "--screen", "640x480"});
    const Result b = run({"--headless", "--seed", "7", "--eval", "rand"});
    EXPECT_EQ(std::tuple(a.status, b.status, a.out), std::tuple(0, 0, b.out + "ans = [1 1 640 480]\n")) << a.err;
}

}  // namespace
