#pragma once
// --trials-csv FILE: one row per finished trial of every run, flushed as the
// trial ends, so a run stopped early keeps what it did. RFC 4180 with a
// header row:
//
//   run,trial,steps,outcome,alpha,beta,gamma,random_terms,reinforcement
//
// `steps` is the count the titles show, `outcome` failure or success, then
// the run's settings (random_terms 1 or 0 for the radio button) and the
// reinforcement the failure was given (empty for a success). Numbers are
// written locale-independently, in the fewest digits that read back as the
// same double.

#include <fstream>
#include <string>

#include "learning/run_observer.hpp"

namespace sys {

// A number as the file writes it.
std::string csv_number(double v);

class TrialsCsv final : public RunObserver {
public:
    // Creates (or empties) the file and writes the header; false when it
    // cannot, with the reason in `problem`.
    bool open(const std::string& path, std::string& problem);

    void run_started(const RunSettings& s) override { settings_ = s; }
    RunCourse trial_ended(const TrialReport& r) override;

private:
    std::ofstream out_;
    RunSettings settings_;
};

}  // namespace sys
