#pragma once
// The top-level window of one figure. It paints the figure's axes and
// plotted objects with a FigurePainter (its uicontrols are real child
// widgets), tells the runtime when the user moves, resizes or closes it, and
// keeps its controls placed when its size changes.
//
// It names its figure by handle, never by pointer: the figure may be deleted
// while events for the window are still queued, and a deleted window's
// number may be given to a new one. detach() cuts it off for good.

#include <cstdint>
#include <deque>

#include <QRect>
#include <QWidget>

#include "runtime/graphics/graphics_object.hpp"
#include "runtime/render/figure_painter.hpp"
#include "runtime/window/refresh_schedule.hpp"

namespace rt {

class FigureWindow final : public QWidget {
public:
    FigureWindow(double figure, double fps);

    double figure() const noexcept { return figure_; }
    // The figure it shows, or null once detached or deleted.
    const GraphicsObject* object() const noexcept;
    void detach() noexcept { figure_ = 0; }

    // Places the window where the figure's "Position" says (bottom-left
    // origin on the primary screen); the move is not reported back.
    void apply_position();
    void apply_title();
    // What the window shows after "Figure N: " while the figure has no
    // "Name" of its own (window chrome; the figure's properties stay).
    void set_caption(const QString& caption);
    // Places every control widget of the figure.
    void place_controls();

    // Window chrome above and below the figure (a toolbar, a status line),
    // owned by the window. The figure keeps the whole size its "Position"
    // gives; the window grows by the chrome's height around it.
    void set_chrome(QWidget* top, QWidget* bottom);
    // Where the figure is painted inside the window.
    QRect figure_area() const;
    int chrome_top() const;
    int chrome_bottom() const;

    // Whether the figure changed since the window last painted it, or the
    // last paint ran out of its time before painting everything.
    bool stale() const noexcept;
    RepaintSchedule& schedule() noexcept { return schedule_; }
    // Repaints now; for a program running unpaced (`share` busy) a rebuild
    // of the whole picture that one paint could not finish is held back
    // (figure_painter.hpp), for a few seconds after the last whole frame.
    void repaint_for(PaintShare share);
    // Paints the figure as it stands into the window's remembered frame,
    // off the screen: the window system asks for its first paint later,
    // which then shows this frame (a window just shown, before a run has
    // drawn much into it).
    void paint_ahead();
    // Whether the last paint held a rebuild back and may go on doing so:
    // no busy repaint is worth making until the program waits.
    bool holding_rebuild_back(RefreshClock::time_point now) const noexcept;
    // Whether show() waits for the next refresh (so a window appears where
    // and as its program set it up, not as it was when created).
    bool show_pending = false;

protected:
    void paintEvent(QPaintEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void moveEvent(QMoveEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void report_geometry();
    void place_chrome();

    double figure_;
    FigurePainter painter_;
    RepaintSchedule schedule_;
    std::uint64_t painted_version_ = 0;
    bool busy_ = false;                    // the paint is for an unpaced program
    bool repainting_ = false;              // the paint is one of repaint_for's
    RefreshClock::time_point whole_at_{};  // the last paint that showed everything
    // Geometries this side asked for lately: the window system confirms them
    // later, possibly after the program asked for another.
    std::deque<QRect> requested_;
    QString caption_;
    QWidget* top_chrome_ = nullptr;
    QWidget* bottom_chrome_ = nullptr;
};

// The primary screen's rectangle in Qt's coordinates.
QRect primary_screen_rect();

}  // namespace rt
