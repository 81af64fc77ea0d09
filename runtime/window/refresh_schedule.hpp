#pragma once
// When the event pump may run and when a window may repaint.
//
// A learning run pauses hundreds of thousands of times a second, so a pause
// must cost almost nothing when nothing is due. It asks the toolkit for
// events only every `interval` (half a frame: every repaint a window may
// make is served, and a key or a click waits a few milliseconds at most),
// and it does not even read the clock at every pause: it counts pauses
// between clock reads, as many as take about an eighth of the interval, so
// a pause that is not due costs a decrement.
//
// A window repaints at most `fps` times a second and spends no more than a
// share of the time painting. While the program waits anyway (a pace, a
// pause of its own, a hold) that is about a fifth: after a paint that took
// d seconds the window waits at least 5 d before the next. While the
// program runs unpaced every paint is time taken from it, and a window
// waits 15 d: a mesh window holding hundreds of surfaces then shows a new
// picture every half second or so while the run goes on at full speed, and
// a cheap window (the cart) keeps the frame rate.

#include <chrono>

namespace rt {

using RefreshClock = std::chrono::steady_clock;

class EventPollSchedule {
public:
    // The pump interval for windows repainted at most `fps` times a second:
    // half a frame, within 1 to 10 ms.
    static RefreshClock::duration interval_for(double fps) noexcept;

    explicit EventPollSchedule(RefreshClock::duration interval) noexcept : interval_(interval) {}

    // True, and remembered as the last poll, when `interval` or more has
    // passed since the last one (or there was none).
    bool due(RefreshClock::time_point now) noexcept;
    // The same for a pause that comes often: reads the time with `now()`
    // only once every so many calls, false in between.
    template <typename Now>
    bool due_counting(Now now) noexcept {
        if (--countdown_ > 0) return false;
        return read(now());
    }

    // The program gets control back at `now` after a pump: the next read
    // measures the calls from here, not the pump's own time.
    void resumed(RefreshClock::time_point now) noexcept { last_read_ = now; }
    // Makes the next call of due_counting read the clock and pump (a new
    // window is waiting to be shown).
    void hurry() noexcept {
        countdown_ = 1;
        polled_ = false;
    }
    // Forgets how long calls took: the program waited, and what it does
    // next may take any time.
    void count_afresh() noexcept;
    // How many calls of due_counting one clock read stands for now.
    long calls_per_read() const noexcept { return calls_; }

private:
    bool read(RefreshClock::time_point now) noexcept;

    RefreshClock::duration interval_;
    RefreshClock::time_point last_{};
    bool polled_ = false;
    long calls_ = 1, countdown_ = 1;
    RefreshClock::time_point last_read_{};
    bool read_before_ = false;
};

// Whether the program waits anyway while windows paint, or runs unpaced.
enum class PaintShare { waiting, busy };

class RepaintSchedule {
public:
    // `fps` must be positive.
    explicit RepaintSchedule(double fps) noexcept;

    bool due(RefreshClock::time_point now, PaintShare share = PaintShare::waiting) const noexcept;
    // A paint ran from `start` to `end`.
    void painted(RefreshClock::time_point start, RefreshClock::time_point end) noexcept;

private:
    RefreshClock::duration frame_;
    RefreshClock::time_point start_{};
    RefreshClock::duration cost_{};
    bool painted_ = false;
};

}  // namespace rt
