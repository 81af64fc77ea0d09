// The program itself with windows: without a display, or with a window
// system that will not start, it says so in one line; a window that refuses
// to close does not outlast the time limit.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/system/program_run.hpp"

namespace {

sys_test::ProgramRun run(std::vector<std::string> env_args, const std::vector<std::string>& args) {
    env_args.push_back(TAVRIN_BINARY);
    env_args.insert(env_args.end(), args.begin(), args.end());
    return sys_test::run_program("/usr/bin/env", env_args);
}

TEST(Program, WithoutADisplaySaysHowToRunHeadless) {
    const auto r = run({"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM"}, {"--click", "pushbutton1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out + r.err,
              "tavrin: no display found (DISPLAY is not set); run with --headless to use tavrin without windows\n");
}

TEST(Program, AWindowSystemThatRefusesToStartEndsWithOneLineNotAnAbort) {
    const auto r = run({"QT_QPA_PLATFORM=no-such-platform"}, {"--click", "pushbutton1"});
    const std::string said = r.out + r.err;
    EXPECT_EQ(r.status, 1) << said;
    EXPECT_THAT(said, ::testing::MatchesRegex("tavrin: the window system could not start \\([^\n]*run with --headless[^\n]*\n"));
}

TEST(Program, AWindowThatRefusesToCloseDoesNotOutlastTheTimeLimit) {
    const auto r = run({"QT_QPA_PLATFORM=offscreen"},
                       {"--max-seconds", "1", "--eval", "set(gcf,'CloseRequestFcn','disp(''refusing'')')"});
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(r.out.find("refusing\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("tavrin: the time limit of 1 seconds (--max-seconds) ran out"), std::string::npos) << r.err;
}

}  // namespace
