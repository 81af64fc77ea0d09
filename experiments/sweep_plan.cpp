#include "experiments/sweep_plan.hpp"

#include <tuple>

namespace sys::sweep {

bool operator<(const RunKey& a, const RunKey& b) {
    const RunSetting &x = a.setting, &y = b.setting;
    return std::tie(x.alpha, x.beta, x.gamma, x.reinf, x.random, a.seed) <
           std::tie(y.alpha, y.beta, y.gamma, y.reinf, y.random, b.seed);
}

std::vector<RunKey> plan_runs(const SweepGrid& g) {
    std::vector<RunKey> runs;
    for (double alpha : g.alpha)
        for (double beta : g.beta)
            for (double gamma : g.gamma)
                for (double reinf : g.reinf)
                    for (bool random : g.random) {
                        const RunSetting s{alpha, beta, gamma, reinf, random};
                        if (!random) {
                            runs.push_back({s, std::nullopt});
                            continue;
                        }
                        for (std::uint64_t seed : g.seeds) runs.push_back({s, seed});
                    }
    return runs;
}

std::vector<RunKey> shard_runs(const std::vector<RunKey>& plan, int index, int count) {
    std::vector<RunKey> mine;
    for (std::size_t i = static_cast<std::size_t>(index - 1); i < plan.size(); i += static_cast<std::size_t>(count))
        mine.push_back(plan[i]);
    return mine;
}

}  // namespace sys::sweep
