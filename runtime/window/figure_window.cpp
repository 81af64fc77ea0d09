#include "runtime/window/figure_window.hpp"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <exception>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>

#include "runtime/call/console.hpp"
#include "runtime/graphics/callbacks.hpp"
#include "runtime/graphics/window_backend.hpp"
#include "runtime/render/afterimage_painter.hpp"
#include "runtime/render/control_painter.hpp"

namespace rt {

namespace {

using P = PropertyId;

constexpr std::size_t kRememberedRequests = 4;

// What one paint may spend on plotted objects: a window holding thousands of
// surfaces is painted over several paints rather than hold the event loop
// (a close box, a slider) for most of a second.
constexpr auto kPaintBudget = std::chrono::milliseconds(40);

// How long an unpaced program may keep a window on its last whole frame
// rather than have it rebuild its picture: a long run still shows a new
// one now and then.
constexpr auto kLongestHoldBack = std::chrono::seconds(2);

int rounded(double v) { return static_cast<int>(std::lround(std::clamp(v, -1e6, 1e6))); }

}  // namespace

QRect primary_screen_rect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1280, 1024);
}

FigureWindow::FigureWindow(double figure, double fps) : figure_(figure), schedule_(fps) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    apply_title();
    apply_position();
}

const GraphicsObject* FigureWindow::object() const noexcept {
    if (figure_ == 0) return nullptr;
    const GraphicsObject* fig = find_object(figure_);
    return fig && fig->type() == ObjectType::Figure && !fig->being_deleted() ? fig : nullptr;
}

void FigureWindow::apply_position() {
    const GraphicsObject* fig = object();
    if (!fig) return;
    const PixelRect r = pixel_position(*fig);
    const QRect screen = primary_screen_rect();
    const int w = std::max(1, rounded(r.width)), h = std::max(1, rounded(r.height));
    const QRect target(screen.left() + rounded(r.left),
                       screen.top() + screen.height() - rounded(r.bottom) - h - chrome_top(), w,
                       h + chrome_top() + chrome_bottom());
    requested_.push_back(target);
    if (requested_.size() > kRememberedRequests) requested_.pop_front();
    if (fig->is(P::Resize, "off")) {
        setFixedSize(target.size());
    } else {
        setMinimumSize(1, 1);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    setGeometry(target);
    place_controls();
}

void FigureWindow::apply_title() {
    const GraphicsObject* fig = object();
    if (!fig) return;
    QString name = QString::fromStdString(fig->value(P::Name).text());
    if (name.isEmpty()) name = caption_;
    QString title = name;
    if (fig->is(P::NumberTitle, "on")) {
        title = QString("Figure %1").arg(static_cast<long long>(fig->handle()));
        if (!name.isEmpty()) title += ": " + name;
    }
    setWindowTitle(title);
}

void FigureWindow::set_caption(const QString& caption) {
    caption_ = caption;
    apply_title();
}

void FigureWindow::place_controls() {
    const GraphicsObject* fig = object();
    if (!fig) return;
    const QRect area = figure_area();
    const QSizeF inner(area.size());
    for (const GraphicsObject* child : fig->children()) {
        if (child->type() != ObjectType::Uicontrol || !child->backend_data) continue;
        static_cast<QWidget*>(child->backend_data)
            ->setGeometry(control_device_rect(*child, inner).toRect().translated(area.topLeft()));
    }
}

void FigureWindow::set_chrome(QWidget* top, QWidget* bottom) {
    top_chrome_ = top;
    bottom_chrome_ = bottom;
    for (QWidget* w : {top, bottom}) {
        if (!w) continue;
        w->setParent(this);
        w->show();
    }
    apply_position();
    place_chrome();
}

int FigureWindow::chrome_top() const { return top_chrome_ ? top_chrome_->sizeHint().height() : 0; }
int FigureWindow::chrome_bottom() const { return bottom_chrome_ ? bottom_chrome_->sizeHint().height() : 0; }

QRect FigureWindow::figure_area() const {
    return QRect(0, chrome_top(), width(), std::max(1, height() - chrome_top() - chrome_bottom()));
}

void FigureWindow::place_chrome() {
    if (top_chrome_) top_chrome_->setGeometry(0, 0, width(), chrome_top());
    if (bottom_chrome_) bottom_chrome_->setGeometry(0, height() - chrome_bottom(), width(), chrome_bottom());
}

bool FigureWindow::stale() const noexcept {
    const GraphicsObject* fig = object();
    return fig && (fig->content_version() != painted_version_ || !painter_.complete());
}

void FigureWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const GraphicsObject* fig = object();
    if (!fig) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    const QRect area = figure_area();
    painter.translate(area.topLeft());
    // The window system asks for what a raise or a move uncovered: the last
    // whole frame shows it. A change since comes with the window's repaint,
    // on its schedule (a run raises its windows in turn at every failure).
    if (!repainting_ && painter_.show_last_frame(painter, area.size())) {
        paint_afterimages(*fig, painter, area.size());
        return;
    }
    const auto start = RefreshClock::now();
    painter_.hold_back_long_rebuilds(busy_ && start - whole_at_ < kLongestHoldBack);
    painter_.paint(*fig, painter, area.size(), PaintControls::Skip, kPaintBudget);
    paint_afterimages(*fig, painter, area.size());
    painted_version_ = fig->content_version();
    const auto end = RefreshClock::now();
    if (painter_.complete()) whole_at_ = end;
    // A paint the window system asked for (the window shown or uncovered)
    // counts against the window's share of the time too.
    schedule_.painted(start, end);
}

