#pragma once
// Painting an axes' own parts around its data: the background, grid and back
// of the box go under the plotted objects; the box's front, the ticks, their
// labels and the title go over them. An axes whose "Visible" is "off" keeps
// only its title.

#include <QPainter>

#include "runtime/graphics/graphics_object.hpp"
#include "runtime/render/axes_projection.hpp"

namespace rt {

void paint_axes_back(const GraphicsObject& axes, const AxesProjection& proj, QPainter& painter);
void paint_axes_front(const GraphicsObject& axes, const AxesProjection& proj, QPainter& painter);

// The axes' title text object, or null.
const GraphicsObject* title_of(const GraphicsObject& axes) noexcept;

}  // namespace rt
