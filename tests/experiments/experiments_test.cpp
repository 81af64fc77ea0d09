// The parts of a sweep: the run plan, the results file and its summary, and
// the worker pool.
#include "experiments/bad_input.hpp"
#include "experiments/results_file.hpp"
#include "experiments/sweep_plan.hpp"
#include "experiments/sweep_summary.hpp"
#include "experiments/value_list.hpp"
#include "experiments/worker_pool.hpp"
#include "tests/common.hpp"

// LIST parsing and the run plan: the values a person writes become exactly
// the settings and seeds of the runs, and shards split the plan without
// losing or repeating a run.
namespace {

using namespace sys::sweep;

std::vector<double> list(const std::string& text) { return parse_value_list("--alpha", text); }

TEST(ValueList, RangesIncludeTheirStopAndGiveTheValuesAsTyped) {
    // Exactly the doubles of "0.3" and "0.7", not start + k*step's binary residue,
    // so a sweep row sets the slider as `--set alpha_sl=0.3` would.
    EXPECT_EQ(list("0.1:0.1:0.9"), (std::vector<double>{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9}));
    EXPECT_EQ(list("0.9:0.01:0.99"), (std::vector<double>{0.9, 0.91, 0.92, 0.93, 0.94, 0.95, 0.96, 0.97, 0.98, 0.99}));
    EXPECT_EQ(list("0:0.3:1"), (std::vector<double>{0, 0.3, 0.6, 0.9}));  // stop need not be reached
    EXPECT_EQ(list("0.9,0.99,0.999"), (std::vector<double>{0.9, 0.99, 0.999}));
}

TEST(ValueList, MalformedListsAreRefusedWithTheOptionNamed) {
    for (const char* bad : {"", "a", "0.1,,0.2", "0.1,", "0.1:0.2", "0.1:0.1:0.5:1", "0:0:1", "1:0.1:0", "inf",
                            "0.1,0.1", "0:0.1:0.1,0.2", "0:1e-9:1", " 0.1", "0.1x"}) {
        try {
            list(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const BadInput& e) {
            EXPECT_EQ(std::string(e.what()).rfind("--alpha: ", 0), 0u) << e.what();
        }
    }
    EXPECT_EQ(parse_seed_list("--seeds", "1:1:5"), (std::vector<std::uint64_t>{1, 2, 3, 4, 5}));
    EXPECT_THROW(parse_seed_list("--seeds", "1.5"), BadInput);
    EXPECT_THROW(parse_seed_list("--seeds", "-1"), BadInput);
}

SweepGrid grid() {
    SweepGrid g;
    g.alpha = {0.1, 0.2, 0.3};
    g.beta = {0.01};
    g.gamma = {0.9, 0.99};
    g.reinf = {-1};
    g.random = {true, false};
    g.seeds = {1, 2, 3, 4};
    return g;
}

TEST(SweepPlan, RandomTermsOffRunOncePerSettingAndShardsPartitionThePlan) {
    const std::vector<RunKey> plan = plan_runs(grid());
    ASSERT_EQ(plan.size(), 3u * 2u * (4u + 1u));
    for (std::size_t i = 0; i < plan.size(); ++i) {
        EXPECT_EQ(plan[i].setting.random, plan[i].seed.has_value());
        EXPECT_EQ(std::count(plan.begin(), plan.end(), plan[i]), 1);
    }
    for (int n : {1, 3, 7, 40}) {
        std::vector<RunKey> joined;
        for (int i = 1; i <= n; ++i) {
            const std::vector<RunKey> part = shard_runs(plan, i, n);
            EXPECT_LE(part.size(), (plan.size() + n - 1) / n);
            joined.insert(joined.end(), part.begin(), part.end());
        }
        ASSERT_EQ(joined.size(), plan.size()) << n << " shards";
        for (const RunKey& k : plan) EXPECT_EQ(std::count(joined.begin(), joined.end(), k), 1);
    }
    // Every machine computes the same plan from the same command line.
    EXPECT_EQ(plan_runs(grid()), plan);
}

// The results CSV and the summary made of it: rows read back exactly as
// written, files that are not ours are refused and left alone, an
// interrupted write does not poison a resume, and the statistics are the
// usual ones.

RunRecord record(double alpha, std::optional<std::uint64_t> seed, Outcome o, double trials, double seconds = 1) {
    RunRecord r;
    r.key = {{alpha, 0.01, 0.95, -1, seed.has_value()}, seed};
    r.outcome = o;
    if (o == Outcome::converged || o == Outcome::not_converged) r.trials = trials, r.best = 2 * trials, r.steps = 9;
    r.seconds = seconds;
    return r;
}

class ScratchFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder = sys_test::make_temp_folder();
        path = (fs::path(folder) / "results.csv").string();
    }
    void TearDown() override { fs::remove_all(folder); }
    void write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    std::string text() const { return sys_test::read_file(path); }
    std::string folder, path;
};

