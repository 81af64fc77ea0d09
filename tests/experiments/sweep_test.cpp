// `tavrin sweep` end to end: its rows equal single runs of the program,
// shards merge to the unsharded result and a finished sweep run again adds
// no run, --max-trials bounds a run that never converges, and
// bad input stops it before any run. Runs are kept few and short (small
// --max-trials).

#include "tests/system/program_run.hpp"

namespace {

using namespace sys_test;

ProgramRun sweep(const std::vector<std::string>& args) { return run_tavrin(joined({"sweep"}, args)); }

// The rows without the header and without their timing, sorted: what two
// sweeps of the same runs must agree on.
std::vector<std::string> outcomes(const std::string& path) {
    std::vector<std::string> rows = lines_of(path);
    if (!rows.empty()) rows.erase(rows.begin());
    for (std::string& r : rows) r = r.substr(0, r.rfind(','));
    std::sort(rows.begin(), rows.end());
    return rows;
}

// The summary table without its seconds column.
std::string summary_without_seconds(const std::string& out) {
    std::string result;
    for (const std::string& line : split(out, '\n'))
        result += line.substr(0, line.find_last_not_of(" 0123456789.") + 1) + "\n";
    return result;
}

class SweepTest : public ::testing::Test {
protected:
    void SetUp() override { folder = sys_test::make_temp_folder(); }
    void TearDown() override { fs::remove_all(folder); }
    std::string file(const std::string& name) const { return (fs::path(folder) / name).string(); }
    std::string folder;
};

TEST_F(SweepTest, RowsEqualSingleRunsWithRandomTermsOnAndOff) {
    const std::string csv = file("rows.csv");
    ProgramRun off = sweep({"--random", "off", "--alpha", "0.2,0.3", "--gamma", "0.95", "--jobs", "2", "--out", csv});
    ASSERT_EQ(off.status, 0) << off.err;
    ProgramRun on = sweep({"--alpha", "0.3", "--seeds", "3", "--max-trials", "1000", "--out", csv});
    ASSERT_EQ(on.status, 0) << on.err;
    std::vector<std::string> rows = lines_of(csv);
    ASSERT_EQ(rows.size(), 1u + 2u + 1u);
    // The deterministic setting everyone knows.
    EXPECT_NE(sys_test::read_file(csv).find("\n0.3,0.01,0.95,-1,off,,1,322,3196,"), std::string::npos);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const std::vector<std::string> f = split(rows[i], ',');
        ASSERT_EQ(f.size(), 11u) << rows[i];
        ASSERT_EQ(f[6], "1") << rows[i];
        std::vector<std::string> single = {"--headless"};
        if (f[4] == "on") single.insert(single.end(), {"--seed", f[5]});
        const std::string summary = file("single.csv");
        single.insert(single.end(),
                      {"--set", "alpha_sl=" + f[0], "--set", "beta_sl=" + f[1], "--set", "gamma_sl=" + f[2], "--set",
                       "reinf_sl=" + f[3], "--set", std::string("radiobutton1=") + (f[4] == "on" ? "1" : "0"),
                       "--run-summary", summary, "--click", "pushbutton1", "--eval", "get(get(gca,'title'),'string')"});
        const ProgramRun one = run_tavrin(single);
        ASSERT_EQ(one.status, 0) << one.err;
        EXPECT_NE(one.out.find("ans = 'Success at " + f[7] + " trials'"), std::string::npos) << rows[i] << one.out;
        ASSERT_EQ(lines_of(summary).size(), 2u);
        EXPECT_EQ(split(lines_of(summary)[1], ',')[2], f[8]) << "best of " << rows[i];
    }
}

TEST_F(SweepTest, ARunThatNeverConvergesStopsAtMaxTrials) {
    const std::string summary = file("bounded.csv");
    const ProgramRun one = run_tavrin({"--headless", "--set", "radiobutton1=0", "--set", "gamma_sl=0.9", "--max-trials",
                                       "25", "--run-summary", summary, "--click", "pushbutton1", "--eval",
                                       "get(findall(0,'type','text'),'string')"});
    EXPECT_EQ(one.status, 0) << one.err;
    // Stopped after the 25th failure's update and titles.
    EXPECT_NE(one.out.find("'Trials  25, Best success : "), std::string::npos) << one.out;
    EXPECT_NE(one.err.find("no success in 25 trials (--max-trials)"), std::string::npos) << one.err;
    EXPECT_EQ(lines_of(summary).size(), 2u);
    EXPECT_EQ(split(lines_of(summary).at(1), ',').at(1), "25");
}