void FigureWindow::paint_ahead() {
    const GraphicsObject* fig = object();
    if (!fig) return;
    const auto start = RefreshClock::now();
    const QSize size = figure_area().size();
    const qreal ratio = devicePixelRatioF();
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    painter_.paint(*fig, painter, size, PaintControls::Skip, kPaintBudget);
    painted_version_ = fig->content_version();
    const auto end = RefreshClock::now();
    if (painter_.complete()) whole_at_ = end;
    schedule_.painted(start, end);
}

void FigureWindow::repaint_for(PaintShare share) {
    busy_ = share == PaintShare::busy;
    repainting_ = true;
    repaint();
    busy_ = repainting_ = false;
}

bool FigureWindow::holding_rebuild_back(RefreshClock::time_point now) const noexcept {
    return painter_.rebuild_held_back() && now - whole_at_ < kLongestHoldBack;
}

void FigureWindow::closeEvent(QCloseEvent* event) {
    // The figure's close request decides; by default it deletes the figure,
    // and the window goes with it.
    event->ignore();
    if (!object()) return;
    try {
        request_close(figure_);
    } catch (const std::exception& e) {
        warning(e.what());
    }
}

void FigureWindow::moveEvent(QMoveEvent*) { report_geometry(); }

void FigureWindow::resizeEvent(QResizeEvent*) {
    report_geometry();
    place_controls();
    place_chrome();
}

void FigureWindow::report_geometry() {
    if (!isVisible() || !object()) return;
    const QRect g = geometry();
    const QRect area = figure_area().translated(g.topLeft());
    // The window system confirming an earlier request of ours is no news,
    // even when the program has asked for another geometry since.
    auto confirmed = std::find(requested_.begin(), requested_.end(), g);
    if (confirmed != requested_.end()) {
        requested_.erase(requested_.begin(), confirmed + 1);
        return;
    }
    const QRect screen = primary_screen_rect();
    const PixelRect inner{static_cast<double>(area.left() - screen.left()),
                          static_cast<double>(screen.top() + screen.height() - (area.top() + area.height())),
                          static_cast<double>(area.width()), static_cast<double>(area.height())};
    try {
        note_window_geometry(figure_, inner);
    } catch (const std::exception& e) {
        warning(e.what());
    }
}

}  // namespace rt
