#include "runtime/window/refresh_schedule.hpp"

#include <algorithm>

namespace rt {

namespace {
constexpr auto kPollInterval = std::chrono::milliseconds(1);
constexpr int kPaintCostFactor = 5;
}  // namespace

bool EventPollSchedule::due(RefreshClock::time_point now) noexcept {
    if (polled_ && now - last_ < kPollInterval) return false;
    polled_ = true;
    last_ = now;
    return true;
}

void RepaintSchedule::painted(RefreshClock::time_point start, RefreshClock::time_point end) noexcept {
    const auto frame = std::chrono::duration_cast<RefreshClock::duration>(std::chrono::duration<double>(1.0 / fps_));
    next_ = start + std::max(frame, (end - start) * kPaintCostFactor);
}

}  // namespace rt
