#pragma once
// Paints a Chart (chart.hpp) as the figures' 2-D axes look: a white plot
// box on the window's grey, ticks inward with their labels outside, the
// title above; a logarithmic axis gets a tick at every power of ten.

#include <QImage>
#include <QPainter>
#include <QSize>

#include "runtime/render/chart.hpp"

namespace rt {

void paint_chart(const Chart& chart, QPainter& painter, QSize size);
// A picture of the chart at `size`. Needs a QGuiApplication (fonts).
QImage render_chart(const Chart& chart, QSize size);

}  // namespace rt
