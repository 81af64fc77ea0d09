#include "runtime/window/refresh_schedule.hpp"

#include <algorithm>

namespace rt {

namespace {
constexpr auto kShortestPumpInterval = std::chrono::milliseconds(1);
constexpr auto kLongestPumpInterval = std::chrono::milliseconds(10);
constexpr int kReadsPerInterval = 8;
// Few enough that a run whose steps turn slow at once (a pause after long
// work) still pumps within a fraction of a second.
constexpr long kMostCallsPerRead = 256;
constexpr int kWaitingCostFactor = 5;
constexpr int kBusyCostFactor = 15;
}  // namespace

RefreshClock::duration EventPollSchedule::interval_for(double fps) noexcept {
    const double half_frame = fps > 0 ? 0.5 / fps : 1.0;
    const auto interval =
        std::chrono::duration_cast<RefreshClock::duration>(std::chrono::duration<double>(std::min(half_frame, 1.0)));
    return std::clamp<RefreshClock::duration>(interval, kShortestPumpInterval, kLongestPumpInterval);
}

bool EventPollSchedule::due(RefreshClock::time_point now) noexcept {
    if (polled_ && now - last_ < interval_) return false;
    polled_ = true;
    last_ = now;
    return true;
}

bool EventPollSchedule::read(RefreshClock::time_point now) noexcept {
    // The calls between two reads follow the time they take: twice as many
    // when they took under half the wanted spacing, and when they took over
    // twice, as many as would have taken it.
    const auto wanted = interval_ / kReadsPerInterval;
    if (read_before_) {
        const auto took = now - last_read_;
        if (took < wanted / 2) calls_ = std::min(calls_ * 2, kMostCallsPerRead);
        else if (took > wanted * 2) calls_ = std::max(static_cast<long>(calls_ * wanted / took), 1L);
    }
    read_before_ = true;
    last_read_ = now;
    countdown_ = calls_;
    return due(now);
}

RepaintSchedule::RepaintSchedule(double fps) noexcept
    : frame_(std::chrono::duration_cast<RefreshClock::duration>(std::chrono::duration<double>(1.0 / fps))) {}

bool RepaintSchedule::due(RefreshClock::time_point now, PaintShare share) const noexcept {
    const int factor = share == PaintShare::busy ? kBusyCostFactor : kWaitingCostFactor;
    return !painted_ || now >= start_ + std::max(frame_, cost_ * factor);
}

void EventPollSchedule::count_afresh() noexcept {
    calls_ = countdown_ = 1;
    read_before_ = false;
}

void RepaintSchedule::painted(RefreshClock::time_point start, RefreshClock::time_point end) noexcept {
    start_ = start;
    cost_ = end - start;
    painted_ = true;
}

}  // namespace rt
