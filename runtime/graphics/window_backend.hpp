#pragma once
// The seam between the object tree and real windows.
//
// Headless (no backend installed) the tree works alone: drawnow and pause
// deliver the queued callbacks and return at once. A backend installed with
// set_window_backend hears of every object created, changed and deleted, and
// does the waiting and event pumping of pause and drawnow. It must outlive
// its installation (uninstall it with set_window_backend(nullptr)).
//
// Hooks run on the runtime's single thread, from inside the functions of
// graphics.hpp. They must not throw, and must not delete objects; user
// actions (a press, a move, a close box) go through post_callback,
// request_close and note_window_geometry instead, and reach the system at the
// next delivery.

#include "runtime/graphics/graphics_object.hpp"

namespace rt {

// The thickness of a window's frame around its inner area, in pixels.
struct FrameMargins {
    double left = 0, right = 0, bottom = 0, top = 0;
};
// Headless windows have a fixed frame: 3 pixels at the sides and bottom and a
// 21-pixel title bar, so an outer rectangle is 6 wider and 24 higher than the
// inner one.
inline constexpr FrameMargins kHeadlessFrameMargins{3, 3, 3, 21};

class WindowBackend {
public:
    virtual ~WindowBackend() = default;

    // After an object exists with all the properties of its creation call (a
    // layout file's whole tree is announced after it loaded, parents first).
    virtual void object_created(const GraphicsObject&) {}
    // After a property of an announced object changed (its value may be
    // equal to the old one).
    virtual void property_changed(const GraphicsObject&, PropertyId) {}
    // Before an announced object goes, children before their parents; the
    // object is still readable during the call and gone right after.
    virtual void object_deleted(const GraphicsObject&) {}
    // figure(h) of an existing window: bring it to the front.
    virtual void figure_raised(const GraphicsObject&) {}

    // rt::drawnow: process pending events and repaint what changed.
    virtual void drawnow() {}
    // rt::pause: wait `seconds` (0 or more) while processing events and
    // repainting; it may deliver queued callbacks itself while it waits
    // (deliver_pending_callbacks).
    virtual void pause(double /*seconds*/) {}

    // The frame of a window; a test may give odd or negative margins.
    virtual FrameMargins frame_margins(const GraphicsObject&) const { return kHeadlessFrameMargins; }
};

// Installs the backend (null: headless) and gives the previous one.
WindowBackend* set_window_backend(WindowBackend* backend) noexcept;
WindowBackend* window_backend() noexcept;

// The primary screen's size in pixels, the root's "ScreenSize"
// [1 1 width height]; 1280 by 1024 until set.
void set_screen_size(double width, double height);

// ---- user actions, reported by the backend ----
// The window was moved or resized by the user or the window system: updates
// its "Position" without echoing the change back to the backend, and queues
// its "ResizeFcn" when the size changed.
void note_window_geometry(double figure, const PixelRect& inner);
// The user asked to close the window: queues its "CloseRequestFcn" (an
// empty one deletes the window).
void request_close(double figure);

}  // namespace rt
