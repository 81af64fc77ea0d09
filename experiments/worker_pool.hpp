#pragma once
// Runs the runs of a sweep in worker processes, at most `jobs` at a time.
// Each worker is the tavrin program itself, started afresh for one run with
// the command line a person would type for it (worker_arguments), so a row
// equals that single run exactly, and a crash or hang ends only that
// worker: the row records it and the sweep goes on.
//
// The runtime is single-threaded by design; processes, not threads, are
// what spreads a sweep over the cores.

#include <functional>
#include <string>
#include <vector>

#include "experiments/run_record.hpp"

namespace sys::sweep {

struct WorkerSettings {
    std::string program;  // the tavrin executable
    int jobs = 1;         // workers at a time
    double max_trials = 5000;
    double max_seconds = 0;  // per run; 0: no limit
};

// The command line (after the program name) of one run. `summary_path` is
// where the worker writes its outcome (--run-summary).
std::vector<std::string> worker_arguments(const RunKey& key, const WorkerSettings& settings,
                                          const std::string& summary_path);

class WorkerPool {
public:
    // `scratch` is an existing folder for the workers' files; it must
    // outlive the pool.
    WorkerPool(WorkerSettings settings, std::string scratch);

    // Runs `runs`, telling `finished` of each as it ends (with the first line
    // the worker wrote on standard error, for runs without an outcome), and
    // calling `tick` every few milliseconds while it waits. When
    // `interrupted` answers true, the workers still running are ended and
    // not reported, and run gives false.
    bool run(const std::vector<RunKey>& runs, const std::function<void(const RunRecord&, const std::string&)>& finished,
             const std::function<void()>& tick, const std::function<bool()>& interrupted);

private:
    WorkerSettings settings_;
    std::string scratch_;
};

}  // namespace sys::sweep
