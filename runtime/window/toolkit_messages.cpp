#include "runtime/window/toolkit_messages.hpp"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <QString>
#include <QtGlobal>

namespace rt {

namespace {

std::string& program_name() {
    static std::string name = "tavrin";
    return name;
}

void filter(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg) {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    } else if (type == QtFatalMsg) {
        // Only the first sentence: the rest is the toolkit's advice on reinstalling.
        QString first = text.section(QLatin1Char('\n'), 0, 0).trimmed();
        if (const auto end = first.indexOf(QLatin1String(". ")); end > 0) first.truncate(end);
        const char* p = program_name().c_str();
        std::fprintf(stderr,
                     "%s: the window system could not start (%s); run with --headless to use %s without windows\n", p,
                     first.toLocal8Bit().constData(), p);
        std::fflush(stderr);
        std::_Exit(1);
    }
}

}  // namespace

void quiet_toolkit_messages(std::string_view program) {
    if (!program.empty()) program_name() = std::string(program);
    qInstallMessageHandler(filter);
}

}  // namespace rt
