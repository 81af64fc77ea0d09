#pragma once
// One finished run of a sweep and its row in the results CSV:
//
//   alpha,beta,gamma,reinf,random,seed,converged,trials,best,steps,seconds
//
// random is on or off; seed is empty with random terms off; converged is 1
// or 0, or says why the run gave no outcome: timeout (it outlived
// --max-seconds), crash (it died of a signal) or error (it ended with a
// failure status). trials, best and steps are empty for those.

#include <cmath>
#include <string>

#include "experiments/sweep_plan.hpp"

namespace sys::sweep {

enum class Outcome { converged, not_converged, timeout, crash, error };

struct RunRecord {
    RunKey key;
    Outcome outcome = Outcome::error;
    double trials = NAN, best = NAN, steps = NAN;  // NaN: no outcome
    double seconds = 0;
};

inline bool has_outcome(const RunRecord& r) {
    return r.outcome == Outcome::converged || r.outcome == Outcome::not_converged;
}

const std::string& results_header();
// The row, without its line end.
std::string results_row(const RunRecord& record);
// Raises BadInput naming `where` (file and line) when `line` is no row of ours.
RunRecord parse_results_row(const std::string& line, const std::string& where);

}  // namespace sys::sweep
