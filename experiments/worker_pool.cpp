#include "experiments/worker_pool.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "experiments/bad_input.hpp"
#include "experiments/value_list.hpp"
#include "runtime/main/time_limit.hpp"  // the status of a run whose --max-seconds ran out

namespace sys::sweep {

namespace {

using Clock = std::chrono::steady_clock;

struct Worker {
    pid_t pid = -1;
    RunKey key;
    Clock::time_point start;
    std::string summary_path, err_path;
    bool killed_for_time = false;
};

std::string first_line(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

// The outcome the worker wrote with --run-summary: the row after the header.
bool read_outcome(const std::string& path, RunRecord& r) {
    std::ifstream in(path);
    std::string header, row;
    if (!std::getline(in, header) || !std::getline(in, row)) return false;
    double v[5];
    std::size_t from = 0;
    for (double& x : v) {
        const auto at = row.find(',', from);
        try {
            x = std::stod(row.substr(from, at == std::string::npos ? std::string::npos : at - from));
        } catch (const std::exception&) {
            return false;
        }
        from = at == std::string::npos ? row.size() : at + 1;
    }
    r.outcome = v[0] != 0 ? Outcome::converged : Outcome::not_converged;
    r.trials = v[1], r.best = v[2], r.steps = v[3], r.seconds = v[4];
    return true;
}

pid_t start_worker(const std::string& program, const std::vector<std::string>& args, const std::string& err_path) {
    std::vector<std::string> text = {program};
    text.insert(text.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : text) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0) return pid;
    // A group of its own: a Ctrl-C at the terminal reaches the sweep, which
    // ends its workers itself, instead of killing runs it would then record
    // as crashed.
    setpgid(0, 0);
#ifdef __linux__
    prctl(PR_SET_PDEATHSIG, SIGKILL);     // no orphan runs go on after a killed sweep
    if (getppid() != parent) _exit(126);  // the sweep died before the line above
#endif
    const int null_out = open("/dev/null", O_WRONLY);
    const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (null_out < 0 || err < 0 || dup2(null_out, 1) < 0 || dup2(err, 2) < 0) _exit(126);
    execv(program.c_str(), argv.data());
    _exit(127);
}

}  // namespace

std::vector<std::string> worker_arguments(const RunKey& key, const WorkerSettings& settings,
                                          const std::string& summary_path) {
    const RunSetting& s = key.setting;
    std::vector<std::string> args = {"--headless"};
    if (key.seed) args.insert(args.end(), {"--seed", std::to_string(*key.seed)});
    args.insert(args.end(), {"--set", "alpha_sl=" + number_text(s.alpha), "--set", "beta_sl=" + number_text(s.beta),
                             "--set", "gamma_sl=" + number_text(s.gamma), "--set", "reinf_sl=" + number_text(s.reinf),
                             "--set", std::string("radiobutton1=") + (s.random ? "1" : "0")});
    args.insert(args.end(), {"--max-trials", number_text(settings.max_trials)});
    if (settings.max_seconds > 0) args.insert(args.end(), {"--max-seconds", number_text(settings.max_seconds)});
    args.insert(args.end(), {"--run-summary", summary_path, "--click", "pushbutton1"});
    return args;
}

WorkerPool::WorkerPool(WorkerSettings settings, std::string scratch)
    : settings_(std::move(settings)), scratch_(std::move(scratch)) {}

bool WorkerPool::run(const std::vector<RunKey>& runs,
                     const std::function<void(const RunRecord&, const std::string&)>& finished,
                     const std::function<void()>& tick, const std::function<bool()>& interrupted) {
    namespace fs = std::filesystem;
    // A worker whose own time limit failed to end it (a hang outside the
    // run's steps) is killed after a margin.
    const double hard_limit = settings_.max_seconds > 0 ? settings_.max_seconds * 1.5 + 5 : 0;
    std::vector<Worker> active;
    std::vector<int> free_slots;
    for (int i = settings_.jobs - 1; i >= 0; --i) free_slots.push_back(i);
    std::vector<int> slot_of;  // parallel to active
    std::size_t next = 0;

    const auto stop_all = [&] {
        for (Worker& w : active) kill(w.pid, SIGKILL);
        for (Worker& w : active) waitpid(w.pid, nullptr, 0);
        active.clear();
    };

    while (next < runs.size() || !active.empty()) {
        if (interrupted()) {
            stop_all();
            return false;
        }
        while (!free_slots.empty() && next < runs.size()) {
            const int slot = free_slots.back();
            free_slots.pop_back();
            Worker w;
            w.key = runs[next++];
            w.summary_path = (fs::path(scratch_) / ("run-" + std::to_string(slot) + ".csv")).string();
            w.err_path = (fs::path(scratch_) / ("run-" + std::to_string(slot) + ".err")).string();
            std::error_code ec;
            fs::remove(w.summary_path, ec);
            w.start = Clock::now();
            w.pid = start_worker(settings_.program, worker_arguments(w.key, settings_, w.summary_path), w.err_path);
            if (w.pid < 0) {
                stop_all();
                throw BadInput("cannot start a worker process");
            }
            active.push_back(std::move(w));
            slot_of.push_back(slot);
        }

        bool reaped = false;
        for (std::size_t i = 0; i < active.size();) {
            Worker& w = active[i];
            int status = 0;
            const double elapsed = std::chrono::duration<double>(Clock::now() - w.start).count();
            if (waitpid(w.pid, &status, WNOHANG) != w.pid) {
                if (hard_limit > 0 && elapsed > hard_limit && !w.killed_for_time) {
                    kill(w.pid, SIGKILL);
                    w.killed_for_time = true;
                }
                ++i;
                continue;
            }
            const bool report = !interrupted();  // a worker ended by the interruption is no result
            RunRecord r;
            r.key = w.key;
            r.seconds = elapsed;
            if (w.killed_for_time || (WIFEXITED(status) && WEXITSTATUS(status) == rt::kTimeLimitStatus)) {
                r.outcome = Outcome::timeout;
            } else if (WIFSIGNALED(status)) {
                r.outcome = Outcome::crash;
            } else if (!(WIFEXITED(status) && WEXITSTATUS(status) == 0 && read_outcome(w.summary_path, r))) {
                r.outcome = Outcome::error;
            }
            std::string note;
            if (!has_outcome(r)) {
                note = first_line(w.err_path);
                if (note.empty() && WIFSIGNALED(status)) note = "ended by signal " + std::to_string(WTERMSIG(status));
            }
            if (report) finished(r, note);
            free_slots.push_back(slot_of[i]);
            active.erase(active.begin() + static_cast<std::ptrdiff_t>(i));
            slot_of.erase(slot_of.begin() + static_cast<std::ptrdiff_t>(i));
            reaped = true;
        }
        tick();
        if (!reaped) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

}  // namespace sys::sweep
