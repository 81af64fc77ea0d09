// Lines and their markers.
#include <cmath>
#include <vector>

#include <QPolygonF>

#include "runtime/render/marker_painter.hpp"
#include "runtime/render/paint_style.hpp"
#include "runtime/render/plot_painter.hpp"

namespace rt {

namespace {

using P = PropertyId;

// A marker whose face is "none" still shows as a solid triangle: the push
// marker of the cart window must read at a glance.
bool filled_by_default(std::string_view shape) { return shape == "^" || shape == "v" || shape == ">" || shape == "<"; }

}  // namespace

void paint_line(const GraphicsObject& line, const AxesProjection& proj, QPainter& painter) {
    const Value& xd = line.value(P::XData);
    const Value& yd = line.value(P::YData);
    const Value& zd = line.value(P::ZData);
    const std::size_t n = std::min(xd.numel(), yd.numel());
    if (n == 0) return;
    const bool has_z = zd.numel() == n;
    const QColor color = color_property(line, P::Color).value_or(QColor(Qt::black));

    std::vector<QPointF> points(n);
    std::vector<bool> valid(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double z = has_z ? zd[i] : 0;
        valid[i] = std::isfinite(xd[i]) && std::isfinite(yd[i]) && std::isfinite(z);
        if (valid[i]) points[i] = proj.map(xd[i], yd[i], z);
    }

    const QPen pen = line_pen(line, color);
    if (pen.style() != Qt::NoPen) {
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        QPolygonF run;
        for (std::size_t i = 0; i <= n; ++i) {
            if (i < n && valid[i]) {
                run << points[i];
                continue;
            }
            if (run.size() > 1) painter.drawPolyline(run);
            run.clear();
        }
    }

    const Value& marker = line.value(P::Marker);
    if (!marker.is_char() || line.is(P::Marker, "none")) return;
    const std::string shape = marker.text();
    MarkerLook look;
    look.shape = shape;
    const double size = line.value(P::MarkerSize).numel() == 1 ? line.value(P::MarkerSize)[0] : 6;
    look.size = size * kPixelsPerPoint;
    look.edge =
        line.is(P::MarkerEdgeColor, "auto") ? std::optional<QColor>(color) : color_property(line, P::MarkerEdgeColor);
    if (line.is(P::MarkerFaceColor, "auto")) look.face = color;
    else if (line.is(P::MarkerFaceColor, "none")) look.face = filled_by_default(shape) ? look.edge : std::nullopt;
    else look.face = color_property(line, P::MarkerFaceColor);
    const bool smooth = painter.testRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (std::size_t i = 0; i < n; ++i) {
        if (valid[i]) paint_marker(painter, points[i], look);
    }
    painter.setRenderHint(QPainter::Antialiasing, smooth);
}

}  // namespace rt
