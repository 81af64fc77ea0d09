#pragma once
// Conversion of positions between the units a window, axes or control may
// use. Normalized units are fractions of a reference size: the screen for a
// window, the window's inner area for axes and controls.

#include "runtime/array/value.hpp"
#include "runtime/graphics/graphics_object.hpp"

namespace rt {

enum class Units { Pixels, Normalized, Inches, Centimeters, Points, Characters };

inline constexpr double kPixelsPerInch = 96;
// A character cell of the default control font.
inline constexpr double kCharacterWidth = 5, kCharacterHeight = 13;

// The units named by a stored "Units" value.
Units units_of(const Value& stored) noexcept;
// Pixels per unit along x and y.
void pixels_per_unit(Units u, double ref_width, double ref_height, double& per_x, double& per_y) noexcept;
PixelRect to_pixels(const Value& rect, Units u, double ref_width, double ref_height) noexcept;
Value from_pixels(const PixelRect& r, Units u, double ref_width, double ref_height);

}  // namespace rt
