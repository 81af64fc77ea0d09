// Twenty learning runs in one process, with settings drawn from the sliders'
// ranges and the random terms on or off, each ended by a time limit when it
// does not succeed first, and its windows closed afterwards. Every run must
// give its memory back: once its windows are closed the heap in use is
// within a few percent of where it stood before the run, however much the
// run held meanwhile. Leaks proper are the sanitizer build's leak checker's to find,
// at exit.

#include <malloc.h>

#include <random>

#include "gui/tavrin.hpp"
#include "runtime/call/random.hpp"
#include "tests/app/running_program.hpp"
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

class LearningRunsSoak : public sys_test::ControlWindowOpen {
protected:
    void SetUp() override {
        ControlWindowOpen::SetUp();
        rt::seed_rand(20240611);
    }

    // One run as a person would make it: open the control window (a closed
    // one comes back), move the sliders, press Start, then close every
    // window.
    void run(const std::string& settings, double seconds) {
        sys::tavrin(0, {});
        std::istringstream values(settings);
        for (const char* tag : {"alpha_sl", "beta_sl", "gamma_sl", "reinf_sl", "radiobutton1"}) {
            double v = 0;
            values >> v;
            set_value(tag, v);
        }
        // Ended by the time limit when it does not succeed first.
        static_cast<void>(press_start_within(seconds));
        const rt::Value all[] = {rt::Value::string("all")};
        rt::close(all);
        console.str({});
    }
};

TEST_F(LearningRunsSoak, TwentyRunsWithDrawnSettingsGiveBackTheirMemory) {
    // A first, short run that never learns (so it fails often) fills what
    // the runtime keeps from run to run: its object pool, its registry's room.
    run("0 0.01 0.999 -1 0", 1);

    std::mt19937_64 draw(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < kRuns; ++i) {
        std::ostringstream s;
        s << unit(draw) << ' ' << 0.1 * unit(draw) << ' ' << unit(draw) << ' ' << -unit(draw) << ' '
          << (unit(draw) < 0.5 ? 1 : 0);
        // ALPHA, BETA, GAMMA, reinforcement, random terms
        SCOPED_TRACE("run " + std::to_string(i + 1) + ": " + s.str());
        const double before = heap_in_use();
        run(s.str(), kSecondsPerRun);
        const double after = heap_in_use();

        EXPECT_EQ(rt::findall(rt::Value(0.0)).numel(), 1u) << "objects left behind besides the root";
        EXPECT_LE(after, before * (1 + kTolerance)) << "before the run " << before << " bytes";
    }
}

}  // namespace
