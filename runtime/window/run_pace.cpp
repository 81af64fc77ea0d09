#include "runtime/window/run_pace.hpp"

#include <algorithm>
#include <array>

namespace rt {

namespace {
constexpr std::chrono::milliseconds kCatchUp{100};
constexpr std::array kFastToSlow = {Speed::fast, Speed::normal, Speed::realtime};
}  // namespace

double pace_of(Speed speed) noexcept {
    switch (speed) {
        case Speed::realtime: return 0.02;
        case Speed::normal: return 0.001;
        case Speed::fast: break;
    }
    return 0;
}

std::optional<Speed> speed_named(std::string_view name) noexcept {
    for (Speed s : kFastToSlow) {
        if (name == name_of(s)) return s;
    }
    return std::nullopt;
}

const char* name_of(Speed speed) noexcept {
    switch (speed) {
        case Speed::realtime: return "realtime";
        case Speed::normal: return "normal";
        case Speed::fast: break;
    }
    return "fast";
}

void RunPace::set_pace(double seconds) noexcept {
    pace_ = seconds > 0 ? std::min(seconds, 3600.0) : 0;
    timed_ = false;
}

std::optional<Speed> RunPace::speed() const noexcept {
    for (Speed s : kFastToSlow) {
        if (pace_ == pace_of(s)) return s;
    }
    return std::nullopt;
}

void RunPace::faster() noexcept {
    Speed to = Speed::fast;
    for (Speed s : kFastToSlow) {
        if (pace_of(s) < pace_) to = s;
    }
    set_speed(to);
}

void RunPace::slower() noexcept {
    for (Speed s : kFastToSlow) {
        if (pace_of(s) > pace_) {
            set_speed(s);
            return;
        }
    }
    set_speed(Speed::realtime);
}

void RunPace::set_held(bool held) noexcept {
    held_ = held;
    // The time spent held is no debt of the steps after it.
    timed_ = false;
}

double RunPace::wait_at(Clock::time_point now) noexcept {
    if (!(pace_ > 0)) return 0;
    const auto pace = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(pace_));
    // Steps a little late (a wait woken late, a repaint) are caught up by the
    // next ones, so the rate holds; a step far behind starts the spacing
    // afresh instead of making the next ones race.
    next_ = timed_ ? next_ + pace : now + pace;
    if (next_ + kCatchUp < now) next_ = now;
    timed_ = true;
    return std::max(0.0, std::chrono::duration<double>(next_ - now).count());
}

}  // namespace rt
