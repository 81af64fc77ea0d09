#pragma once
// How fast a run's pauses let it go, and whether it is held: the state the
// run controls change and the pauses read. Plain C++, no toolkit.
//
// A pace of p seconds spaces the pauses p apart on the clock (each waits what
// is left of p since the last one ended), so a step lasts p however long its
// own work took, as long as that is less than p. Pace 0 leaves the pauses
// as they are.

#include <chrono>
#include <optional>
#include <string_view>

namespace rt {

// The presets of the run controls and of --speed.
enum class Speed { realtime, normal, fast };

// Real time: the model's 0.02 s time step; normal: about a thousand steps a
// second; fast: unpaced.
double pace_of(Speed speed) noexcept;
// "realtime", "normal" or "fast"; nothing for any other text.
std::optional<Speed> speed_named(std::string_view name) noexcept;
const char* name_of(Speed speed) noexcept;

class RunPace {
public:
    using Clock = std::chrono::steady_clock;

    // `pace` in seconds, 0 or more (anything else counts as 0).
    explicit RunPace(double pace = 0) noexcept { set_pace(pace); }

    double pace() const noexcept { return pace_; }
    void set_pace(double seconds) noexcept;
    // The preset whose pace this is, or nothing for a pace set otherwise.
    std::optional<Speed> speed() const noexcept;
    void set_speed(Speed speed) noexcept { set_pace(pace_of(speed)); }
    // The next preset towards fast or towards real time; a pace between the
    // presets moves to the nearest one on that side.
    void faster() noexcept;
    void slower() noexcept;

    bool held() const noexcept { return held_; }
    void set_held(bool held) noexcept;

    // The seconds the pause starting at `now` should wait to keep the pace.
    double wait_at(Clock::time_point now) noexcept;

private:
    double pace_ = 0;
    bool held_ = false;
    Clock::time_point next_{};
    bool timed_ = false;  // whether next_ holds the end of the last paced pause
};

}  // namespace rt
