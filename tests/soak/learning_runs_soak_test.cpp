// Twenty learning runs in one process, with settings drawn from the sliders'
// ranges and the random terms on or off, each ended by a time limit when it
// does not succeed first, and its windows closed afterwards. Every run must
// give its memory back: once its windows are closed the heap in use is
// within a few percent of where it stood before the run, however much the
// run held at its peak (the action-value window keeps two surfaces per
// failure). Leaks proper are the sanitizer build's leak checker's to find,
// at exit.
#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>

#include "app/main_information.hpp"
#include "gui/tavrin.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/program.hpp"
#include "runtime/call/random.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/main/startup_actions.hpp"
#include "runtime/main/time_limit.hpp"
#include "tests/soak/sanitizer.hpp"

#ifdef TAVRIN_ASAN
// The sanitizer's own count of live heap bytes (declared here: GCC does not
// ship the header that declares it, though its runtime has it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

constexpr int kRuns = 20;
// Long enough for a run that succeeds to do so in a sanitizer build, short
// enough that twenty runs that never do take a few minutes.
constexpr double kSecondsPerRun = 6;
// How far the heap in use after a closed run may stand from where it stood
// before it. Object pools and vector capacities the runtime keeps for the
// next run account for a little.
constexpr double kTolerance = 0.03;

// Bytes of heap in use. The sanitizer's allocator holds freed blocks back
// for a while, so there its own count of live bytes is the one to read.
double heap_in_use() {
#ifdef TAVRIN_ASAN
    return static_cast<double>(__sanitizer_get_current_allocated_bytes());
#else
    return static_cast<double>(mallinfo2().uordblks);
#endif
}

// Notes the heap in use whenever the action-value window gains a surface,
// once per failure, where a run's memory grows.
class PeakWatch final : public rt::WindowBackend {
public:
    void object_created(const rt::GraphicsObject& obj) override {
        if (obj.type() == rt::ObjectType::Surface) peak = std::max(peak, heap_in_use());
    }
    double peak = 0;
};

struct Settings {
    double alpha, beta, gamma, reinf;
    bool random_terms;
    std::string describe() const {
        std::ostringstream s;
        s << "ALPHA " << alpha << ", BETA " << beta << ", GAMMA " << gamma << ", reinforcement " << reinf
          << ", random terms " << (random_terms ? "on" : "off");
        return s.str();
    }
};

rt::StartupAction set_action(const char* tag, double value) {
    rt::StartupAction a;
    a.kind = rt::StartupAction::Kind::Set;
    a.tag = tag;
    a.value = value;
    return a;
}

rt::StartupAction click_action(const char* tag) {
    rt::StartupAction a;
    a.kind = rt::StartupAction::Kind::Click;
    a.tag = tag;
    return a;
}

struct RunOutcome {
    bool stopped;   // ended by the time limit
    double peak;    // the most heap in use during the run
};

class LearningRunsSoak : public ::testing::Test {
protected:
    void SetUp() override {
        previous_console_ = rt::set_console(&console_);
        rt::start_program(sys::main_information);
        rt::set_resource_folders({TAVRIN_RESOURCES});
        rt::seed_rand(20240611);
    }
    void TearDown() override {
        rt::end_program(sys::main_information);
        rt::set_console(previous_console_);
    }

    // One run as a person would make it: open the control window (a closed
    // one comes back), move the sliders, press Start, then close every
    // window.
    RunOutcome run(const Settings& s, double seconds) {
        rt::feval_entry(sys::entry_tavrin, 0, {});
        rt::EvalContext variables;
        rt::run_startup_action(set_action("alpha_sl", s.alpha), variables);
        rt::run_startup_action(set_action("beta_sl", s.beta), variables);
        rt::run_startup_action(set_action("gamma_sl", s.gamma), variables);
        rt::run_startup_action(set_action("reinf_sl", s.reinf), variables);
        rt::run_startup_action(set_action("radiobutton1", s.random_terms ? 1 : 0), variables);
        PeakWatch watch;
        RunOutcome outcome{};
        rt::set_window_backend(&watch);
        {
            rt::TimeLimit limit(seconds);
            limit.watch_pauses();
            rt::run_startup_action(click_action("pushbutton1"), variables);
            outcome.stopped = limit.expired();
        }
        rt::set_window_backend(nullptr);
        outcome.peak = watch.peak;
        const rt::Value all[] = {rt::Value::string("all")};
        rt::close(all);
        console_.str({});
        return outcome;
    }

private:
    std::ostringstream console_;
    std::ostream* previous_console_ = nullptr;
};

TEST_F(LearningRunsSoak, TwentyRunsWithDrawnSettingsGiveBackTheirMemory) {
    // A first, short run that never learns (so it fails often) fills what
    // the runtime keeps from run to run: its object pool, its registry's room.
    run({0, 0.01, 0.999, -1, false}, 1);

    std::mt19937_64 draw(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int stopped = 0;
    for (int i = 0; i < kRuns; ++i) {
        const Settings s{unit(draw), 0.1 * unit(draw), unit(draw), -unit(draw), unit(draw) < 0.5};
        SCOPED_TRACE("run " + std::to_string(i + 1) + ": " + s.describe());
        const double before = heap_in_use();
        const RunOutcome outcome = run(s, kSecondsPerRun);
        const double after = heap_in_use();
        if (outcome.stopped) ++stopped;

        EXPECT_EQ(rt::findall(rt::Value(0.0)).numel(), 1u) << "objects left behind besides the root";
        EXPECT_LE(after, before * (1 + kTolerance)) << "before the run " << before << " bytes";
        std::printf("run %2d: %s%s; heap in use %.0f KB before, %.0f KB at the peak, %.0f KB after\n", i + 1,
                    s.describe().c_str(), outcome.stopped ? " (time limit)" : "", before / 1024,
                    outcome.peak / 1024, after / 1024);
        std::fflush(stdout);
    }
    std::printf("%d of %d runs were ended by the time limit\n", stopped, kRuns);
}

}  // namespace
