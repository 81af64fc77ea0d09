#pragma once
// Runs a program as a separate process and collects what it printed on
// standard output and standard error, its exit status and its peak memory.
// Every run has a time limit: a program still running when it is up is
// ended by SIGALRM (status -1), so a hang fails the test instead of
// stalling it.

#include "tests/common.hpp"

namespace sys_test {

// Room for a learning run of the sanitizer build.
inline constexpr double kProgramLimit = 120;

struct ProgramRun {
    int status = -1;  // the exit status; -1 when it did not exit normally
    std::string out, err;
    double peak_mb = 0;  // its peak resident size
};

// The settings of the run everyone knows (success at 322 trials), then Start.
inline const std::vector<std::string> kDeterministicRun = {"--headless",   "--set",   "radiobutton1=0", "--set",
                                                           "alpha_sl=0.3", "--set",   "gamma_sl=0.95",  "--set",
                                                           "reinf_sl=-1",  "--click", "pushbutton1"};

// `args` followed by `more`.
inline std::vector<std::string> joined(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// A run's exit status, standard output and standard error, to compare whole.
using Outcome = std::tuple<int, std::string, std::string>;
inline Outcome outcome(const ProgramRun& r) { return {r.status, r.out, r.err}; }

// `folder` is the working folder (empty: the test's own).
ProgramRun run_program(const std::string& binary, const std::vector<std::string>& args, const std::string& folder = {},
                       double seconds = kProgramLimit);

// The built tavrin program.
ProgramRun run_tavrin(const std::vector<std::string>& args, const std::string& folder = {},
                      double seconds = kProgramLimit);

}  // namespace sys_test
