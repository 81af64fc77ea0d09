// The system's learning run against the plain loop over doubles in bench/:
// for many settings and seeds, with the random terms on and off, both must
// fail at the same trials and reach the same best trial. The plain loop does
// the run's arithmetic in the run's order, so any drift in the runtime's
// arithmetic, indexing or random draws shows as a different count.

#include <ostream>

#include "bench/whole_run_floor.hpp"
#include "gui/tavrin.hpp"
#include "runtime/call/random.hpp"
#include "runtime/graphics/graphics.hpp"
#include "tests/app/running_program.hpp"

namespace {

struct Settings {
    bool random;
    double alpha, beta, gamma, reinf;
    std::uint64_t seed;
    long max_trials;
};

std::ostream& operator<<(std::ostream& out, const Settings& s) {
    return out << (s.random ? "random" : "fixed") << " alpha " << s.alpha << " beta " << s.beta << " gamma " << s.gamma
               << " reinf " << s.reinf << " seed " << s.seed << " up to " << s.max_trials << " trials";
}

class LearningOracleTest : public sys_test::ControlWindowOpen, public ::testing::WithParamInterface<Settings> {};

TEST_P(LearningOracleTest, FailsAtTheSameTrialsAsThePlainLoop) {
    const Settings& s = GetParam();
    set_values({{"radiobutton1", s.random ? 1 : 0},
                {"alpha_sl", s.alpha},
                {"beta_sl", s.beta},
                {"gamma_sl", s.gamma},
                {"reinf_sl", s.reinf}});

    sys_test::TrialBound bound(s.max_trials);
    {
        sys::ScopedRunObserver watching(bound);
        rt::seed_rand(s.seed);
        ASSERT_TRUE(press_start_within()) << "the run outlived its time limit";
    }

    const bench::PlainRunResult plain =
        bench::plain_learning_run(s.alpha, s.random ? s.beta : 0.0, s.gamma, s.reinf, s.seed, s.max_trials);
    EXPECT_EQ(bound.trials, plain.trials);
    EXPECT_EQ(bound.best, plain.best);
    EXPECT_EQ(bound.converged, plain.trials < s.max_trials);
}

// Runs that converge within the bound and runs cut short by it; the random
// terms off (the draws are still made, times zero) and on at several sizes.
INSTANTIATE_TEST_SUITE_P(
    SettingsAndSeeds, LearningOracleTest,
    ::testing::Values(Settings{false, 0.3, 0.01, 0.95, -1, 1, 400},  // the deterministic run: converges
                      Settings{false, 0.1, 0.01, 0.9, -0.5, 2, 300}, Settings{false, 1.0, 0.01, 0.0, -1, 4, 300},
                      Settings{true, 0.5, 0.01, 0.999, -1, 11, 300}, Settings{true, 0.7, 0.1, 0.99, -1, 13, 300},
                      Settings{true, 0.6, 0.03, 0.97, 0, 15, 300}, Settings{true, 0.05, 0.08, 0.6, -0.9, 16, 300}));

}  // namespace
