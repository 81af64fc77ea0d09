#pragma once
// The learning run in plain C++ over doubles: the same arithmetic in the same
// order as the system's run, with no array values, no calls by name and no
// drawing. It is the floor the whole system is measured against, and the
// oracle the system's run is tested against: equal trial counts and best
// trials show that both computed the same run.

#include <cstdint>

namespace bench {

struct PlainRunResult {
    long trials = 0;
    long best = 0;   // best at the last failure
    long steps = 0;  // every step of every trial
};

// ALPHA, BETA and GAMMA as the run reads them (BETA already forced to 0 when
// the random terms are off), the reinforcement at a failure, and the seed of
// the run's own random generator. With max_trials above 0 the run stops
// after that many failures, as a run bounded by an observer does.
PlainRunResult plain_learning_run(double ALPHA, double BETA, double GAMMA, double reinf_at_failure, std::uint64_t seed,
                                  long max_trials = 0);

}  // namespace bench
