#pragma once
// What a sweep's runs say, one line per setting: how many runs, how many
// converged, the median and quartiles of the trials to success (of the runs
// that converged), the median best trial and the median seconds a run took.

#include <ostream>
#include <vector>

#include "experiments/run_record.hpp"

namespace sys::sweep {

struct SettingSummary {
    RunSetting setting;
    int runs = 0;
    int converged = 0;
    int failed = 0;                                                // timeouts, crashes and errors
    double trials_q1 = NAN, trials_median = NAN, trials_q3 = NAN;  // NaN: none converged
    double best_median = NAN, seconds_median = NAN;
};

// The q-quantile (0 to 1) of `values`, interpolating linearly between the
// two nearest order statistics; NaN for no values.
double quantile(std::vector<double> values, double q);

// One summary per setting, in the order the settings first appear.
std::vector<SettingSummary> summarise(const std::vector<RunRecord>& records);

// The summaries as a table with a header line.
void print_summary(std::ostream& out, const std::vector<SettingSummary>& summaries);

// Which of alpha, beta, gamma, reinf (0 to 3) take more than one value.
std::vector<int> varied_parameters(const std::vector<RunSetting>& settings);
// Parameter `p` (0 to 3) of a setting, and its name.
double parameter_value(const RunSetting& s, int p);
const char* parameter_name(int p);

}  // namespace sys::sweep
