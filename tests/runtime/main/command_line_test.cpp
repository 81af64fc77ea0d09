#include "tests/common.hpp"

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
    const std::vector<std::vector<const char*>> bad = {
        {"--bogus"},
        {"--set", "alpha_sl"},
        {"--set", "=3"},
        {"--set", "alpha_sl=high"},
        {"--seed", "minus"},
        {"--screen", "800"},
        {"--screen", "0x600"},
        {"--fps", "0"},
        {"--pace", "-1"},
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
        {"--click"},
        {"stray"},
    };
    for (const auto& args : bad) {
        const Outcome o = parse(args);
        EXPECT_EQ(o.parsed.exit_status, 2) << args[0];
        EXPECT_NE(o.err.find("usage: tavrin "), std::string::npos) << o.err;
        EXPECT_NE(o.err.find(args[0]), std::string::npos) << o.err;  // names the option
        EXPECT_TRUE(o.out.empty());
    }
}

}  // namespace
