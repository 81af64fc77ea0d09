#pragma once
// Qt's offscreen platform for a process that has no toolkit running, so that
// fonts and painting work without a display (pictures saved headless). Where
// a toolkit already runs it does nothing; the one it starts ends with it.

#include <memory>

class QGuiApplication;

namespace rt {

class OffscreenToolkit {
public:
    OffscreenToolkit();
    ~OffscreenToolkit();
    OffscreenToolkit(const OffscreenToolkit&) = delete;
    OffscreenToolkit& operator=(const OffscreenToolkit&) = delete;

private:
    // Qt keeps argc and argv for the application's lifetime.
    char name_[7] = "tavrin";
    char flag_[10] = "-platform";
    char platform_[10] = "offscreen";
    int argc_ = 3;
    char* argv_[4] = {name_, flag_, platform_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace rt
