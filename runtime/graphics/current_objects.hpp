#pragma once
// The current window and axes as objects (the functions of graphics.hpp give
// handles), and the making of axes.

#include <span>

#include "runtime/graphics/graphics_object.hpp"

namespace rt {

// The current window, created when there is none.
GraphicsObject& current_figure_object();
// The current window's current axes, created when there are none.
GraphicsObject& current_axes_object();
// New axes with their title text (a hidden child), made the window's
// current axes and, unless `announce` is false (a layout file announces its
// whole tree at the end), announced.
GraphicsObject& create_axes(GraphicsObject& figure, std::span<const Value> pairs, bool announce = true);

// What newplot does, giving the axes to draw into as an object.
GraphicsObject& newplot_axes();

}  // namespace rt
