#include "learning/run_observer.hpp"

#include <algorithm>

namespace sys {

namespace {
std::vector<RunObserver*>& installed() {
    static std::vector<RunObserver*> observers;
    return observers;
}
}  // namespace

void add_run_observer(RunObserver* observer) {
    if (observer && std::find(installed().begin(), installed().end(), observer) == installed().end())
        installed().push_back(observer);
}

void remove_run_observer(RunObserver* observer) { std::erase(installed(), observer); }

const std::vector<RunObserver*>& run_observers() { return installed(); }

}  // namespace sys
