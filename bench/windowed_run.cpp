// The whole learning run with its windows open against the same run
// headless, in one process: rt::run_main as the program runs it, the windows
// on a real X display. Reports steps per second of each and the windowed
// share of the headless speed. Goal: at least 75%.
//
// Two shares: of the whole program (the toolkit's start, the control window
// and the run's windows made, shown and closed again, all counted against
// the steps), and of the run alone, from the moment its windows are open to
// its end, as a run observer sees them.
//
// Without a display the benchmark starts its own Xvfb (when the program is
// on the PATH) for its length. The run is the deterministic one (random
// terms off, ALPHA 0.3, GAMMA 0.95, reinforcement -1): 322 trials.

#include <benchmark/benchmark.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/main_information.hpp"
#include "bench/whole_run_floor.hpp"
#include "gui/tavrin.hpp"
#include "learning/run_observer.hpp"
#include "runtime/call/console.hpp"
#include "runtime/main/run_main.hpp"
#include "runtime/window/display_check.hpp"

extern char** environ;

namespace {

long run_steps() {
    static const long steps = bench::plain_learning_run(0.3, 0, 0.95, -1, 1).steps;
    return steps;
}

// The seconds from a run's start (its windows open) to its end.
class RunClock : public sys::RunObserver {
public:
    void run_started(const sys::RunSettings&) override { start_ = std::chrono::steady_clock::now(); }
    bool watches_steps() const override { return false; }
    void run_ended(const sys::TrialReport&, bool) override {
        seconds_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }
    double seconds() const { return seconds_; }

private:
    std::chrono::steady_clock::time_point start_;
    double seconds_ = 0;
};

int run_program(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return rt::run_main(static_cast<int>(args.size()), argv.data(), sys::entry_tavrin, 1, &sys::main_information);
}

void BM_WholeRun(benchmark::State& state, bool windows) {
    std::vector<std::string> args = {"tavrin",
                                     "--set",
                                     "radiobutton1=0",
                                     "--set",
                                     "alpha_sl=0.3",
                                     "--set",
                                     "gamma_sl=0.95",
                                     "--set",
                                     "reinf_sl=-1",
                                     "--click",
                                     "pushbutton1",
                                     "--eval",
                                     "get(get(gca,'title'),'string')"};
    if (windows) {
        if (auto problem = rt::display_problem()) {
            state.SkipWithError(("no display: " + *problem).c_str());
            return;
        }
        // The Fast preset (windows start at Normal otherwise), then the
        // program ends.
        args.insert(args.begin() + 1, {"--speed", "fast"});
        args.insert(args.end(), {"--eval", "close('all')"});
    } else {
        args.insert(args.begin() + 1, "--headless");
    }
    RunClock clock;
    const sys::ScopedRunObserver timed(clock);
    for (auto _ : state) {
        std::ostringstream out;
        std::ostream* previous = rt::set_console(&out);
        const int status = run_program(args);
        rt::set_console(previous);
        if (status != 0 || out.str().find("ans = 'Success at 322 trials'") == std::string::npos) {
            state.SkipWithError("the program did not make the deterministic run");
            break;
        }
    }
    state.counters["steps/s"] =
        benchmark::Counter(static_cast<double>(run_steps()) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    if (clock.seconds() > 0)
        state.counters["run_steps/s"] =
            static_cast<double>(run_steps()) * static_cast<double>(state.iterations()) / clock.seconds();
}
BENCHMARK_CAPTURE(BM_WholeRun, headless, false)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK_CAPTURE(BM_WholeRun, windows, true)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

class ShareReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            auto it = run.counters.find("steps/s");
            if (it != run.counters.end()) rates_[run.benchmark_name()] = it->second.value;
            it = run.counters.find("run_steps/s");
            if (it != run.counters.end()) run_rates_[run.benchmark_name()] = it->second.value;
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        share("whole program", rates_);
        share("the run alone", run_rates_);
    }

private:
    static void share(const char* what, const std::map<std::string, double>& rates) {
        double headless = 0, windows = 0;
        for (const auto& [name, rate] : rates) {
            if (name.find("headless") != std::string::npos) headless = rate;
            if (name.find("windows") != std::string::npos) windows = rate;
        }
        if (headless > 0 && windows > 0) {
            std::printf(
                "%s: headless %.0f steps/s; windows %.0f steps/s; windows run at %.0f%% of the headless speed\n", what,
                headless, windows, 100 * windows / headless);
        }
    }
    std::map<std::string, double> rates_, run_rates_;
};

// An Xvfb of the benchmark's own while it runs, when no display is there.
class OwnDisplay {
public:
    OwnDisplay() {
        if (!rt::display_problem() || std::getenv("QT_QPA_PLATFORM")) return;
        const std::string number = "97";
        // -noreset: the runs are its only clients, and a server that resets
        // when the last one goes compiles its keymap again for the next
        // (tens of milliseconds of the machine's two cores in every run).
        std::vector<std::string> args = {"Xvfb",         ":" + number, "-screen", "0",
                                         "1280x1024x24", "-nolisten",  "tcp",     "-noreset"};
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawnp(&pid_, "Xvfb", nullptr, nullptr, argv.data(), environ) != 0) {
            pid_ = 0;
            return;
        }
        ::setenv("DISPLAY", (":" + number).c_str(), 1);
        for (int i = 0; i < 100 && rt::display_problem(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::printf("started Xvfb on :%s\n", number.c_str());
    }
    ~OwnDisplay() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }

private:
    pid_t pid_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    // The layout file is looked for in the working folder first.
    std::filesystem::current_path(std::filesystem::path(TAVRIN_RESOURCE_DIR));
    OwnDisplay display;
    benchmark::Initialize(&argc, argv);
    ShareReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
