#pragma once
// A top-level window showing a chart (runtime/render/chart.hpp) that lives
// elsewhere: not a figure, so it has no number, is never current and
// closes without telling the program. A change marks it stale; the backend
// repaints it on a schedule like the figures' windows, at a third of their
// frame rate, so a chart changed at every failure costs no more than that
// rate allows.

#include <QWidget>

#include "runtime/render/chart.hpp"
#include "runtime/window/refresh_schedule.hpp"

namespace rt {

class ChartWindow final : public QWidget {
public:
    // `chart` must outlive the window.
    ChartWindow(const Chart& chart, double fps) : chart_(chart), schedule_(fps) {}

    bool stale = false;
    RepaintSchedule& schedule() noexcept { return schedule_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const Chart& chart_;
    RepaintSchedule schedule_;
};

}  // namespace rt
