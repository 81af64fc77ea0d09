#include "runtime/window/qt_window_backend.hpp"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>
#include <QTimer>

#include "runtime/array/deadline.hpp"
#include "runtime/graphics/callbacks.hpp"
#include "runtime/window/control_widgets.hpp"

namespace rt {

namespace {

using P = PropertyId;

FigureWindow* window_data(const GraphicsObject& obj) { return static_cast<FigureWindow*>(obj.backend_data); }
QWidget* widget_data(const GraphicsObject& obj) { return static_cast<QWidget*>(obj.backend_data); }

// The slot is the backend's own; the runtime never reads it.
void set_slot(const GraphicsObject& obj, void* p) { const_cast<GraphicsObject&>(obj).backend_data = p; }

// The toolkit's painting and image copies use the processor's wide vector
// registers and may return with their upper halves still in use. Until they
// are cleared, each plain SSE instruction after them (all of the program's
// arithmetic is built for plain x86-64) pays for a merge with those halves:
// the steps between two pumps of events ran at half their speed. Called
// whenever control goes back from the toolkit to the program.
void clear_wide_registers() noexcept {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    static const bool has_avx = __builtin_cpu_supports("avx");
    if (has_avx) {
        asm volatile("vzeroupper" ::
                         : "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7", "xmm8", "xmm9", "xmm10",
                           "xmm11", "xmm12", "xmm13", "xmm14", "xmm15");
    }
#endif
}

}  // namespace

namespace {
QtWindowBackend* running_backend = nullptr;

// A chart sums up a run per trial; it is no animation, and a third of the
// figures' frame rate shows it as it grows.
constexpr double kChartFrameDivisor = 3;

WindowOptions with_valid_fps(WindowOptions options) {
    if (!(options.fps > 0)) options.fps = 60;
    return options;
}
}  // namespace

QtWindowBackend* QtWindowBackend::running() noexcept { return running_backend; }

QtWindowBackend::QtWindowBackend(WindowOptions options)
    : options_(with_valid_fps(options)), polls_(EventPollSchedule::interval_for(options_.fps)), pace_(options.pace) {
    if (!running_backend) running_backend = this;
    // Windows that exist already (a backend installed late) get theirs.
    for (const GraphicsObject* fig : open_figures()) {
        add_window(*fig);
        for (const GraphicsObject* child : fig->children()) {
            if (child->type() == ObjectType::Uicontrol) add_control(*child);
        }
    }
}

QtWindowBackend::~QtWindowBackend() {
    if (running_backend == this) running_backend = nullptr;
    controls_.reset();
    charts_.clear();
    for (const QPointer<FigureWindow>& w : windows_) {
        if (!w) continue;
        if (const GraphicsObject* fig = w->object()) {
            for (const GraphicsObject* child : fig->children()) set_slot(*child, nullptr);
            set_slot(*fig, nullptr);
        }
        delete w.data();
    }
}

void QtWindowBackend::add_window(const GraphicsObject& fig) {
    auto* window = new FigureWindow(fig.handle(), options_.fps);
    set_slot(fig, window);
    window->show_pending = fig.is(P::Visible, "on");
    windows_.emplace_back(window);
    // Shown at the next pause, before a run has drawn much into it.
    polls_.hurry();
}

void QtWindowBackend::add_control(const GraphicsObject& control) {
    const GraphicsObject* parent = control.parent();
    FigureWindow* window = parent && parent->type() == ObjectType::Figure ? window_data(*parent) : nullptr;
    if (!window) return;
    set_slot(control, make_control_widget(control, window));
}

void QtWindowBackend::drop_widget(const GraphicsObject& obj) {
    QWidget* w = widget_data(obj);
    if (!w) return;
    set_slot(obj, nullptr);
    w->hide();
    // Later: this may run inside a callback that the widget's own signal
    // started, and the toolkit may still hold events for it.
    w->deleteLater();
}

void QtWindowBackend::object_created(const GraphicsObject& obj) {
    if (obj.type() == ObjectType::Figure) add_window(obj);
    else if (obj.type() == ObjectType::Uicontrol) add_control(obj);
}

void QtWindowBackend::property_changed(const GraphicsObject& obj, PropertyId id) {
    if (obj.type() == ObjectType::Figure) {
        FigureWindow* w = window_data(obj);
        if (!w) return;
        switch (id) {
            case P::Position:
            case P::Units:
            case P::Resize: w->apply_position(); break;
            case P::Name:
            case P::NumberTitle: w->apply_title(); break;
            case P::Visible:
                if (obj.is(P::Visible, "on")) {
                    w->show_pending = true;
                    polls_.hurry();
                } else {
                    w->show_pending = false;
                    w->hide();
                }
                break;
            default: break;
        }
        return;
    }
    if (obj.type() != ObjectType::Uicontrol) return;
    QWidget* w = widget_data(obj);
    // A new parent or a new style needs a new widget.
    if (id == P::Parent || (id == P::Style && w && !widget_matches_style(w, obj))) {
        drop_widget(obj);
        add_control(obj);
        w = widget_data(obj);
    }
    if (w) sync_control_widget(w, obj, id);
}

void QtWindowBackend::object_deleted(const GraphicsObject& obj) {
    if (obj.type() == ObjectType::Uicontrol) {
        drop_widget(obj);
    } else if (obj.type() == ObjectType::Figure) {
        if (FigureWindow* w = window_data(obj)) {
            w->detach();
            if (last_raised_ == obj.handle()) last_raised_ = 0;
        }
        drop_widget(obj);
    }
}

void QtWindowBackend::figure_raised(const GraphicsObject& fig) {
    // A learning run makes its cart window current at every step: only a
    // change of window is worth a request to the window system.
    if (fig.handle() == last_raised_) return;
    last_raised_ = fig.handle();
    // Raised at the next refresh: a run that makes its windows current in
    // turn at every failure asks for one raise per pump at most, and none
    // when the window on top at the last one is on top again.
    if (FigureWindow* w = window_data(fig)) to_raise_ = w;
}

void QtWindowBackend::raise_current() {
    if (!to_raise_) return;
    if (to_raise_ != raised_ && to_raise_->isVisible()) {
        to_raise_->raise();
        raised_ = to_raise_;
    }
    to_raise_ = nullptr;
}

FrameMargins QtWindowBackend::frame_margins(const GraphicsObject& fig) const {
    const FigureWindow* w = window_data(fig);
    if (w && w->isVisible()) {
        const QRect inner = w->geometry(), outer = w->frameGeometry();
        seen_margins_ = {static_cast<double>(inner.left() - outer.left()),
                         static_cast<double>(outer.right() - inner.right()),
                         static_cast<double>(outer.bottom() - inner.bottom()),
                         static_cast<double>(inner.top() - outer.top())};
    }
    // Run controls are part of the window's frame as the figure sees it.
    FrameMargins m = seen_margins_;
    if (w) m.top += w->chrome_top(), m.bottom += w->chrome_bottom();
    return m;
}

FigureWindow* QtWindowBackend::window_of(double figure) const {
    const GraphicsObject* fig = find_object(figure);
    return fig && fig->type() == ObjectType::Figure ? window_data(*fig) : nullptr;
}

QWidget* QtWindowBackend::widget_of(double control) const {
    const GraphicsObject* obj = find_object(control);
    return obj && obj->type() == ObjectType::Uicontrol ? widget_data(*obj) : nullptr;
}

void QtWindowBackend::attach_run_controls(double figure) {
    FigureWindow* w = window_of(figure);
    if (!w || w == controlled_) return;
    // The toolbar and status line are the window's children: a window that
    // went took them along.
    if (controlled_ && controls_) {
        controlled_->set_chrome(nullptr, nullptr);
        delete controls_->toolbar();
        delete controls_->status();
    }
    controls_ = std::make_unique<RunControlsBar>(w, pace_, [this](std::function<void()> a) { post_action(a); });
    controlled_ = w;
    w->set_chrome(controls_->toolbar(), controls_->status());
}

RunControlsBar* QtWindowBackend::run_controls() const {
    return controlled_ && controlled_->object() ? controls_.get() : nullptr;
}

void QtWindowBackend::show_chart(const std::string& name, const Chart& chart, const std::string& title,
                                 const PixelRect& place, bool reopen) {
    auto it = std::find_if(charts_.begin(), charts_.end(), [&](const auto& c) { return c.first == name; });
    if (it == charts_.end()) {
        auto window = std::make_unique<ChartWindow>(chart, options_.fps / kChartFrameDivisor);
        window->setWindowTitle(QString::fromStdString(title));
        const QRect screen = primary_screen_rect();
        const int w = static_cast<int>(place.width), h = static_cast<int>(place.height);
        window->setGeometry(screen.left() + static_cast<int>(place.left),
                            screen.top() + screen.height() - static_cast<int>(place.bottom) - h, w, h);
        charts_.emplace_back(name, std::move(window));
        it = charts_.end() - 1;
        reopen = true;
    }
    if (reopen && !it->second->isVisible()) it->second->show();
    it->second->stale = true;
}

QWidget* QtWindowBackend::chart_window(const std::string& name) const {
    for (const auto& [n, w] : charts_) {
        if (n == name) return w.get();
    }
    return nullptr;
}

void QtWindowBackend::hold() {
    QTimer wake;
    wake.setSingleShot(true);
    while (pace_.held() && run_controls()) {
        wake.start(static_cast<int>(1000 / options_.fps) + 1);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        refresh(true);
        // Sliders, Close and close boxes keep working while the run waits.
        if (pending_callback_count() > 0) deliver_pending_callbacks();
    }
    clear_wide_registers();
    polls_.count_afresh();
    // A hold ends with its window too; the next run starts unheld.
    if (!run_controls()) pace_.set_held(false);
}

void QtWindowBackend::refresh(bool throttled, PaintShare share) {
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(), [](const auto& w) { return !w || !w->object(); }),
                   windows_.end());
    raise_current();
    for (const QPointer<FigureWindow>& w : windows_) {
        if (w->show_pending) {
            w->show_pending = false;
            w->show();
            // Painted ahead: the window system shows it later, when a run
            // may have drawn much more into it.
            w->paint_ahead();
            continue;
        }
        if (!w->isVisible() || !w->stale()) continue;
        const auto start = RefreshClock::now();
        if (throttled && !w->schedule().due(start, share)) continue;
        if (share == PaintShare::busy && w->holding_rebuild_back(start)) continue;
        w->repaint_for(share);
        w->schedule().painted(start, RefreshClock::now());
    }
    for (const auto& [name, c] : charts_) {
        if (!c->isVisible() || !c->stale) continue;
        const auto start = RefreshClock::now();
        if (throttled && !c->schedule().due(start, share)) continue;
        c->repaint();
        c->schedule().painted(start, RefreshClock::now());
    }
}

