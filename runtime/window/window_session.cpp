#include "runtime/window/window_session.hpp"

#include <algorithm>

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "runtime/graphics/graphics.hpp"
#include "runtime/window/toolkit_messages.hpp"

namespace rt {

WindowSession::WindowSession(const std::string& program, WindowOptions options) : name_(program) {
    quiet_toolkit_messages(name_);
    argv_[0] = name_.data();
    app_ = std::make_unique<QApplication>(argc_, argv_);
    QApplication::setQuitOnLastWindowClosed(false);
    const QRect screen = primary_screen_rect();
    set_screen_size(screen.width(), screen.height());
    backend_ = std::make_unique<QtWindowBackend>(options);
    previous_ = set_window_backend(backend_.get());
}

WindowSession::~WindowSession() {
    deadlines_.clear();
    set_window_backend(previous_);
    backend_.reset();
    // Windows and controls of deleted figures were only marked for deletion.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    app_.reset();
}

bool WindowSession::windows_open() { return !open_figures().empty(); }

void WindowSession::wait_for_events() { backend_->wait_for_events(); }

void WindowSession::at_deadline(double seconds, std::function<void()> action) {
    auto& timer = deadlines_.emplace_back(std::make_unique<QTimer>());
    timer->setSingleShot(true);
    // A coarse timer may fire up to 5% early.
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer.get(), &QTimer::timeout, timer.get(), std::move(action));
    timer->start(static_cast<int>(std::clamp(seconds * 1000, 0.0, 2e9)));
}

}  // namespace rt
