#pragma once
// The program started with real windows (Qt's offscreen platform under
// CTest): the Qt window backend installed, the system's tables and
// initialisers in place, the console captured. One QApplication serves the
// whole test binary.

#include "tests/common.hpp"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QRectF>
#include <QWidget>

#include "app/main_information.hpp"
#include "gui/tavrin.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/program.hpp"
#include "runtime/graphics/callbacks.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/window/qt_window_backend.hpp"

namespace window_test {

inline void ensure_application() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "window_test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensure_application();
        backend_ = std::make_unique<rt::QtWindowBackend>(rt::WindowOptions{});
        rt::set_window_backend(backend_.get());
        rt::start_program(sys::main_information);
        const QRect screen = rt::primary_screen_rect();
        rt::set_screen_size(screen.width(), screen.height());
        rt::set_resource_folders({TAVRIN_RESOURCE_DIR});
        rt::set_console(&console_);
        rt::set_warning_stream(&warnings_);
    }
    void TearDown() override {
        rt::end_program(sys::main_information);
        rt::set_window_backend(nullptr);
        backend_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        rt::set_console(nullptr);
        rt::set_warning_stream(nullptr);
    }

    // Opens the control window as the program's launch does.
    void launch() {
        rt::feval_entry(sys::entry_tavrin, 0, {});
        rt::drawnow();
    }
    // ... and sets up a run without random terms that learns at `alpha`.
    void launch_plain(double alpha) {
        launch();
        widget<QRadioButton>("radiobutton1")->click();
        rt::set(tagged("alpha_sl"), "Value", rt::Value(alpha));
        rt::set(tagged("gamma_sl"), "Value", rt::Value(0.95));
        settle();
    }
    // Presses Start; the run happens here.
    void start_run() {
        widget<QPushButton>("pushbutton1")->click();
        settle();
    }
    // The handle of the object tagged `tag` (hidden ones included).
    static double tagged(const char* tag) {
        const std::vector<rt::Value> pairs{rt::Value::string("Tag"), rt::Value::string(tag)};
        rt::Value found = rt::findall(rt::Value(0.0), pairs);
        return found.numel() == 1 ? found[0] : -1;
    }
    template <typename W>
    W* widget(const char* tag) const {
        return qobject_cast<W*>(backend_->widget_of(tagged(tag)));
    }
    // What follows a user action: the toolkit's pending events, then the
    // callbacks they queued.
    static void settle() {
        QCoreApplication::processEvents();
        rt::deliver_pending_callbacks();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static std::string text_of(double h, const char* property) { return rt::get(h, property).text(); }
    static QRectF rect_of(double h, const char* property) {
        const rt::Value v = rt::get(h, property);
        return QRectF(v[0], v[1], v[2], v[3]);
    }
    // The title of a window's current axes.
    static std::string title_of(double h) {
        const rt::Value axes = rt::get(h, "CurrentAxes");
        return rt::get(rt::get(axes, rt::Value::string("Title")), rt::Value::string("String")).text();
    }

    std::unique_ptr<rt::QtWindowBackend> backend_;
    std::ostringstream console_, warnings_;
};

}  // namespace window_test
