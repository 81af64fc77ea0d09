#pragma once
// Runs the tavrin program as a separate process and collects what it printed
// on standard output and standard error, and its exit status.

#include <string>
#include <vector>

namespace sys_test {

struct ProgramRun {
    int status = -1;  // the exit status; -1 when it did not exit normally
    std::string out, err;
};

// `folder` is the working folder (empty: the test's own).
ProgramRun run_program(const std::string& binary, const std::vector<std::string>& args,
                       const std::string& folder = {});

// The built tavrin program.
ProgramRun run_tavrin(const std::vector<std::string>& args, const std::string& folder = {});

// As run_program, but a program still running after `seconds` is ended by
// SIGALRM (status -1), so a hang fails the test instead of stalling it.
ProgramRun run_program_within(double seconds, const std::string& binary, const std::vector<std::string>& args,
                              const std::string& folder = {});
ProgramRun run_tavrin_within(double seconds, const std::vector<std::string>& args, const std::string& folder = {});

// A fresh empty folder under the system's temporary folder.
std::string make_temp_folder();

}  // namespace sys_test
