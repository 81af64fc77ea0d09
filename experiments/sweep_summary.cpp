#include "experiments/sweep_summary.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
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
    std::vector<RunSetting> settings;
    for (const RunRecord& r : records) {
        if (std::find(settings.begin(), settings.end(), r.key.setting) == settings.end())
            settings.push_back(r.key.setting);
    }
    std::vector<SettingSummary> out;
    for (const RunSetting& s : settings) {
        SettingSummary sum;
        sum.setting = s;
        std::vector<double> trials, best, seconds;
        for (const RunRecord& r : records) {
            if (!(r.key.setting == s)) continue;
            ++sum.runs;
            seconds.push_back(r.seconds);
            if (!has_outcome(r)) {
                ++sum.failed;
                continue;
            }
            best.push_back(r.best);
            if (r.outcome == Outcome::converged) ++sum.converged, trials.push_back(r.trials);
        }
        sum.trials_q1 = quantile(trials, 0.25);
        sum.trials_median = quantile(trials, 0.5);
        sum.trials_q3 = quantile(trials, 0.75);
        sum.best_median = quantile(best, 0.5);
        sum.seconds_median = quantile(seconds, 0.5);
        out.push_back(sum);
    }
    return out;
}

void print_summary(std::ostream& out, const std::vector<SettingSummary>& summaries) {
    char line[256];
    std::snprintf(line, sizeof line, "%-8s %-8s %-8s %-8s %-6s %5s %9s %8s %8s %8s %8s %8s\n", "alpha", "beta",
                  "gamma", "reinf", "random", "runs", "converged", "trials", "q1", "q3", "best", "seconds");
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
