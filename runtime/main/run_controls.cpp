#include "runtime/main/run_controls.hpp"

#ifdef TAVRIN_WITH_WINDOWS
#include <QLabel>

#include "runtime/window/qt_window_backend.hpp"
#endif

namespace rt {

#ifdef TAVRIN_WITH_WINDOWS
namespace {
QtWindowBackend* windows() { return QtWindowBackend::running(); }
}  // namespace

void attach_run_controls(double figure) {
    if (QtWindowBackend* w = windows()) w->attach_run_controls(figure);
}

void show_run_status(const std::string& text) {
    if (QtWindowBackend* w = windows(); w && w->run_controls()) w->run_controls()->set_status(text);
}

void set_window_caption(double figure, const std::string& caption) {
    if (QtWindowBackend* w = windows(); w && w->window_of(figure))
        w->window_of(figure)->set_caption(QString::fromStdString(caption));
}

void set_window_note(double figure, const std::string& note) {
    QtWindowBackend* w = windows();
    FigureWindow* window = w ? w->window_of(figure) : nullptr;
    if (!window || window->chrome_bottom() > 0) return;
    auto* label = new QLabel(QString::fromStdString(note));
    label->setAutoFillBackground(true);
    label->setContentsMargins(6, 2, 6, 2);
    label->setMinimumWidth(50);
    window->set_chrome(nullptr, label);
}

void set_control_tooltip(double control, const std::string& tip) {
    if (QtWindowBackend* w = windows(); w && w->widget_of(control))
        w->widget_of(control)->setToolTip(QString::fromStdString(tip));
}

void set_run_speed(const std::string& preset) {
    const std::optional<Speed> s = speed_named(preset);
    QtWindowBackend* w = windows();
    if (!s || !w) return;
    w->run_pace().set_speed(*s);
    if (w->run_controls()) w->run_controls()->show_pace();
}

void offer_replay(std::function<void()> action) {
    QtWindowBackend* w = windows();
    if (!w || !w->run_controls()) return;
    if (!action) {
        w->run_controls()->offer_replay({});
        return;
    }
    // The button shows the replay running; the controls may have moved to
    // another window by the time it ends.
    w->run_controls()->offer_replay([w, action = std::move(action)] {
        if (w->run_controls()) w->run_controls()->show_replaying(true);
        struct Done {
            QtWindowBackend* w;
            ~Done() {
                if (w->run_controls()) w->run_controls()->show_replaying(false);
            }
        } done{w};
        action();
    });
}

bool replay_stop_requested() {
    const QtWindowBackend* w = windows();
    return w && w->run_controls() && w->run_controls()->replay_stop_requested();
}
#else
void attach_run_controls(double) {}
void show_run_status(const std::string&) {}
void set_window_caption(double, const std::string&) {}
void set_window_note(double, const std::string&) {}
void set_control_tooltip(double, const std::string&) {}
void set_run_speed(const std::string&) {}
void offer_replay(std::function<void()>) {}
bool replay_stop_requested() { return false; }
#endif

}  // namespace rt
