#pragma once
// Painting the objects plotted in an axes: lines with their markers,
// rectangles, surfaces and texts. Each paints itself whole with the painter
// it is given; the caller clips to the plot box where that matters.

#include <QPainter>

#include "runtime/graphics/graphics_object.hpp"
#include "runtime/render/axes_projection.hpp"

namespace rt {

// Any other kind of object (or a hidden one) paints nothing.
void paint_plot_object(const GraphicsObject& obj, const AxesProjection& proj, QPainter& painter);

void paint_line(const GraphicsObject& line, const AxesProjection& proj, QPainter& painter);
// Faces back to front, each filled by the colour map at its mean colour
// value (or the fixed "FaceColor") and outlined in "EdgeColor".
void paint_surface(const GraphicsObject& surface, const AxesProjection& proj, QPainter& painter);
// A text at its "Position" in data coordinates, aligned and rotated as its
// properties say.
void paint_text(const GraphicsObject& text, const AxesProjection& proj, QPainter& painter);

}  // namespace rt
