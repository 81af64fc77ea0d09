#pragma once
// The runs of a sweep: every combination of the listed settings, and of the
// seeds when random terms are on (with them off a run does not depend on the
// seed, so it runs once per setting). The order is fixed (alpha slowest,
// then beta, gamma, reinf, random, seed), so every machine computing the
// plan of one command line gets the same list and a shard is a slice of it.

#include <cstdint>
#include <optional>
#include <vector>

namespace sys::sweep {

struct RunSetting {
    double alpha = 0, beta = 0, gamma = 0, reinf = 0;
    bool random = true;
    bool operator==(const RunSetting&) const = default;
};

// One run: a setting and, with random terms on, its seed.
struct RunKey {
    RunSetting setting;
    std::optional<std::uint64_t> seed;
    bool operator==(const RunKey&) const = default;
};

// An order of keys for sets and maps: a resumed sweep or a merge of many
// runs looks each one up among thousands.
bool operator<(const RunKey& a, const RunKey& b);

struct SweepGrid {
    std::vector<double> alpha, beta, gamma, reinf;
    std::vector<bool> random;
    std::vector<std::uint64_t> seeds;
};

std::vector<RunKey> plan_runs(const SweepGrid& grid);

// Shard `index` (1 to `count`) of the plan: runs index-1, index-1+count, ...
std::vector<RunKey> shard_runs(const std::vector<RunKey>& plan, int index, int count);

}  // namespace sys::sweep
