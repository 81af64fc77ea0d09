#pragma once
// Headless, --pace still makes every pause last at least that long. This
// backend only sleeps: it has no windows and never starts the toolkit.

#include "runtime/graphics/window_backend.hpp"

namespace rt {

class PacedPauseBackend final : public WindowBackend {
public:
    // `pace` in seconds, 0 or more.
    explicit PacedPauseBackend(double pace) noexcept : pace_(pace) {}
    void pause(double seconds) override;

private:
    double pace_;
};

}  // namespace rt
