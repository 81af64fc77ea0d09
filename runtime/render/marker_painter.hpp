#pragma once
// The marker symbols of lines: "+", "o", "*", ".", "x", "square", "diamond",
// the four triangles "^", "v", ">", "<" (pointing that way), "pentagram" and
// "hexagram".

#include <optional>
#include <string_view>

#include <QColor>
#include <QPainter>
#include <QPointF>

namespace rt {

struct MarkerLook {
    std::string_view shape;  // as stored in "Marker"
    double size = 8;         // pixels across
    std::optional<QColor> edge;
    std::optional<QColor> face;
};

// Paints the marker centred on `at`; "none" or an unknown shape paints
// nothing.
void paint_marker(QPainter& painter, QPointF at, const MarkerLook& look);

}  // namespace rt
