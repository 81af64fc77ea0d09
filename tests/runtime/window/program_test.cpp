// The program itself with windows: without a display, or with a window
// system that will not start, it says so in one line; a window that refuses
// to close does not outlast the time limit.
#include <gmock/gmock.h>

#include "tests/system/program_run.hpp"

namespace {

TEST(Program, SaysInOneLineWhyItHasNoWindowsAndAWindowThatRefusesToCloseDoesNotOutlastTheTimeLimit) {
    // (what env sets or unsets, tavrin's arguments, exit status, what it says on both streams)
    const struct {
        std::vector<std::string> env, args;
        int status;
        const char* said;
    } cases[] = {
        {{"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM"},
         {"--click", "pushbutton1"},
         1,
         "tavrin: no display found \\(DISPLAY is not set\\); run with --headless to use tavrin without windows\n"},
        {{"QT_QPA_PLATFORM=no-such-platform"},
         {"--click", "pushbutton1"},
         1,
         "tavrin: the window system could not start \\([^\n]*run with --headless[^\n]*\n"},
        {{"QT_QPA_PLATFORM=offscreen"},
         {"--max-seconds", "1", "--eval", "set(gcf,'CloseRequestFcn','disp(''refusing'')')"},
         3,
         "(.*\n)?refusing\n.*tavrin: the time limit of 1 seconds \\(--max-seconds\\) ran out.*"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.env;
        args.push_back(TAVRIN_BINARY);
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto r = sys_test::run_program("/usr/bin/env", args);
        EXPECT_EQ(r.status, c.status) << c.said << "\n" << r.err;
        EXPECT_THAT(r.out + r.err, ::testing::MatchesRegex(c.said));
    }
}

}  // namespace
