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

// A fresh empty folder under the system's temporary folder.
std::string make_temp_folder();

}  // namespace sys_test
