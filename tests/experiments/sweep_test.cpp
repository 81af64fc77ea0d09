// `tavrin sweep` end to end: its rows equal single runs of the program, a
// killed sweep resumes without losing or repeating a run, shards merge to
// the unsharded result, --max-trials bounds a run that never converges, and
// bad input stops it before any run. Runs are kept few and short (small
// --max-trials), and every program run has a time limit.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/system/program_run.hpp"

namespace {

namespace fs = std::filesystem;
using sys_test::ProgramRun;

constexpr double kLimit = 120;

ProgramRun tavrin(const std::vector<std::string>& args) { return sys_test::run_tavrin(args); }

ProgramRun sweep(std::vector<std::string> args) {
    args.insert(args.begin(), "sweep");
    return tavrin(args);
}

std::vector<std::string> lines_of(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> fields(const std::string& row) {
    std::vector<std::string> f;
    std::stringstream s(row);
    for (std::string x; std::getline(s, x, ',');) f.push_back(x);
    if (!row.empty() && row.back() == ',') f.emplace_back();
    return f;
}

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
    std::istringstream in(out);
    std::string result;
    for (std::string line; std::getline(in, line);) result += line.substr(0, line.find_last_not_of(" 0123456789.") + 1) + "\n";
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
    ProgramRun on = sweep({"--alpha", "0.3", "--seeds", "1,3", "--max-trials", "1000", "--out", csv});
    ASSERT_EQ(on.status, 0) << on.err;
    std::vector<std::string> rows = lines_of(csv);
    ASSERT_EQ(rows.size(), 1u + 2u + 2u);
    rows.erase(rows.begin());
    for (const std::string& row : rows) {
        const std::vector<std::string> f = fields(row);
        ASSERT_EQ(f.size(), 11u) << row;
        ASSERT_EQ(f[6], "1") << row;
        std::vector<std::string> single = {"--headless"};
        if (f[4] == "on") single.insert(single.end(), {"--seed", f[5]});
        const std::string summary = file("single.csv");
        single.insert(single.end(), {"--set", "alpha_sl=" + f[0], "--set", "beta_sl=" + f[1], "--set",
                                     "gamma_sl=" + f[2], "--set", "reinf_sl=" + f[3], "--set",
                                     std::string("radiobutton1=") + (f[4] == "on" ? "1" : "0"), "--run-summary",
                                     summary, "--click", "pushbutton1", "--eval", "get(get(gca,'title'),'string')"});
        const ProgramRun one = tavrin(single);
        ASSERT_EQ(one.status, 0) << one.err;
        EXPECT_NE(one.out.find("ans = 'Success at " + f[7] + " trials'"), std::string::npos) << row << "\n" << one.out;
        const std::vector<std::string> mine = lines_of(summary);
        ASSERT_EQ(mine.size(), 2u);
        EXPECT_EQ(fields(mine[1])[2], f[8]) << "best of " << row;
    }
    // The deterministic setting everyone knows.
    EXPECT_NE(std::find_if(rows.begin(), rows.end(),
                           [](const std::string& r) { return r.rfind("0.3,0.01,0.95,-1,off,,1,322,3196,", 0) == 0; }),
              rows.end());
}

TEST_F(SweepTest, ARunThatNeverConvergesStopsAtMaxTrials) {
    const std::string summary = file("bounded.csv");
    const ProgramRun one = tavrin({"--headless", "--set", "radiobutton1=0", "--set", "gamma_sl=0.9", "--max-trials",
                                   "25", "--run-summary", summary, "--click", "pushbutton1", "--eval",
                                   "get(findall(0,'type','text'),'string')"});
    EXPECT_EQ(one.status, 0) << one.err;
    // Stopped after the 25th failure's update and titles.
    EXPECT_NE(one.out.find("'Trials  25, Best success : "), std::string::npos) << one.out;
    EXPECT_NE(one.err.find("no success in 25 trials (--max-trials)"), std::string::npos) << one.err;
    ASSERT_EQ(lines_of(summary).size(), 2u);
    EXPECT_EQ(fields(lines_of(summary)[1])[0], "0");
    EXPECT_EQ(fields(lines_of(summary)[1])[1], "25");

    const std::string csv = file("sweep.csv");
    const ProgramRun s = sweep({"--random", "off", "--gamma", "0.9", "--max-trials", "25", "--out", csv});
    EXPECT_EQ(s.status, 0) << s.err;
    ASSERT_EQ(lines_of(csv).size(), 2u);
    const std::vector<std::string> f = fields(lines_of(csv)[1]);
    EXPECT_EQ(f[6], "0");
    EXPECT_EQ(f[7], "25");
    EXPECT_NE(s.out.find("0%"), std::string::npos) << s.out;

    // A run that outlives --max-seconds is recorded as such and the sweep goes on.
    const ProgramRun slow = sweep({"--random", "off", "--gamma", "0.9,0.95", "--alpha", "0.5", "--max-seconds",
                                   "0.05", "--out", file("slow.csv")});
    EXPECT_EQ(slow.status, 1) << slow.err;
    const std::vector<std::string> rows = lines_of(file("slow.csv"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(fields(rows[1])[6], "timeout");
    EXPECT_EQ(fields(rows[2])[6], "timeout");
}

TEST_F(SweepTest, AKilledSweepResumesWithoutLosingOrRepeatingRuns) {
    const std::string csv = file("resume.csv");
    const std::vector<std::string> args = {"sweep", "--random", "off", "--alpha", "0.1:0.1:0.8", "--gamma", "0.9",
                                           "--max-trials", "60", "--jobs", "1", "--out", csv};
    std::vector<std::string> argv_text = {TAVRIN_BINARY};
    argv_text.insert(argv_text.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argv_text) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // A killed sweep cannot remove its workers' folder; let it be made here.
        setenv("TMPDIR", folder.c_str(), 1);
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execv(TAVRIN_BINARY, argv.data());
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (lines_of(csv).size() < 3 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    const std::vector<std::string> before = lines_of(csv);
    ASSERT_GE(before.size(), 3u) << "no rows within a minute";
    ASSERT_LT(before.size(), 9u) << "the sweep ended before it could be killed";

    const ProgramRun again = tavrin(args);
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.err.find(std::to_string(before.size() - 1) + " of 8 runs already"), std::string::npos) << again.err;
    const std::vector<std::string> after = lines_of(csv);
    ASSERT_EQ(after.size(), 9u);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin()));  // nothing rewritten
    std::vector<std::string> keys;
    for (const std::string& row : after) keys.push_back(row.substr(0, row.find(",off,")));
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end());

