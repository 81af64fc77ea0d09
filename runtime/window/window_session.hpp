#pragma once
// A program's windows: the toolkit (a QApplication) and the Qt window
// backend, installed for the session's life.
//
// The caller must have made sure a display can be reached
// (display_check.hpp): the toolkit ends the process when it cannot reach one.
// One session at a time. The root's "ScreenSize" becomes the primary
// screen's.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/window/qt_window_backend.hpp"

class QApplication;
class QTimer;

namespace rt {

class WindowSession {
public:
    WindowSession(const std::string& program, WindowOptions options);
    // Uninstalls the backend; the windows still open close with the toolkit.
    ~WindowSession();
    WindowSession(const WindowSession&) = delete;
    WindowSession& operator=(const WindowSession&) = delete;

    // True while any window exists.
    static bool windows_open();
    // Shows and repaints what changed, then waits for the next user action
    // or timer and handles it; queued callbacks are the caller's to deliver.
    void wait_for_events();
    // Runs the actions the window chrome queued (QtWindowBackend::post_action).
    void run_posted_actions() { backend_->run_posted_actions(); }
    // After `seconds`, runs `action` once from inside the event pump (during
    // a pause or the wait, which it ends): it may post requests such as
    // request_close, and must neither throw nor delete objects. Each call
    // adds a timer of its own.
    void at_deadline(double seconds, std::function<void()> action);

    QtWindowBackend& backend() noexcept { return *backend_; }

private:
    std::string name_;
    int argc_ = 1;
    char* argv_[2] = {nullptr, nullptr};
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<QtWindowBackend> backend_;
    std::vector<std::unique_ptr<QTimer>> deadlines_;
    WindowBackend* previous_ = nullptr;
};

}  // namespace rt
