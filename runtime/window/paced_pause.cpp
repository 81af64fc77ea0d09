#include "runtime/window/paced_pause.hpp"

#include <algorithm>
#include <chrono>
#include <thread>

namespace rt {

void PacedPauseBackend::pause(double /*seconds*/) {
    if (!(pace_ > 0)) return;
    std::this_thread::sleep_for(std::chrono::duration<double>(std::min(pace_, 3600.0)));
}

}  // namespace rt
