#pragma once
// Paints the afterimages (runtime/graphics/afterimage.hpp) of a figure's
// axes over a picture of the figure painted at `size`.

#include <QPainter>
#include <QSize>

#include "runtime/graphics/graphics_object.hpp"

namespace rt {

void paint_afterimages(const GraphicsObject& figure, QPainter& painter, QSize size);

}  // namespace rt
