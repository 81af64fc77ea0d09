#pragma once
// A top-level window showing a chart (runtime/render/chart.hpp) that lives
// elsewhere: not a figure, so it has no number, is never current and
// closes without telling the program. It repaints the chart when asked.

#include <QWidget>

#include "runtime/render/chart.hpp"

namespace rt {

class ChartWindow final : public QWidget {
public:
    // `chart` must outlive the window.
    explicit ChartWindow(const Chart& chart) : chart_(chart) {}

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const Chart& chart_;
};

}  // namespace rt