bool same(const RunRecord& a, const RunRecord& b) {
    const auto eq = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
    return a.key == b.key && a.outcome == b.outcome && eq(a.trials, b.trials) && eq(a.best, b.best) &&
           eq(a.steps, b.steps) && a.seconds == b.seconds;
}

TEST_F(ScratchFile, RowsReadBackExactlyAndAppendingKeepsOneHeader) {
    const std::vector<RunRecord> rows = {record(0.1 + 0.2, 7, Outcome::converged, 322, 1.0 / 3),
                                         record(0.3, std::nullopt, Outcome::not_converged, 5000),
                                         record(0.5, 9007199254740992ull, Outcome::timeout, 0),
                                         record(0.7, std::nullopt, Outcome::crash, 0)};
    {
        ResultsWriter w(path);
        w.append(rows[0]);
        w.append(rows[1]);
    }
    ResultsWriter(path).append(rows[2]);
    ResultsWriter(path).append(rows[3]);
    const std::vector<RunRecord> back = read_results(path);
    ASSERT_EQ(back.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_TRUE(same(back[i], rows[i])) << results_row(back[i]);
    EXPECT_EQ(text().rfind(results_header() + "\n", 0), 0u);
    EXPECT_EQ(text().find(results_header(), 1), std::string::npos);
}

TEST_F(ScratchFile, ForeignOrDamagedFilesAreRefusedAndLeftAsTheyAre) {
    for (const std::string& bad :
         std::vector<std::string>{"alpha,beta,gamma\n0.1,0.01,0.9\n", "name,score\n", results_header() + ",extra\n",
                                  results_header() + "\n0.1,0.01,0.95,-1,on,1,1,5,6,7\n",     // a field short
                                  results_header() + "\n0.1,0.01,0.95,-1,off,3,1,5,6,7,1\n",  // a seed with random off
                                  results_header() + "\n0.1,0.01,0.95,-1,on,1,maybe,5,6,7,1\n",  // unknown outcome
                                  results_header() + "\n0.1,0.01,0.95,-1,on,1,1,,6,7,1\n",  // converged without trials
                                  results_header() +
                                      "\n\"0.1\",0.01,0.95,-1,on,1,1,5,6,7,1\n"}) {  // quoted: not written by us
        write(bad);
        EXPECT_THROW(read_results(path, true), BadInput) << bad;
        EXPECT_EQ(text(), bad);
    }
}

TEST_F(ScratchFile, APartialLastLineIsCutSoAResumeAppendsCleanly) {
    const RunRecord done = record(0.1, 1, Outcome::converged, 40);
    write(results_header() + "\n" + results_row(done) + "\n0.2,0.01,0.9");
    const std::vector<RunRecord> back = read_results(path, true);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_TRUE(same(back[0], done));
    ResultsWriter(path).append(record(0.2, 1, Outcome::not_converged, 30));
    EXPECT_EQ(read_results(path).size(), 2u);

    fs::remove(path);
    EXPECT_TRUE(read_results(path).empty());
    EXPECT_THROW(ResultsWriter((fs::path(folder) / "no" / "such.csv").string()), BadInput);
}

TEST(SweepSummary, MediansAndQuartilesOfTrialsCountOnlyRunsThatConverged) {
    EXPECT_TRUE(std::isnan(quantile({}, 0.5)));
    EXPECT_EQ(quantile({4, 1, 3, 2}, 0.5), 2.5);
    EXPECT_EQ(quantile({1, 2, 3, 4}, 0.75), 3.25);

    const std::vector<SettingSummary> s = summarise({
        record(0.1, 1, Outcome::converged, 100, 1),
        record(0.1, 2, Outcome::converged, 300, 3),
        record(0.1, 3, Outcome::not_converged, 5000, 9),
        record(0.1, 4, Outcome::crash, 0, 0.5),
        record(0.2, 1, Outcome::not_converged, 5000, 2),
    });
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(std::tuple(s[0].runs, s[0].converged, s[0].failed, s[1].converged), std::tuple(4, 2, 1, 0));
    // The best median is of the three runs with an outcome.
    EXPECT_EQ(std::tuple(s[0].trials_median, s[0].trials_q1, s[0].best_median, s[0].seconds_median),
              std::tuple(200.0, 150.0, 600.0, 2.0));
    EXPECT_TRUE(std::isnan(s[1].trials_median));

    std::ostringstream table;
    print_summary(table, s);
    EXPECT_NE(table.str().find("50%"), std::string::npos) << table.str();
    EXPECT_EQ(varied_parameters({s[0].setting, s[1].setting}), std::vector<int>{0});
}

// The worker pool against stand-in workers (a shell script that acts on the
// ALPHA it is given): a run that crashes, fails, hangs or succeeds is
// recorded as such, each exactly once, and one bad run does not stop the
// others.

constexpr const char* kStandIn = R"(#!/bin/sh
summary=""
alpha=""
while [ $# -gt 0 ]; do
  case "$1" in
    --run-summary) summary="$2"; shift ;;
    alpha_sl=*) alpha="${1#alpha_sl=}" ;;
  esac
  shift