TEST_F(SweepTest, ShardsMergeToTheUnshardedSweepAndARerunAddsNothing) {
    const std::vector<std::string> grid = {"--alpha", "0.4,0.6",      "--gamma", "0.9,0.95", "--seeds",
                                           "1,2",     "--max-trials", "12",      "--out"};
    const ProgramRun whole = sweep(joined(grid, {file("whole.csv")}));
    ASSERT_EQ(whole.status, 0) << whole.err;
    for (const std::string i : {"1", "2", "3"})
        ASSERT_EQ(sweep(joined(grid, {file("part" + i + ".csv"), "--shard", i + "/3"})).status, 0);
    const ProgramRun merged = sweep({"--merge", file("merged.csv"), file("part1.csv"), file("part2.csv"),
                                     file("part3.csv"), "--plot", file("heat.png")});
    ASSERT_EQ(merged.status, 0) << merged.err;
    EXPECT_EQ(outcomes(file("merged.csv")).size(), 8u);
    EXPECT_EQ(outcomes(file("merged.csv")), outcomes(file("whole.csv")));
    EXPECT_EQ(summary_without_seconds(merged.out), summary_without_seconds(whole.out));
    EXPECT_EQ(sys_test::read_file(file("heat.png")).substr(1, 3), "PNG");
    // Run again, the whole sweep finds every run done and adds none.
    const std::vector<std::string> done = lines_of(file("whole.csv"));
    EXPECT_EQ(sweep(joined(grid, {file("whole.csv")})).status, 0);
    EXPECT_EQ(lines_of(file("whole.csv")), done);
}

TEST_F(SweepTest, BadInputIsOneLineAndStatus2BeforeAnyRun) {
    std::ofstream(file("other.csv")) << "name,score\nx,1\n";
    // Two shards that are not all of one sweep.
    for (const std::string i : {"1", "3"})
        ASSERT_EQ(sweep({"--random", "off", "--alpha", "0.4,0.6", "--gamma", "0.9,0.95", "--max-trials", "5", "--shard",
                         i + "/3", "--out", file("p" + i + ".csv")})
                      .status,
                  0);
    const std::string png = file("p.png"), m = file("m.csv"), other = file("other.csv");
    const std::vector<std::vector<std::string>> bad = {
        {"--alpha", "0.2,x"},
        {"--shard", "3/2"},
        {"--jobs", "0"},
        {"--out", file("no/such/folder/x.csv")},
        {"--out", other},
        {"--plot", png, "--alpha", "0.1,0.2", "--gamma", "0.9,0.95", "--reinf", "-1,-0.5"},
        {"--plot", png},
        {"--plot", png, "--alpha", "0.1,0.2", "--shard", "1/2"},
        {"--merge", m},
        {"--merge", m, file("nothing.csv")},
        {"--merge", m, other},
        {"--merge", m, other, "--alpha", "0.1"},
        {"--merge", m, file("p1.csv"), file("p1.csv"), file("p3.csv")},
        {"--merge", m, file("p1.csv"), file("p3.csv")},
        {"--no-such-option"},
    };
    for (const std::vector<std::string>& args : bad) {
        const ProgramRun r = sweep(args);
        const std::string shown = args[0] + " " + args.back();
        // One line that begins "tavrin sweep: ", and no run started.
        EXPECT_EQ(sys_test::outcome(r), sys_test::Outcome(2, "", r.err.substr(0, r.err.find('\n') + 1)))
            << shown << "\n"
            << r.err;
        EXPECT_EQ(r.err.rfind("tavrin sweep: ", 0), 0u) << shown << "\n" << r.err;
        EXPECT_EQ(r.err.find("run 1/"), std::string::npos) << shown;
    }
    EXPECT_EQ(sys_test::read_file(file("other.csv")), "name,score\nx,1\n");
    EXPECT_FALSE(fs::exists(png) || fs::exists(m));
}

}  // namespace
