#include "runtime/window/offscreen_toolkit.hpp"

#include <QGuiApplication>

#include "runtime/window/toolkit_messages.hpp"

namespace rt {

OffscreenToolkit::OffscreenToolkit() {
    if (QCoreApplication::instance()) return;
    quiet_toolkit_messages();
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

OffscreenToolkit::~OffscreenToolkit() = default;

}  // namespace rt
