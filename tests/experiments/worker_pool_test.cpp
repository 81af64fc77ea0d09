// The worker pool against stand-in workers (a shell script that acts on the
// ALPHA it is given): a run that crashes, fails, hangs or succeeds is
// recorded as such, each exactly once, and one bad run does not stop the
// others.
#include "tests/common.hpp"

#include "experiments/worker_pool.hpp"

namespace {

using namespace sys::sweep;
namespace fs = std::filesystem;

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
    std::string pattern = (fs::temp_directory_path() / "tavrin-pool-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path folder = pattern;
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
