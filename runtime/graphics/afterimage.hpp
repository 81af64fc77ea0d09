#pragma once
// Shapes a window keeps showing over an axes after the objects that drew
// them are gone: the last picture of a scene that is drawn and deleted step
// by step. They are not objects of the tree (no handle, not found by
// findall, no properties) and are painted over the axes' own objects, in
// windows and in saved pictures alike.
//
// Keyed by the axes' handle, which no later object ever gets.

#include <vector>

#include "runtime/graphics/graphics_object.hpp"

namespace rt {

struct AfterimageShape {
    enum class Kind { polygon, line };
    Kind kind = Kind::line;
    std::vector<double> x, y;  // data coordinates of the axes
    Rgb color{0, 0, 0};        // the fill of a polygon, the colour of a line
    double width = 0.5;        // a line's width in points
};

// Replaces what the axes show after their objects went; an empty list
// removes it.
void set_afterimage(double axes, std::vector<AfterimageShape> shapes);
// The shapes of the axes, or null.
const std::vector<AfterimageShape>* afterimage_of(double axes);
void clear_afterimages();

}  // namespace rt
