// drawnow, pause, and the backend seam's settings.
#include <cmath>

#include "runtime/array/error.hpp"
#include "runtime/graphics/callback_queue.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/graphics/object_tree.hpp"

namespace rt {

void drawnow() {
    if (WindowBackend* b = tree().backend) b->drawnow();
    if (queued_deliveries != 0) deliver_pending_callbacks();
}

namespace {

[[noreturn]] void raise_bad_pause() { raise("pause: the duration must be a number of seconds, 0 or more."); }

inline void pause_for(double seconds) {
    if (!(seconds >= 0)) raise_bad_pause();
    // A learning run pauses at every step: headless with nothing queued this
    // is all a pause costs.
    if (WindowBackend* b = tree().backend) b->pause(seconds);
    if (queued_deliveries != 0) deliver_pending_callbacks();
}

}  // namespace

void pause(double seconds) { pause_for(seconds); }

void pause(const Value& seconds) {
    if (seconds.is_double_scalar()) [[likely]] {
        pause_for(seconds.inline_number());
        return;
    }
    if (!(seconds.is_double() || seconds.is_logical()) || seconds.numel() != 1) raise_bad_pause();
    pause_for(seconds[0]);
}

WindowBackend* set_window_backend(WindowBackend* backend) noexcept {
    WindowBackend* previous = tree().backend;
    tree().backend = backend;
    return previous;
}

WindowBackend* window_backend() noexcept { return tree().backend; }

void set_screen_size(double width, double height) {
    if (!(width >= 1 && height >= 1) || !std::isfinite(width) || !std::isfinite(height)) {
        raise("The screen size must be at least 1 by 1 pixel.");
    }
    tree().set_screen(width, height);
}

}  // namespace rt
