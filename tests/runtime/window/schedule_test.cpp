// The timing rules of the event pump and repainting, the slider's scale and
// the display check.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "runtime/window/control_widgets.hpp"
#include "runtime/window/display_check.hpp"
#include "runtime/window/refresh_schedule.hpp"
#include "runtime/window/run_pace.hpp"

namespace {

using namespace std::chrono_literals;
using rt::RefreshClock;

TEST(EventPollSchedule, AsksOncePerIntervalAndReadsTheClockOnlyNowAndThen) {
    EXPECT_EQ(rt::EventPollSchedule::interval_for(60), std::chrono::duration_cast<RefreshClock::duration>(
                                                          std::chrono::duration<double>(1.0 / 120)));
    EXPECT_EQ(rt::EventPollSchedule::interval_for(5000), 1ms);
    EXPECT_EQ(rt::EventPollSchedule::interval_for(1), 10ms);

    rt::EventPollSchedule polls(8ms);
    const RefreshClock::time_point t0{};
    EXPECT_TRUE(polls.due(t0));
    EXPECT_FALSE(polls.due(t0 + 7ms));
    EXPECT_TRUE(polls.due(t0 + 8ms));
    EXPECT_FALSE(polls.due(t0 + 8ms + 10us));  // counted from the last one asked

    // Calls 1 us apart: the calls per clock read grow until a read spans
    // about an eighth of the interval, and a pump still comes every 8 ms.
    RefreshClock::time_point now = t0 + 20ms;
    int reads = 0, pumps = 0;
    const auto clock = [&] {
        ++reads;
        return now;
    };
    for (int i = 0; i < 100000; ++i, now += 1us) pumps += polls.due_counting(clock);
    EXPECT_EQ(polls.calls_per_read(), 256);  // at most
    EXPECT_LT(reads, 1000);
    EXPECT_NEAR(pumps, 100000 / 8000, 2);
    // Slow calls bring it down within the reads' spacing of calls.
    for (int i = 0; i < 520; ++i, now += 1ms) pumps += polls.due_counting(clock);
    EXPECT_LE(polls.calls_per_read(), 2);
    polls.count_afresh();
    EXPECT_EQ(polls.calls_per_read(), 1);
}

TEST(RunPace, PresetsStepInOrderAndNamesReadBack) {
    rt::RunPace pace(0.005);  // between Normal and Real time, as --pace may set it
    EXPECT_EQ(pace.speed(), std::nullopt);
    pace.faster();
    EXPECT_EQ(pace.speed(), rt::Speed::normal);
    pace.faster();
    pace.faster();  // Fast is as far as it goes
    EXPECT_EQ(pace.pace(), 0);
    pace.set_pace(0.005);
    pace.slower();
    EXPECT_EQ(pace.speed(), rt::Speed::realtime);
    pace.slower();
    EXPECT_EQ(pace.pace(), 0.02);
    for (rt::Speed s : {rt::Speed::realtime, rt::Speed::normal, rt::Speed::fast})
        EXPECT_EQ(rt::speed_named(rt::name_of(s)), s);
    EXPECT_EQ(rt::speed_named("slow"), std::nullopt);
    EXPECT_EQ(rt::speed_named("Fast"), std::nullopt);
}

TEST(RunPace, SpacesPausesByThePaceCatchingUpSmallDelaysOnly) {
    using Clock = rt::RunPace::Clock;
    const auto at = [](double s) {
        return Clock::time_point{} +
               std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(100 + s));
    };
    rt::RunPace pace(0.02);
    EXPECT_NEAR(pace.wait_at(at(0)), 0.02, 1e-9);
    EXPECT_NEAR(pace.wait_at(at(0.025)), 0.015, 1e-9);  // the step's own 5 ms count
    EXPECT_NEAR(pace.wait_at(at(0.065)), 0.0, 1e-9);    // woken 5 ms late: no wait ...
    EXPECT_NEAR(pace.wait_at(at(0.066)), 0.014, 1e-9);  // ... and the next one is on time again
    EXPECT_EQ(pace.wait_at(at(5)), 0);                  // far behind: no race to catch up
    EXPECT_NEAR(pace.wait_at(at(5.001)), 0.019, 1e-9);
    pace.set_held(true);
    pace.set_held(false);  // a hold's length is no debt
    EXPECT_NEAR(pace.wait_at(at(9)), 0.02, 1e-9);
    pace.set_speed(rt::Speed::fast);
    EXPECT_EQ(pace.wait_at(at(9.001)), 0);
}

TEST(RepaintSchedule, KeepsToTheFrameRateAndToAShareOfTheTime) {
    rt::RepaintSchedule schedule(50);  // a frame every 20 ms
    const RefreshClock::time_point t = RefreshClock::time_point{} + 1s;
    EXPECT_TRUE(schedule.due(t));
    schedule.painted(t, t + 2ms);  // a cheap paint
    EXPECT_FALSE(schedule.due(t + 19ms));
    EXPECT_TRUE(schedule.due(t + 20ms));
    schedule.painted(t + 20ms, t + 60ms);  // a costly one: 40 ms
    EXPECT_FALSE(schedule.due(t + 200ms));
    EXPECT_TRUE(schedule.due(t + 20ms + 200ms));
    // While the program runs unpaced: a sixteenth of the time.
    EXPECT_FALSE(schedule.due(t + 20ms + 599ms, rt::PaintShare::busy));
    EXPECT_TRUE(schedule.due(t + 20ms + 600ms, rt::PaintShare::busy));
}

TEST(SliderScale, EndsAreExactAndValuesClamp) {
    // (value, min, max, step), the fifth an empty range.
    for (auto [v, lo, hi, step] : {std::tuple{0.5, 0.0, 1.0, 500},
                                   {-1.0, -1.0, 0.0, 0},
                                   {7.0, 0.0, 1.0, 1000},
                                   {NAN, 0.0, 1.0, 0},
                                   {1.0, 1.0, 1.0, 0},
                                   {-7.0, 0.0, 1.0, 0}})
        EXPECT_EQ(rt::slider_step_of(v, lo, hi), step) << v << " in " << lo << ".." << hi;
    for (auto [step, lo, hi, v] :
         {std::tuple{0, -1.0, 0.0, -1.0}, {1000, 0.0, 0.1, 0.1}, {300, 0.0, 1.0, 0.3}, {100, 0.0, 0.1, 0.01}})
        EXPECT_EQ(rt::slider_value_of(step, lo, hi), v) << step << " in " << lo << ".." << hi;
    for (int step : {1, 250, 999}) EXPECT_EQ(rt::slider_step_of(rt::slider_value_of(step, -1, 0), -1, 0), step);
}

TEST(DisplayCheck, SaysWhyNoDisplayCanBeReached) {
    const char* names[] = {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"};
    std::vector<std::optional<std::string>> saved;
    for (const char* n : names) {
        saved.push_back(std::getenv(n) ? std::optional<std::string>(std::getenv(n)) : std::nullopt);
        ::unsetenv(n);
    }
    EXPECT_EQ(rt::display_problem(), "DISPLAY is not set");
    for (std::string display : {":64999", "no-colon"}) {
        ::setenv("DISPLAY", display.c_str(), 1);
        EXPECT_EQ(rt::display_problem(), "cannot connect to display " + display);
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    EXPECT_EQ(rt::display_problem(), std::nullopt);
    for (std::size_t i = 0; i < saved.size(); ++i) {
        if (saved[i]) ::setenv(names[i], saved[i]->c_str(), 1);
        else ::unsetenv(names[i]);
    }
}

}  // namespace
