#pragma once
// How far a sweep has come, on standard error: on a terminal one line
// rewritten in place (runs done of total, failures, elapsed and remaining
// time); otherwise, for logs and job arrays, one plain line per finished
// run.

#include <chrono>
#include <ostream>
#include <string>

#include "experiments/run_record.hpp"

namespace sys::sweep {

class SweepProgress {
public:
    // `done` runs of `total` were finished before (a resumed sweep).
    SweepProgress(std::ostream& err, bool terminal, int total, int done);
    void finished(const RunRecord& record, const std::string& note);
    // Refreshes the terminal line (at most a few times a second).
    void tick();
    // Ends the terminal line and says how long the runs of this process took.
    void close(int workers);

private:
    void draw();
    double elapsed() const;

    std::ostream& err_;
    bool terminal_;
    int total_, done_, resumed_, not_converged_ = 0, failed_ = 0;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point drawn_{};
};

// "1:05", "1:02:03".
std::string clock_text(double seconds);

}  // namespace sys::sweep
