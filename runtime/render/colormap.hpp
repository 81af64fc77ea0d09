#pragma once
// The colour map that surfaces are coloured through: a perceptually uniform
// ramp from dark purple through blue and green to yellow, so equal steps in
// height look like equal steps in colour.

#include <QBrush>
#include <QColor>

namespace rt {

inline constexpr int kColormapSize = 64;

// Entry i (0 to kColormapSize - 1) of the map.
QColor colormap_entry(int i) noexcept;

// The colour of `value` with the colour limits [lo, hi]: values at or below
// lo take the first entry, at or above hi the last; NaN gives an invalid
// QColor (such a face is not painted).
QColor colormap_color(double value, double lo, double hi) noexcept;

// The entry `value` takes, or -1 for NaN.
int colormap_index(double value, double lo, double hi) noexcept;
// A solid brush of entry i, made once: a surface sets one per face.
const QBrush& colormap_brush(int i) noexcept;

}  // namespace rt
