#include "runtime/window/chart_window.hpp"

#include <QPainter>

#include "runtime/render/chart_painter.hpp"

namespace rt {

void ChartWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint_chart(chart_, painter, size());
    stale = false;
}

}  // namespace rt
