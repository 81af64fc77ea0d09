#pragma once
// The time limit of --max-seconds. When it runs out every window is asked to
// close, as a person closing each one would, so a learning run ends at its
// next step with the runtime's error, and rt::run_main then ends the program
// with kTimeLimitStatus. A window whose "CloseRequestFcn" keeps it open stays
// open: the limit asks once.
//
// Something must notice the time. With windows, the window session's
// deadline timer calls expire() from inside the event pump. Headless nothing
// waits for events, so watch_pauses() installs the limit as the window
// backend, over the one installed before it (every hook is passed on), and
// the clock is read at each pause and drawnow, where a run stops anyway.

#include <chrono>

#include "runtime/graphics/window_backend.hpp"

namespace rt {

inline constexpr int kTimeLimitStatus = 3;

class TimeLimit final : public WindowBackend {
public:
    // The clock starts now; `seconds` > 0.
    explicit TimeLimit(double seconds);
    // Puts back the backend it was installed over, if it was installed.
    ~TimeLimit() override;
    TimeLimit(const TimeLimit&) = delete;
    TimeLimit& operator=(const TimeLimit&) = delete;

    // Installs the limit as the window backend; the backend installed before
    // it must outlive it.
    void watch_pauses();
    // Asks every window to close, the first time only. Neither throws nor
    // deletes anything, so an event pump may call it.
    void expire() noexcept;
    bool expired() const noexcept { return expired_; }
    double seconds() const noexcept { return seconds_; }

    void object_created(const GraphicsObject& obj) override;
    void property_changed(const GraphicsObject& obj, PropertyId id) override;
    void object_deleted(const GraphicsObject& obj) override;
    void figure_raised(const GraphicsObject& obj) override;
    void drawnow() override;
    void pause(double seconds) override;
    FrameMargins frame_margins(const GraphicsObject& obj) const override;

private:
    void check_clock() noexcept;

    double seconds_;
    std::chrono::steady_clock::time_point deadline_;
    bool expired_ = false;
    bool installed_ = false;
    WindowBackend* inner_ = nullptr;
};

}  // namespace rt
