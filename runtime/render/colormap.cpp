#include "runtime/render/colormap.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace rt {

namespace {

// Anchors every tenth of the way, as 8-bit RGB; the map interpolates
// linearly between them.
constexpr std::array<std::array<int, 3>, 11> kAnchors{{
    {68, 1, 84},
    {72, 36, 117},
    {65, 68, 135},
    {53, 95, 141},
    {42, 120, 142},
    {33, 145, 140},
    {34, 168, 132},
    {68, 191, 112},
    {122, 209, 81},
    {189, 223, 38},
    {253, 231, 37},
}};

// Computed once: a surface of a learning run looks up a colour per face.
const std::array<QColor, kColormapSize>& table() {
    static const std::array<QColor, kColormapSize> entries = [] {
        std::array<QColor, kColormapSize> out;
        for (int i = 0; i < kColormapSize; ++i) {
            double t = static_cast<double>(i) / (kColormapSize - 1) * (kAnchors.size() - 1);
            auto k = static_cast<std::size_t>(std::floor(t));
            if (k >= kAnchors.size() - 1) k = kAnchors.size() - 2;
            double f = t - static_cast<double>(k);
            int rgb[3];
            for (int c = 0; c < 3; ++c) {
                rgb[c] = static_cast<int>(std::lround(kAnchors[k][c] * (1 - f) + kAnchors[k + 1][c] * f));
            }
            out[static_cast<std::size_t>(i)] = QColor(rgb[0], rgb[1], rgb[2]);
        }
        return out;
    }();
    return entries;
}

}  // namespace

QColor colormap_entry(int i) noexcept {
    if (i < 0) i = 0;
    if (i >= kColormapSize) i = kColormapSize - 1;
    return table()[static_cast<std::size_t>(i)];
}

int colormap_index(double value, double lo, double hi) noexcept {
    if (std::isnan(value)) return -1;
    if (!(hi > lo)) return 0;
    // In halves: limits near both ends of the double range must not overflow.
    const double t = (value / 2 - lo / 2) / (hi / 2 - lo / 2);
    if (!(t > 0)) return 0;
    return t >= 1 ? kColormapSize - 1 : static_cast<int>(t * kColormapSize);
}

QColor colormap_color(double value, double lo, double hi) noexcept {
    const int i = colormap_index(value, lo, hi);
    return i < 0 ? QColor() : colormap_entry(i);
}

const QBrush& colormap_brush(int i) noexcept {
    static const std::array<QBrush, kColormapSize> brushes = [] {
        std::array<QBrush, kColormapSize> out;
        for (int k = 0; k < kColormapSize; ++k) out[static_cast<std::size_t>(k)] = QBrush(colormap_entry(k));
        return out;
    }();
    return brushes[static_cast<std::size_t>(std::clamp(i, 0, kColormapSize - 1))];
}

}  // namespace rt
