#pragma once
// The window backend on Qt: one top-level window per figure, a widget per
// uicontrol, and the event pump and repainting behind rt::pause and
// rt::drawnow.
//
// A pause asks the toolkit for events only when half a frame has passed
// since it last asked (refresh_schedule.hpp), and repaints a window only when the figure
// changed since its last paint and its repaint schedule allows (at most fps
// times a second); the paint shows the scene as it stands during the pause.
// A pause of a millisecond or more (or any pause with a pace set) waits its
// time out while windows keep working; callbacks posted meanwhile are
// delivered by rt::pause when the wait ends.
//
// A QApplication must exist for the backend's whole life. Install it with
// set_window_backend; it must be uninstalled before it is destroyed.

#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/graphics/window_backend.hpp"
#include "runtime/render/chart.hpp"
#include "runtime/window/chart_window.hpp"
#include "runtime/window/figure_window.hpp"
#include "runtime/window/refresh_schedule.hpp"
#include "runtime/window/run_controls_bar.hpp"
#include "runtime/window/run_pace.hpp"

namespace rt {

struct WindowOptions {
    double fps = 60;  // repaints per second at most, per window (positive)
    double pace = 0;  // the starting pace of the pauses (run_pace.hpp)
};

class QtWindowBackend final : public WindowBackend {
public:
    explicit QtWindowBackend(WindowOptions options);
    ~QtWindowBackend() override;
    // The backend of this process's windows, or null: found even where
    // another backend (a time limit) stands in front of it as the runtime's.
    static QtWindowBackend* running() noexcept;
    QtWindowBackend(const QtWindowBackend&) = delete;
    QtWindowBackend& operator=(const QtWindowBackend&) = delete;

    void object_created(const GraphicsObject& obj) override;
    void property_changed(const GraphicsObject& obj, PropertyId id) override;
    void object_deleted(const GraphicsObject& obj) override;
    void figure_raised(const GraphicsObject& fig) override;
    void drawnow() override;
    void pause(double seconds) override;
    FrameMargins frame_margins(const GraphicsObject& fig) const override;

    // The main loop's wait: shows and repaints what changed, then blocks
    // until the toolkit has something (a press, a close, a timer) and handles
    // it. Returns at once when callbacks or actions are already queued, and
    // does not block while a window's picture is still being painted.
    void wait_for_events();
    // Actions of the window chrome (a replay), queued by a button and run by
    // the main loop after the callbacks, outside the toolkit's handlers;
    // errors propagate and the rest stay queued.
    void post_action(std::function<void()> action);
    void run_posted_actions();

    // The window of a figure and the widget of a control, or null.
    FigureWindow* window_of(double figure) const;
    QWidget* widget_of(double control) const;

    // The pace and hold every pause keeps, changed by the run controls.
    RunPace& run_pace() noexcept { return pace_; }
    const RunPace& run_pace() const noexcept { return pace_; }
    // Puts the run controls on the window of `figure` (moving them there
    // from another window); nothing when it has no window. While the run is
    // held, a pause waits with the windows live and callbacks delivered,
    // until resumed or until that window is gone.
    void attach_run_controls(double figure);
    // The run controls, or null when no window has them.
    RunControlsBar* run_controls() const;

    // Shows `chart` in a window of its own named `name` (made the first
    // time, at `place`: x, y from the screen's bottom left, width, height),
    // repainted soon. The chart must outlive the backend. A window the user
    // closed stays closed unless `reopen`.
    void show_chart(const std::string& name, const Chart& chart, const std::string& title, const PixelRect& place,
                    bool reopen);
    QWidget* chart_window(const std::string& name) const;

private:
    // Runs the toolkit's pending events and repaints what is due: every
    // stale window, or (throttled) those whose schedule allows it for `share`.
    void service(bool throttled, PaintShare share = PaintShare::waiting);
    void refresh(bool throttled, PaintShare share = PaintShare::waiting);
    // Busy while the pace is 0: the program runs flat out between pauses.
    PaintShare share() const noexcept;
    void wait(double seconds);
    void hold();
    void add_window(const GraphicsObject& fig);
    void add_control(const GraphicsObject& control);
    void drop_widget(const GraphicsObject& obj);

    WindowOptions options_;
    EventPollSchedule polls_;
    std::vector<QPointer<FigureWindow>> windows_;
    double last_raised_ = 0;
    // The window to raise at the next refresh, and the one raised last.
    QPointer<FigureWindow> to_raise_, raised_;
    void raise_current();
    RunPace pace_;
    QPointer<FigureWindow> controlled_;
    std::unique_ptr<RunControlsBar> controls_;
    std::vector<std::function<void()>> posted_;
    std::vector<std::pair<std::string, std::unique_ptr<ChartWindow>>> charts_;
    // The frame a window of this window system has, once one was seen.
    mutable FrameMargins seen_margins_ = kHeadlessFrameMargins;
};

}  // namespace rt
