#include "experiments/sweep_summary.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "experiments/value_list.hpp"

namespace sys::sweep {

namespace {

std::string cell(double x, const char* format = "%.0f") {
    if (std::isnan(x)) return "-";
    char buf[64];
    std::snprintf(buf, sizeof buf, format, x);
    return buf;
}

}  // namespace

double quantile(std::vector<double> values, double q) {
    if (values.empty()) return NAN;
    std::sort(values.begin(), values.end());
    const double at = q * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(at));
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (at - static_cast<double>(below)) * (values[above] - values[below]);
}

std::vector<SettingSummary> summarise(const std::vector<RunRecord>& records) {
    struct Runs {
        SettingSummary sum;
        std::vector<double> trials, best, seconds;
    };
    std::vector<Runs> groups;
    std::map<RunKey, std::size_t> group_of;  // a setting as a key without its seed
    for (const RunRecord& r : records) {
        const auto [it, fresh] = group_of.emplace(RunKey{r.key.setting, std::nullopt}, groups.size());
        if (fresh) groups.push_back({SettingSummary{r.key.setting}, {}, {}, {}});
        Runs& g = groups[it->second];
        ++g.sum.runs;
        g.seconds.push_back(r.seconds);
        if (!has_outcome(r)) {
            ++g.sum.failed;
            continue;
        }
        g.best.push_back(r.best);
        if (r.outcome == Outcome::converged) ++g.sum.converged, g.trials.push_back(r.trials);
    }
    std::vector<SettingSummary> out;
    for (Runs& g : groups) {
        g.sum.trials_q1 = quantile(g.trials, 0.25);
        g.sum.trials_median = quantile(g.trials, 0.5);
        g.sum.trials_q3 = quantile(g.trials, 0.75);
        g.sum.best_median = quantile(g.best, 0.5);
        g.sum.seconds_median = quantile(g.seconds, 0.5);
        out.push_back(g.sum);
    }
    return out;
}

void print_summary(std::ostream& out, const std::vector<SettingSummary>& summaries) {
    char line[256];
    std::snprintf(line, sizeof line, "%-8s %-8s %-8s %-8s %-6s %5s %9s %8s %8s %8s %8s %8s\n", "alpha", "beta", "gamma",
                  "reinf", "random", "runs", "converged", "trials", "q1", "q3", "best", "seconds");
    out << line;
    for (const SettingSummary& s : summaries) {
        const std::string share = s.runs ? cell(100.0 * s.converged / s.runs) + "%" : "-";
        std::snprintf(line, sizeof line, "%-8s %-8s %-8s %-8s %-6s %5d %9s %8s %8s %8s %8s %8s\n",
                      number_text(s.setting.alpha).c_str(), number_text(s.setting.beta).c_str(),
                      number_text(s.setting.gamma).c_str(), number_text(s.setting.reinf).c_str(),
                      s.setting.random ? "on" : "off", s.runs, share.c_str(), cell(s.trials_median).c_str(),
                      cell(s.trials_q1).c_str(), cell(s.trials_q3).c_str(), cell(s.best_median).c_str(),
                      cell(s.seconds_median, "%.2f").c_str());
        out << line;
    }
}

double parameter_value(const RunSetting& s, int p) {
    switch (p) {
        case 0: return s.alpha;
        case 1: return s.beta;
        case 2: return s.gamma;
        default: return s.reinf;
    }
}

const char* parameter_name(int p) {
    static const char* const names[] = {"alpha", "beta", "gamma", "reinf"};
    return names[std::clamp(p, 0, 3)];
}

std::vector<int> varied_parameters(const std::vector<RunSetting>& settings) {
    std::vector<int> varied;
    for (int p = 0; p < 4; ++p) {
        for (const RunSetting& s : settings) {
            if (parameter_value(s, p) != parameter_value(settings.front(), p)) {
                varied.push_back(p);
                break;
            }
        }
    }
    return varied;
}

}  // namespace sys::sweep
