#include "runtime/window/toolkit_messages.hpp"

#include <cstdio>

#include <QString>
#include <QtGlobal>

namespace rt {

namespace {

void filter(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

}  // namespace

void quiet_toolkit_messages() { qInstallMessageHandler(filter); }

}  // namespace rt
