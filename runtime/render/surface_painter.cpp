// Surfaces: a grid of four-sided faces painted back to front.
#include <algorithm>
#include <cmath>
#include <vector>

#include "runtime/render/colormap.hpp"
#include "runtime/render/paint_style.hpp"
#include "runtime/render/plot_painter.hpp"

namespace rt {

namespace {

using P = PropertyId;

// A coordinate of grid point (i, j): from a matrix of the grid's size, a
// vector along the grid's columns (x) or rows (y), or the index itself.
double grid_coordinate(const Value& v, std::size_t i, std::size_t j, std::size_t rows, std::size_t cols,
                       bool along_columns) {
    if (v.numel() == rows * cols && v.rows() == rows) return v[i + j * rows];
    std::size_t k = along_columns ? j : i;
    if (v.numel() == (along_columns ? cols : rows)) return v[k];
    return static_cast<double>(k + 1);
}

struct Face {
    double depth;
    std::size_t i, j;  // its corner of smallest indices
};

}  // namespace

void paint_surface(const GraphicsObject& surface, const AxesProjection& proj, QPainter& painter) {
    const Value& z = surface.value(P::ZData);
    const std::size_t rows = z.rows(), cols = z.cols();
    if (rows < 2 || cols < 2) return;
    const Value& xd = surface.value(P::XData);
    const Value& yd = surface.value(P::YData);
    const Value& cd = surface.value(P::CData);
    const Value& c = cd.numel() == rows * cols ? cd : z;
    const double clo = proj.limits().c[0], chi = proj.limits().c[1];

    const bool face_mapped = surface.is(P::FaceColor, "flat") || surface.is(P::FaceColor, "interp");
    const bool edge_mapped = surface.is(P::EdgeColor, "flat") || surface.is(P::EdgeColor, "interp");
    const std::optional<QColor> face_fixed = color_property(surface, P::FaceColor);
    const std::optional<QColor> edge_fixed = color_property(surface, P::EdgeColor);
    const bool faces = face_mapped || face_fixed;
    const bool edges = edge_mapped || edge_fixed;
    if (!faces && !edges) return;

    std::vector<QPointF> points(rows * cols);
    std::vector<double> depth(rows * cols);
    std::vector<bool> valid(rows * cols);
    for (std::size_t j = 0; j < cols; ++j) {
        for (std::size_t i = 0; i < rows; ++i) {
            const std::size_t k = i + j * rows;
            const double x = grid_coordinate(xd, i, j, rows, cols, true);
            const double y = grid_coordinate(yd, i, j, rows, cols, false);
            valid[k] = std::isfinite(x) && std::isfinite(y) && std::isfinite(z[k]);
            if (!valid[k]) continue;
            points[k] = proj.project(x, y, z[k], depth[k]);
        }
    }

    std::vector<Face> order;
    order.reserve((rows - 1) * (cols - 1));
    for (std::size_t j = 0; j + 1 < cols; ++j) {
        for (std::size_t i = 0; i + 1 < rows; ++i) {
            const std::size_t a = i + j * rows, b = a + rows;
            if (!valid[a] || !valid[a + 1] || !valid[b] || !valid[b + 1]) continue;
            order.push_back({depth[a] + depth[a + 1] + depth[b] + depth[b + 1], i, j});
        }
    }
    std::stable_sort(order.begin(), order.end(), [](const Face& f, const Face& g) { return f.depth < g.depth; });

    QPen edge_pen = edges ? line_pen(surface, edge_fixed.value_or(Qt::black)) : QPen(Qt::NoPen);
    painter.setPen(edge_pen);
    painter.setBrush(faces && !face_mapped ? QBrush(*face_fixed) : QBrush(Qt::NoBrush));
    const bool mapped = face_mapped || edge_mapped;
    int shown = -1;  // the colour-map entry the painter holds
    for (const Face& f : order) {
        const std::size_t a = f.i + f.j * rows, b = a + rows;
        int entry = 0;
        if (mapped) {
            entry = colormap_index((c[a] + c[a + 1] + c[b] + c[b + 1]) / 4, clo, chi);
            if (entry < 0) continue;
        }
        if (mapped && entry != shown) {
            if (face_mapped) painter.setBrush(colormap_brush(entry));
            if (edge_mapped && edge_pen.style() != Qt::NoPen) {
                edge_pen.setColor(colormap_entry(entry));
                painter.setPen(edge_pen);
            }
            shown = entry;
        }
        const QPointF quad[4] = {points[a], points[b], points[b + 1], points[a + 1]};
        painter.drawPolygon(quad, 4);
    }
}

}  // namespace rt
