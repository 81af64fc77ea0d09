#pragma once
// When the event pump may run and when a window may repaint.
//
// A learning run pauses over a hundred thousand times, so a pause must cost
// almost nothing when nothing is due: it asks the toolkit for events only
// once a millisecond has passed since it last asked (a clock read is cheap,
// an event-loop pass is not). A window repaints at most `fps` times a second
// and spends no more than about a fifth of the time painting: after a paint
// that took d seconds it waits at least 5 d before the next. A mesh window
// holding hundreds of surfaces then shows a new picture a few times a second
// while the run goes on at speed.

#include <chrono>

namespace rt {

using RefreshClock = std::chrono::steady_clock;

class EventPollSchedule {
public:
    // True, and remembered as the last poll, when a millisecond or more has
    // passed since the last one (or there was none).
    bool due(RefreshClock::time_point now) noexcept;

private:
    RefreshClock::time_point last_{};
    bool polled_ = false;
};

class RepaintSchedule {
public:
    // `fps` must be positive.
    explicit RepaintSchedule(double fps) noexcept : fps_(fps) {}

    bool due(RefreshClock::time_point now) const noexcept { return now >= next_; }
    // A paint ran from `start` to `end`.
    void painted(RefreshClock::time_point start, RefreshClock::time_point end) noexcept;

private:
    double fps_;
    RefreshClock::time_point next_{};
};

}  // namespace rt
