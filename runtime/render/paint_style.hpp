#pragma once
// Turning stored property values into Qt's colours, pens and fonts.
//
// Lengths stored in points (line widths, marker and font sizes) become
// pixels at the runtime's 96 pixels per inch, so a picture looks the same on
// every platform, offscreen included.

#include <optional>

#include <QColor>
#include <QFont>
#include <QPen>

#include "runtime/graphics/graphics_object.hpp"

namespace rt {

inline constexpr double kPixelsPerPoint = 96.0 / 72.0;

QColor to_qcolor(const Rgb& c) noexcept;
// The colour a property holds, or nullopt for "none", "flat", "auto", ...
std::optional<QColor> color_property(const GraphicsObject& obj, PropertyId id) noexcept;

// A pen of `color` with the object's "LineStyle" and "LineWidth"; Qt::NoPen
// for the style "none".
QPen line_pen(const GraphicsObject& obj, const QColor& color);

// The object's font: "FontName", "FontSize" (in "FontUnits"), "FontWeight",
// "FontAngle". `reference_height` is what normalized font units refer to.
QFont object_font(const GraphicsObject& obj, double reference_height = 0);

// The text an object shows: a character array's rows, or a cell's texts,
// one per line; a number as num2str shows it.
QString display_text(const Value& v);

}  // namespace rt
