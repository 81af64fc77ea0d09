#pragma once
// The picture of a sweep, painted by our own renderer's colour map and tick
// rules, headless: with two varied parameters a heat map of the median
// trials to success (settings where no run converged are crossed out); with
// one, the median trials to success as a line over its quartile band.

#include <string>
#include <vector>

#include "experiments/sweep_summary.hpp"

namespace sys::sweep {

// Raises BadInput when the summaries vary no parameter or more than two, or
// mix random terms on and off (a plot shows one of them).
void check_plottable(const std::vector<RunSetting>& settings);

// Writes the picture as a PNG file at `path`; raises BadInput when it cannot
// be written. Starts Qt's offscreen platform for the call when no toolkit
// runs.
void save_sweep_plot(const std::vector<SettingSummary>& summaries, const std::string& path);

}  // namespace sys::sweep
