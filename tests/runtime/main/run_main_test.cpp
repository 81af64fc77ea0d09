// The program's main: the command line, the run of its actions, and the
// time limit.
#include <thread>

#include "runtime/array/deadline.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/guard.hpp"
#include "runtime/call/library.hpp"
#include "runtime/call/random.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/main/command_line.hpp"
#include "runtime/main/run_main.hpp"
#include "runtime/main/time_limit.hpp"
#include "tests/error_text.hpp"

namespace {

struct Outcome {
    rt::ParsedCommandLine parsed;
    std::string out, err;
};

Outcome parse(std::vector<const char*> args) {
    args.insert(args.begin(), "/usr/local/bin/tavrin");
    std::ostringstream out, err;
    Outcome o{rt::parse_command_line(static_cast<int>(args.size()), args.data(), out, err), "", ""};
    o.out = out.str();
    o.err = err.str();
    return o;
}

using Kind = rt::StartupAction::Kind;
using Action = std::tuple<Kind, std::string, double, std::string>;

TEST(CommandLine, ActionsKeepTheirCommandLineOrderAcrossOptions) {
    const Outcome o = parse({"--headless", "--eval", "disp('a')", "--set", "alpha_sl=0.3", "--click", "pushbutton1",
                             "--set", "reinf_sl=-1", "--eval=gcf"});
    ASSERT_FALSE(o.parsed.exit_status);
    std::vector<Action> actions;
    for (const auto& a : o.parsed.options.actions) actions.emplace_back(a.kind, a.tag, a.value, a.statement);
    const std::vector<Action> expected = {{Kind::Eval, "", 0, "disp('a')"},
                                          {Kind::Set, "alpha_sl", 0.3, ""},
                                          {Kind::Click, "pushbutton1", 0, ""},
                                          {Kind::Set, "reinf_sl", -1, ""},
                                          {Kind::Eval, "", 0, "gcf"}};
    EXPECT_EQ(actions, expected);
    EXPECT_TRUE(o.parsed.options.headless);
}

TEST(CommandLine, ValuesOfTheOtherOptions) {
    const Outcome o =
        parse({"--seed", "42", "--screen", "800x600", "--pace", "0.02", "--fps", "30", "--save-figures", "out/demo"});
    ASSERT_FALSE(o.parsed.exit_status) << o.err;
    const rt::ProgramOptions& p = o.parsed.options;
    EXPECT_FALSE(p.headless);
    EXPECT_EQ(p.seed, 42u);
    ASSERT_TRUE(p.screen);
    EXPECT_EQ(std::pair(p.screen->width, p.screen->height), std::pair(800.0, 600.0));
    EXPECT_EQ(std::tuple(p.pace, p.fps, p.save_figures), std::tuple(0.02, 30, "out/demo"));
    EXPECT_TRUE(p.actions.empty());

    // The extremes that are allowed, and a '+' as people write it.
    const Outcome edges = parse({"--seed", "18446744073709551615", "--max-seconds", "1e9", "--set", "reinf_sl=+1"});
    ASSERT_FALSE(edges.parsed.exit_status) << edges.err;
    EXPECT_EQ(edges.parsed.options.seed, 18446744073709551615u);
    EXPECT_EQ(edges.parsed.options.max_seconds, 1e9);
    EXPECT_EQ(edges.parsed.options.actions.at(0).value, 1.0);
}

TEST(CommandLine, BadOptionsGiveStatusTwoAndAUsageLine) {
    // Numbers that are not numbers, or whole numbers out of range, are refused
    // rather than let through or clamped; '--click' alone lacks its tag.
    // The cases, separated by commas, each its arguments separated by spaces.
    for (const std::string& line : sys_test::split(
             "--bogus,--set alpha_sl,--set =3,--set alpha_sl=high,--seed minus,--screen 800,--screen 0x600,--fps 0,"
             "--pace -1,--pace NaN,--fps nan,--max-seconds NaN,--max-seconds Inf,--max-seconds 0,--max-seconds -2,"
             "--seed -1,--seed 18446744073709551616,--seed 1.5,--set alpha_sl=0.3x,--set alpha_sl=1e999,--click ,"
             "--click,stray",
             ',')) {
        const std::vector<std::string> words = sys_test::split(line, ' ');
        std::vector<const char*> args;
        for (const std::string& w : words) args.push_back(w.c_str());
        const Outcome o = parse(args);
        EXPECT_EQ(o.parsed.exit_status, 2) << line;
        EXPECT_NE(o.err.find("usage: tavrin "), std::string::npos) << o.err;
        EXPECT_NE(o.err.find(args[0]), std::string::npos) << o.err;  // names the option
        EXPECT_TRUE(o.out.empty());
    }
}

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

// Records what reaches it, to see that the limit passes every hook on.
class Recorder final : public rt::WindowBackend {
public:
    void object_created(const rt::GraphicsObject&) override { seen.push_back("created"); }
    void property_changed(const rt::GraphicsObject&, rt::PropertyId) override { seen.push_back("changed"); }
    void object_deleted(const rt::GraphicsObject&) override { seen.push_back("deleted"); }
    void figure_raised(const rt::GraphicsObject&) override { seen.push_back("raised"); }
    void drawnow() override { seen.push_back("drawnow"); }
    void pause(double) override { seen.push_back("pause"); }
    rt::FrameMargins frame_margins(const rt::GraphicsObject&) const override { return {1, 2, 3, 4}; }
    std::vector<std::string> seen;
};

class TimeLimitTest : public ::testing::Test {
protected:
    void SetUp() override {
        rt::array_library_initialize();
        rt::graphics_library_initialize();
        previous_ = rt::set_console(&console_);
    }
    void TearDown() override {
        rt::set_window_backend(nullptr);
        rt::graphics_library_terminate();
        rt::array_library_terminate();
        rt::set_console(previous_);
    }
    std::ostringstream console_;
    std::ostream* previous_ = nullptr;
};

TEST_F(TimeLimitTest, WatchingPausesPassesEveryHookOnAndPutsTheBackendBack) {
    Recorder inner;
    rt::set_window_backend(&inner);
    {
        rt::TimeLimit limit(3600);
        limit.watch_pauses();
        EXPECT_EQ(rt::window_backend(), &limit);
        const double h = rt::figure().scalar();
        rt::set(h, "Name", rt::Value::string("w"));
        rt::figure(std::vector<rt::Value>{rt::Value(h)});
        rt::drawnow();
        rt::pause(0.0);
        EXPECT_EQ(limit.frame_margins(*rt::find_object(h)).top, 4);
        rt::delete_(rt::Value(h));
        EXPECT_FALSE(limit.expired());
    }
    EXPECT_EQ(rt::window_backend(), &inner);
    for (const char* hook : {"created", "changed", "raised", "drawnow", "pause", "deleted"})
        EXPECT_NE(std::find(inner.seen.begin(), inner.seen.end(), hook), inner.seen.end()) << hook;
}

// Past the deadline every window is asked to close, once, and long work
// stops; after the grace pauses stop too.
TEST_F(TimeLimitTest, WhenTheTimeIsUpWindowsAreAskedOnceAndAfterTheGraceWorkStops) {
    const rt::Value m = rt::ones(2, 2);
    const double plain = rt::figure().scalar();
    const rt::Value pairs[] = {rt::Value::string("CloseRequestFcn"), rt::Value::string("disp('asked')")};
    const double refusing = rt::figure(pairs).scalar();
    {
        rt::TimeLimit limit(0.001);
        limit.watch_pauses();
        ASSERT_TRUE(rt::deadline());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_FALSE(limit.expired());              // nothing has looked at the clock yet
        EXPECT_THROW(rt::mtimes(m, m), rt::Error);  // a matrix product notices the deadline itself
        for (int i = 0; i < 3; ++i) rt::pause(0.0);
        EXPECT_TRUE(limit.expired());
        EXPECT_FALSE(rt::ishandle(plain));
        // A window that keeps itself open is asked once, not at every pause.
        EXPECT_TRUE(rt::ishandle(refusing));
        EXPECT_EQ(console_.str(), "asked\n");
        EXPECT_FALSE(limit.grace_over());
        std::this_thread::sleep_for(std::chrono::duration<double>(rt::kTimeLimitGrace));
        EXPECT_TRUE(limit.grace_over());
        EXPECT_EQ(error_of([] { rt::pause(0.0); }), rt::kDeadlineMessage);
    }
    EXPECT_FALSE(rt::deadline());
    EXPECT_EQ(rt::mtimes(m, m)[0], 2.0);
}

}  // namespace
