// LIST parsing and the run plan: the values a person writes become exactly
// the settings and seeds of the runs, and shards split the plan without
// losing or repeating a run.
#include "tests/common.hpp"

#include "experiments/bad_input.hpp"
#include "experiments/sweep_plan.hpp"
#include "experiments/value_list.hpp"

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

}  // namespace
