#include "experiments/sweep_plan.hpp"

namespace sys::sweep {

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