done
case "$alpha" in
  0.1) kill -SEGV $$ ;;
  0.2) echo "the launch failed" >&2; exit 1 ;;
  0.3) exec sleep 30 ;;
  0.4) printf 'converged,trials,best,steps,seconds\n0,7,99,500,0.25\n' > "$summary" ;;
  *) printf 'converged,trials,best,steps,seconds\n1,42,1234,5678,0.5\n' > "$summary" ;;
esac
)";

TEST(WorkerPool, EachRunIsRecordedOnceWithItsOutcomeWhateverBecameOfItsWorker) {
    const fs::path folder = sys_test::make_temp_folder();
    const fs::path program = folder / "stand-in";
    std::ofstream(program) << kStandIn;
    fs::permissions(program, fs::perms::owner_all);

    std::vector<RunKey> runs;
    for (double alpha : {0.1, 0.2, 0.3, 0.4, 0.5, 0.6}) runs.push_back({{alpha, 0.01, 0.9, -1, false}, std::nullopt});
    // The pool's own deadline for a worker that outlives its time limit:
    // 0.01 s * 1.5 + 5 s.
    WorkerPool pool({program.string(), 3, 5000, 0.01}, folder.string());
    std::map<double, std::pair<RunRecord, std::string>> seen;
    int count = 0;
    const bool complete = pool.run(
        runs,
        [&](const RunRecord& r, const std::string& note) {
            ++count;
            seen[r.key.setting.alpha] = {r, note};
        },
        [] {}, [] { return false; });
    fs::remove_all(folder);

    EXPECT_TRUE(complete);
    EXPECT_EQ(count, 6);
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[0.1].first.outcome, Outcome::crash);
    EXPECT_EQ(std::tuple(seen[0.2].first.outcome, seen[0.2].second), std::tuple(Outcome::error, "the launch failed"));
    EXPECT_EQ(seen[0.3].first.outcome, Outcome::timeout);
    EXPECT_EQ(std::tuple(seen[0.4].first.outcome, seen[0.4].first.trials), std::tuple(Outcome::not_converged, 7.0));
    // The seconds are the run's own time, not the process's.
    for (const RunRecord& r : {seen[0.5].first, seen[0.6].first})
        EXPECT_EQ(std::tuple(r.outcome, r.trials, r.best, r.steps, r.seconds),
                  std::tuple(Outcome::converged, 42.0, 1234.0, 5678.0, 0.5));
}

TEST(WorkerPool, AWorkersSettingsKeepEveryDigit) {
    const std::vector<std::string> args =
        worker_arguments({{0.1 + 0.2, 0.01, 0.95, -1, false}, std::nullopt}, {"tavrin", 1, 300, 2.5}, "x");
    EXPECT_EQ(std::count(args.begin(), args.end(), "--seed"), 0);
    EXPECT_NE(std::find(args.begin(), args.end(), "alpha_sl=0.30000000000000004"), args.end());
}

}  // namespace
