#pragma once
// The time limit of --max-seconds. When it runs out every window is asked to
// close, as a person closing each one would, so a learning run ends at its
// next step with the runtime's error, and rt::run_main then ends the program
// with kTimeLimitStatus.
//
// The limit holds within about a second whatever the program is doing: while
// it is set, long array operations raise at the deadline and pauses end at
// it (runtime/array/deadline.hpp). A window whose "CloseRequestFcn" keeps it
// open is asked once; kTimeLimitGrace later, pause and drawnow raise (which
// ends a run whose windows all refuse) and run_main deletes what is left.
//
// Something must notice the time. watch_pauses() installs the limit as the
// window backend, over the one installed before it (every hook is passed
// on), so the clock is read at each pause and drawnow, where a run stops
// anyway. With windows, the window session's timers also call expire() from
// inside the event pump while the program waits for a person.

#include <chrono>

#include "runtime/graphics/window_backend.hpp"

namespace rt {

inline constexpr int kTimeLimitStatus = 3;
// How long windows that were asked to close may stay open.
inline constexpr double kTimeLimitGrace = 0.5;

class TimeLimit final : public WindowBackend {
public:
    // The clock starts now; `seconds` > 0. Sets the runtime's deadline.
    explicit TimeLimit(double seconds);
    // Puts back the backend it was installed over, if it was installed, and
    // removes the deadline.
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
    // Reads the clock first: expires the limit when its time has come.
    bool ran_out() noexcept;
    // True once the windows asked to close have had kTimeLimitGrace.
    bool grace_over() const noexcept;
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
    // Raises once the grace is over: nothing may keep the program going.
    void stop_after_grace() const;

    double seconds_;
    std::chrono::steady_clock::time_point deadline_;
    bool expired_ = false;
    bool installed_ = false;
    WindowBackend* inner_ = nullptr;
};

}  // namespace rt
