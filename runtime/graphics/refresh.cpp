// drawnow, pause, and the backend seam's settings.
#include <cmath>

#include "runtime/array/error.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/graphics/object_tree.hpp"

namespace rt {

void drawnow() {
    if (WindowBackend* b = tree().backend) b->drawnow();
    if (pending_callback_count() > 0) deliver_pending_callbacks();
}

void pause(double seconds) {
    if (!(seconds >= 0)) raise("pause: the duration must be a number of seconds, 0 or more.");
    // A learning run pauses at every step: headless with nothing queued this
    // is all a pause costs.
    if (WindowBackend* b = tree().backend) b->pause(seconds);
    if (pending_callback_count() > 0) deliver_pending_callbacks();
}

void pause(const Value& seconds) {
    if (!(seconds.is_double() || seconds.is_logical()) || seconds.numel() != 1) {
        raise("pause: the duration must be a number of seconds, 0 or more.");
    }
    pause(seconds[0]);
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