    // Run again complete: nothing left to run.
    const ProgramRun done = tavrin(args);
    EXPECT_EQ(done.status, 0);
    EXPECT_EQ(lines_of(csv), after);
}

TEST_F(SweepTest, ShardsMergeToTheUnshardedSweep) {
    const std::vector<std::string> grid = {"--alpha", "0.4,0.6", "--gamma", "0.9,0.95", "--seeds", "1,2",
                                           "--max-trials", "12"};
    const auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> a = grid;
        a.insert(a.end(), extra.begin(), extra.end());
        return sweep(a);
    };
    const ProgramRun whole = with({"--out", file("whole.csv")});
    ASSERT_EQ(whole.status, 0) << whole.err;
    for (const char* i : {"1", "2", "3"}) {
        const ProgramRun part = with({"--shard", std::string(i) + "/3", "--out", file(std::string("part") + i + ".csv")});
        ASSERT_EQ(part.status, 0) << part.err;
    }
    const ProgramRun merged = sweep({"--merge", file("merged.csv"), file("part1.csv"), file("part2.csv"),
                                     file("part3.csv"), "--plot", file("heat.png")});
    ASSERT_EQ(merged.status, 0) << merged.err;
    EXPECT_EQ(outcomes(file("merged.csv")).size(), 8u);
    EXPECT_EQ(outcomes(file("merged.csv")), outcomes(file("whole.csv")));
    EXPECT_EQ(summary_without_seconds(merged.out), summary_without_seconds(whole.out));
    std::ifstream png(file("heat.png"), std::ios::binary);
    char magic[4] = {};
    png.read(magic, 4);
    EXPECT_EQ(std::string(magic + 1, 3), "PNG");

    // A shard given twice, or one missing, is not one sweep.
    const ProgramRun twice = sweep({"--merge", file("m2.csv"), file("part1.csv"), file("part1.csv"), file("part2.csv"),
                                    file("part3.csv")});
    EXPECT_EQ(twice.status, 2);
    EXPECT_NE(twice.err.find("is in both"), std::string::npos) << twice.err;
    const ProgramRun missing = sweep({"--merge", file("m3.csv"), file("part1.csv"), file("part3.csv")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("not all the shards of one sweep"), std::string::npos) << missing.err;
    EXPECT_FALSE(fs::exists(file("m2.csv")) || fs::exists(file("m3.csv")));
}

TEST_F(SweepTest, BadInputIsOneLineAndStatus2BeforeAnyRun) {
    std::ofstream(file("other.csv")) << "name,score\nx,1\n";
    const std::vector<std::vector<std::string>> bad = {
        {"--alpha", "0.1:0:1"},
        {"--alpha", "0.2,x"},
        {"--gamma", "1.5"},
        {"--reinf", "0.5"},
        {"--shard", "3/2"},
        {"--shard", "0/2"},
        {"--seeds", "1.5"},
        {"--random", "maybe"},
        {"--jobs", "0"},
        {"--max-trials", "2.5"},
        {"--out", file("no/such/folder/x.csv")},
        {"--out", file("other.csv")},
        {"--plot", file("p.png"), "--alpha", "0.1,0.2", "--gamma", "0.9,0.95", "--reinf", "-1,-0.5"},
        {"--plot", file("p.png")},
        {"--plot", file("p.png"), "--alpha", "0.1,0.2", "--shard", "1/2"},
        {"--merge", file("m.csv")},
        {"--merge", file("m.csv"), file("nothing.csv")},
        {"--merge", file("m.csv"), file("other.csv")},
        {"--merge", file("m.csv"), file("other.csv"), "--alpha", "0.1"},
        {"--no-such-option"},
    };
    for (const std::vector<std::string>& args : bad) {
        const ProgramRun r = sweep(args);
        std::string shown;
        for (const std::string& a : args) shown += a + " ";
        EXPECT_EQ(r.status, 2) << shown << "\n" << r.err;
        EXPECT_EQ(r.err.rfind("tavrin sweep: ", 0), 0u) << shown << "\n" << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << shown << "\n" << r.err;
        EXPECT_EQ(r.err.find("run 1/"), std::string::npos) << shown;
        EXPECT_TRUE(r.out.empty()) << shown;
    }
    std::ifstream other(file("other.csv"));
    std::ostringstream text;
    text << other.rdbuf();
    EXPECT_EQ(text.str(), "name,score\nx,1\n");
    EXPECT_FALSE(fs::exists(file("p.png")));
}

}  // namespace
