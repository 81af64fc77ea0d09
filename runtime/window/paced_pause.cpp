#include "runtime/window/paced_pause.hpp"

#include <algorithm>
#include <chrono>
#include <thread>

#include "runtime/array/deadline.hpp"

namespace rt {

void PacedPauseBackend::pause(double /*seconds*/) {
    if (!(pace_ > 0)) return;
    auto end = DeadlineClock::now() + std::chrono::duration_cast<DeadlineClock::duration>(
                                          std::chrono::duration<double>(std::min(pace_, 3600.0)));
    // A time limit must not wait for a slow pace to finish.
    if (const auto limit = deadline()) end = std::min(end, *limit);
    std::this_thread::sleep_until(end);
}

}  // namespace rt
