// The whole learning run, headless, through the whole system (rt::run_main,
// the callbacks, get_action, get_box, the cart drawn and deleted at every
// step), against the same run as a plain loop over doubles. Reports steps per
// second of each, how many times slower the system is, and the heap
// allocations of the system's run per step: over the whole run, and in the
// steps without a failure (counted by replacing the global operator new).
// Goals: within 4 times the plain loop, at most 0.25 allocations per step and
// none in a step without a failure.
//
// The run is the deterministic one (random terms off, ALPHA 0.3, GAMMA 0.95,
// reinforcement -1): 322 trials.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_information.hpp"
#include "bench/heap_count.hpp"
#include "bench/whole_run_floor.hpp"
#include "gui/tavrin.hpp"
#include "learning/run_observer.hpp"
#include "runtime/call/console.hpp"
#include "runtime/main/run_main.hpp"

namespace {

constexpr long kTrials = 322;

// The steps of the run, known from the plain loop.
long run_steps() {
    static const long steps = bench::plain_learning_run(0.3, 0, 0.95, -1, 1).steps;
    return steps;
}

// Allocations between one step's report and the next: a step's own when the
// step before it did not fail, since the failure's work (titles, the mesh)
// comes after its report. The counts are of the last run: the first run of
// a process also fills the runtime's free lists and pools.
class AllocationWatch : public sys::RunObserver {
public:
    void run_started(const sys::RunSettings&) override {
        steps = plain_steps = plain_steps_allocating = in_run = 0;
        start_ = last_ = heap_allocations();
        previous_failed_ = true;  // the first step shares its count with the run's set-up
    }
    void step(const sys::StepReport& r) override {
        const std::size_t now = heap_allocations();
        if (!previous_failed_) {
            ++plain_steps;
            if (now != last_) ++plain_steps_allocating;
        }
        ++steps;
        last_ = now;
        previous_failed_ = r.box == -1;
    }
    void run_ended(const sys::TrialReport&, bool) override { in_run = heap_allocations() - start_; }

    std::size_t steps = 0, plain_steps = 0, plain_steps_allocating = 0, in_run = 0;

private:
    std::size_t start_ = 0, last_ = 0;
    bool previous_failed_ = true;
};

void BM_WholeSystem(benchmark::State& state) {
    std::vector<std::string> args = {"tavrin",  "--headless",
                                     "--set",   "radiobutton1=0",
                                     "--set",   "alpha_sl=0.3",
                                     "--set",   "gamma_sl=0.95",
                                     "--set",   "reinf_sl=-1",
                                     "--click", "pushbutton1",
                                     "--eval",  "get(get(gca,'title'),'string')"};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    AllocationWatch watch;
    sys::ScopedRunObserver watching(watch);
    for (auto _ : state) {
        std::ostringstream out;
        std::ostream* previous = rt::set_console(&out);
        const int status =
            rt::run_main(static_cast<int>(args.size()), argv.data(), sys::entry_tavrin, 1, &sys::main_information);
        rt::set_console(previous);
        if (status != 0 || out.str().find("ans = 'Success at 322 trials'") == std::string::npos) {
            state.SkipWithError("the system did not make the deterministic run");
            break;
        }
    }
    state.counters["steps/s"] =
        benchmark::Counter(static_cast<double>(run_steps()) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    // Of the last run.
    if (watch.steps > 0) {
        state.counters["allocs/step"] = static_cast<double>(watch.in_run) / static_cast<double>(watch.steps);
        state.counters["allocating_plain_steps"] = static_cast<double>(watch.plain_steps_allocating);
    }
}
BENCHMARK(BM_WholeSystem)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PlainLoop(benchmark::State& state) {
    long steps = 0;
    for (auto _ : state) {
        const bench::PlainRunResult r = bench::plain_learning_run(0.3, 0, 0.95, -1, 1);
        if (r.trials != kTrials) {
            state.SkipWithError("the plain loop did not make the deterministic run");
            break;
        }
        steps += r.steps;
        benchmark::DoNotOptimize(r);
    }
    state.counters["steps/s"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlainLoop)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Prints the usual table, then the ratio of the two rates.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            auto it = run.counters.find("steps/s");
            if (it != run.counters.end()) rates_[run.benchmark_name()] = it->second.value;
            for (const char* name : {"allocs/step", "allocating_plain_steps"}) {
                auto c = run.counters.find(name);
                if (c != run.counters.end()) counts_[name] = c->second.value;
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const double system = rates_["BM_WholeSystem/iterations:3"], plain = rates_["BM_PlainLoop/min_time:1.000"];
        std::printf("steps per run: %ld\n", run_steps());
        if (system > 0 && plain > 0)
            std::printf("whole system: %.0f steps/s; plain loop: %.0f steps/s; the system takes %.1f times as long\n",
                        system, plain, plain / system);
        if (counts_.count("allocs/step"))
            std::printf("heap allocations: %.3f per step; steps without a failure that allocated: %.0f\n",
                        counts_["allocs/step"], counts_["allocating_plain_steps"]);
    }

private:
    std::map<std::string, double> rates_, counts_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
