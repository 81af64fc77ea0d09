#include "runtime/window/chart_window.hpp"

#include <QPainter>

#include "runtime/render/chart_painter.hpp"

namespace rt {

void ChartWindow::paintEvent(QPaintEvent*) {
    const auto start = RefreshClock::now();
    QPainter painter(this);
    paint_chart(chart_, painter, size());
    stale = false;
    schedule_.painted(start, RefreshClock::now());
}

}  // namespace rt
