#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "runtime/main/command_line.hpp"

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

TEST(CommandLine, ActionsKeepTheirCommandLineOrderAcrossOptions) {
    const Outcome o = parse({"--headless", "--eval", "disp('a')", "--set", "alpha_sl=0.3", "--click", "pushbutton1",
                             "--set", "reinf_sl=-1", "--eval=gcf"});
    ASSERT_FALSE(o.parsed.exit_status);
    const auto& a = o.parsed.options.actions;
    ASSERT_EQ(a.size(), 5u);
    EXPECT_EQ(a[0].kind, Kind::Eval);
    EXPECT_EQ(a[0].statement, "disp('a')");
    EXPECT_EQ(a[1].kind, Kind::Set);
    EXPECT_EQ(a[1].tag, "alpha_sl");
    EXPECT_EQ(a[1].value, 0.3);
    EXPECT_EQ(a[2].kind, Kind::Click);
    EXPECT_EQ(a[2].tag, "pushbutton1");
    EXPECT_EQ(a[3].kind, Kind::Set);
    EXPECT_EQ(a[3].value, -1.0);
    EXPECT_EQ(a[4].statement, "gcf");
    EXPECT_TRUE(o.parsed.options.headless);
}

TEST(CommandLine, ValuesOfTheOtherOptions) {
    const Outcome o = parse({"--seed", "42", "--screen", "800x600", "--pace", "0.02", "--fps", "30",
                             "--save-figures", "out/demo"});
    ASSERT_FALSE(o.parsed.exit_status) << o.err;
    const rt::ProgramOptions& p = o.parsed.options;
    EXPECT_FALSE(p.headless);
    ASSERT_TRUE(p.seed);
    EXPECT_EQ(*p.seed, 42u);
    ASSERT_TRUE(p.screen);
    EXPECT_EQ(p.screen->width, 800);
    EXPECT_EQ(p.screen->height, 600);
    EXPECT_EQ(p.pace, 0.02);
    EXPECT_EQ(p.fps, 30);
    EXPECT_EQ(p.save_figures, "out/demo");
    EXPECT_TRUE(p.actions.empty());

    // The extremes that are allowed, and a '+' as people write it.
    const Outcome edges = parse({"--seed", "18446744073709551615", "--max-seconds", "1e9", "--set", "reinf_sl=+1"});
    ASSERT_FALSE(edges.parsed.exit_status) << edges.err;
    EXPECT_EQ(*edges.parsed.options.seed, 18446744073709551615u);
    EXPECT_EQ(edges.parsed.options.max_seconds, 1e9);
    EXPECT_EQ(edges.parsed.options.actions.at(0).value, 1.0);

    const Outcome none = parse({});
    EXPECT_FALSE(none.parsed.options.seed);
    EXPECT_FALSE(none.parsed.options.screen);
    EXPECT_EQ(none.parsed.options.fps, 60);
}

TEST(CommandLine, BadOptionsGiveStatusTwoAndAUsageLine) {
    const std::vector<std::vector<const char*>> bad = {
        {"--bogus"},
        {"--set", "alpha_sl"},        // no '='
        {"--set", "=3"},              // no tag
        {"--set", "alpha_sl=high"},   // not a number
        {"--seed", "minus"},
        {"--screen", "800"},
        {"--screen", "0x600"},
        {"--fps", "0"},
        {"--pace", "-1"},
        // Numbers that are not numbers, or whole numbers out of range, are
        // refused rather than let through or clamped.
        {"--pace", "NaN"},
        {"--fps", "nan"},
        {"--max-seconds", "NaN"},
        {"--max-seconds", "Inf"},
        {"--max-seconds", "0"},
        {"--max-seconds", "-2"},
        {"--seed", "-1"},
        {"--seed", "18446744073709551616"},
        {"--seed", "1.5"},
        {"--set", "alpha_sl=0.3x"},
        {"--set", "alpha_sl=1e999"},
        {"--click", ""},
        {"--click"},                  // missing its tag
        {"stray"},
    };
    for (const auto& args : bad) {
        const Outcome o = parse(args);
        ASSERT_TRUE(o.parsed.exit_status) << args[0];
        EXPECT_EQ(*o.parsed.exit_status, 2) << args[0];
        EXPECT_NE(o.err.find("usage: tavrin "), std::string::npos) << o.err;
        EXPECT_NE(o.err.find(args[0]), std::string::npos) << o.err;  // names the option
        EXPECT_TRUE(o.out.empty());
    }
}

TEST(CommandLine, HelpListsEveryOptionAndEndsWithStatusZero) {
    const Outcome o = parse({"--help"});
    ASSERT_TRUE(o.parsed.exit_status);
    EXPECT_EQ(*o.parsed.exit_status, 0);
    for (const char* name : {"--headless", "--set", "--click", "--eval", "--seed", "--screen", "--save-figures",
                             "--pace", "--fps"})
        EXPECT_NE(o.out.find(name), std::string::npos) << name;
    EXPECT_TRUE(o.err.empty());
}

}  // namespace
