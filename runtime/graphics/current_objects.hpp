#pragma once
// New axes with their title text (a hidden child), made the window's
// current axes and, unless `announce` is false (a layout file announces its
// whole tree at the end), announced.

#include <span>

#include "runtime/graphics/graphics_object.hpp"

namespace rt {

GraphicsObject& create_axes(GraphicsObject& figure, std::span<const Value> pairs, bool announce = true);

}  // namespace rt