void QtWindowBackend::service(bool throttled, PaintShare share) {
    // Widgets of deleted controls and windows go here, where no signal of
    // theirs can be running.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    refresh(throttled, share);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    clear_wide_registers();
    polls_.resumed(RefreshClock::now());
}

PaintShare QtWindowBackend::share() const noexcept { return pace_.pace() > 0 ? PaintShare::waiting : PaintShare::busy; }

void QtWindowBackend::drawnow() {
    // A pause without the wait: unpaced, the program goes on at once.
    polls_.due(RefreshClock::now());
    service(true, share());
}

void QtWindowBackend::pause(double seconds) {
    if (pace_.held()) hold();
    // Unpaced, a short pause reads no clock but now and then.
    const double wait_for = pace_.pace() > 0 ? std::max(seconds, pace_.wait_at(RefreshClock::now())) : seconds;
    if (wait_for >= 1e-3) {
        wait(wait_for);
        return;
    }
    if (polls_.due_counting(RefreshClock::now)) service(true, share());
}

void QtWindowBackend::wait(double seconds) {
    auto end = RefreshClock::now() + std::chrono::duration_cast<RefreshClock::duration>(
                                         std::chrono::duration<double>(std::min(seconds, 1e7)));
    // A time limit must not wait for a long pause or a slow pace to finish.
    if (const auto limit = deadline()) end = std::min(end, *limit);
    polls_.due(RefreshClock::now());
    service(true);
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    for (auto now = RefreshClock::now(); now < end; now = RefreshClock::now()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count();
        // Wake at the end, or when the next repaint may be due.
        wake.start(static_cast<int>(std::clamp<long long>(left, 0, static_cast<long long>(1000 / options_.fps) + 1)));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        refresh(true);
    }
    clear_wide_registers();
    polls_.count_afresh();
}

void QtWindowBackend::wait_for_events() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    refresh(false);
    if (pending_callback_count() > 0 || !posted_.empty()) return;
    // A window whose paint ran out of time carries on at the next call.
    const bool unfinished =
        std::any_of(windows_.begin(), windows_.end(), [](const auto& w) { return w && w->isVisible() && w->stale(); });
    QCoreApplication::processEvents(unfinished ? QEventLoop::AllEvents : QEventLoop::WaitForMoreEvents);
    clear_wide_registers();
    polls_.count_afresh();
}

void QtWindowBackend::post_action(std::function<void()> action) { posted_.push_back(std::move(action)); }

void QtWindowBackend::run_posted_actions() {
    while (!posted_.empty()) {
        const std::function<void()> action = std::move(posted_.front());
        posted_.erase(posted_.begin());
        action();
    }
}

}  // namespace rt
