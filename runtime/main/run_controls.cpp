#include "runtime/main/run_controls.hpp"

#ifdef TAVRIN_WITH_WINDOWS
#include "runtime/window/qt_window_backend.hpp"
#endif

namespace rt {

#ifdef TAVRIN_WITH_WINDOWS
namespace {
QtWindowBackend* windows() { return dynamic_cast<QtWindowBackend*>(window_backend()); }
}  // namespace

void attach_run_controls(double figure) {
    if (QtWindowBackend* w = windows()) w->attach_run_controls(figure);
}

void show_run_status(const std::string& text) {
    if (QtWindowBackend* w = windows(); w && w->run_controls()) w->run_controls()->set_status(text);
}

bool run_held() {
    const QtWindowBackend* w = windows();
    return w && w->run_controls() && w->run_pace().held();
}
#else
void attach_run_controls(double) {}
void show_run_status(const std::string&) {}
bool run_held() { return false; }
#endif

}  // namespace rt
