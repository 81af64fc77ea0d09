#include "tests/system/program_run.hpp"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace sys_test {

ProgramRun run_program(const std::string& binary, const std::vector<std::string>& args, const std::string& folder,
                       double seconds) {
    // Output goes to files, not pipes, so that a long run cannot block on a
    // full pipe while nobody reads it.
    const std::filesystem::path scratch = make_temp_folder();
    const std::string out_path = (scratch / "out").string(), err_path = (scratch / "err").string();

    std::vector<std::string> argv_text = {binary};
    argv_text.insert(argv_text.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argv_text) argv.push_back(a.data());
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("cannot start the program");
    if (pid == 0) {
        const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(126);
        if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(126);
        // The alarm outlives execv; its default action ends the program.
        alarm(static_cast<unsigned>(std::ceil(seconds)));
        execv(binary.c_str(), argv.data());
        _exit(127);
    }
    int wstatus = 0;
    rusage usage{};
    while (wait4(pid, &wstatus, 0, &usage) < 0) {
        if (errno != EINTR) throw std::runtime_error("lost the program");
    }
    ProgramRun run;
    run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    run.out = read_file(out_path);
    run.err = read_file(err_path);
    run.peak_mb = static_cast<double>(usage.ru_maxrss) / 1024;
    std::filesystem::remove_all(scratch);
    return run;
}

ProgramRun run_tavrin(const std::vector<std::string>& args, const std::string& folder, double seconds) {
    return run_program(TAVRIN_BINARY, args, folder, seconds);
}

}  // namespace sys_test
