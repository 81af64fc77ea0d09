// Dispatch by type; rectangles and texts.
#include "runtime/render/plot_painter.hpp"

#include <cmath>

#include <QFontMetricsF>
#include <QPolygonF>

#include "runtime/render/paint_style.hpp"

namespace rt {

namespace {

using P = PropertyId;

void paint_rectangle(const GraphicsObject& rect, const AxesProjection& proj, QPainter& painter) {
    const Value& pos = rect.value(P::Position);
    if (pos.numel() != 4) return;
    for (std::size_t i = 0; i < 4; ++i) {
        if (!std::isfinite(pos[i])) return;
    }
    const double x0 = pos[0], y0 = pos[1], x1 = pos[0] + pos[2], y1 = pos[1] + pos[3];
    const std::optional<QColor> face = color_property(rect, P::FaceColor);
    const std::optional<QColor> edge = color_property(rect, P::EdgeColor);
    painter.setBrush(face ? QBrush(*face) : QBrush(Qt::NoBrush));
    painter.setPen(edge ? line_pen(rect, *edge) : QPen(Qt::NoPen));
    const Value& curvature = rect.value(P::Curvature);
    const bool curved = curvature.numel() == 2 && (curvature[0] > 0 || curvature[1] > 0);
    if (!proj.three_d()) {
        const QRectF r = QRectF(proj.map(x0, y1), proj.map(x1, y0)).normalized();
        if (curved) {
            painter.drawRoundedRect(r, curvature[0] * r.width() / 2, curvature[1] * r.height() / 2);
        } else {
            painter.drawRect(r);
        }
        return;
    }
    painter.drawPolygon(QPolygonF({proj.map(x0, y0), proj.map(x1, y0), proj.map(x1, y1), proj.map(x0, y1)}));
}

}  // namespace

void paint_text(const GraphicsObject& text, const AxesProjection& proj, QPainter& painter) {
    const QString str = display_text(text.value(P::String));
    if (str.isEmpty()) return;
    const Value& pos = text.value(P::Position);
    if (pos.numel() < 2) return;
    const QPointF at = proj.map(pos[0], pos[1], pos.numel() > 2 ? pos[2] : 0);
    if (!std::isfinite(at.x()) || !std::isfinite(at.y())) return;
    const QFont font = object_font(text, proj.position().height());
    const QFontMetricsF metrics(font);
    const QRectF extent = metrics.boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop, str);
    double dx = 0, dy = 0;
    if (text.is(P::HorizontalAlignment, "center")) dx = -extent.width() / 2;
    else if (text.is(P::HorizontalAlignment, "right")) dx = -extent.width();
    if (text.is(P::VerticalAlignment, "middle")) dy = -extent.height() / 2;
    else if (text.is(P::VerticalAlignment, "bottom")) dy = -extent.height();
    else if (text.is(P::VerticalAlignment, "baseline")) dy = -metrics.ascent();
    painter.save();
    painter.translate(at);
    const Value& rotation = text.value(P::Rotation);
    if (rotation.numel() == 1 && std::isfinite(rotation[0]) && rotation[0] != 0) painter.rotate(-rotation[0]);
    painter.setFont(font);
    painter.setPen(color_property(text, P::Color).value_or(QColor(Qt::black)));
    painter.drawText(QRectF(dx, dy, extent.width() + 1, extent.height()), Qt::AlignLeft | Qt::AlignTop, str);
    painter.restore();
}

void paint_plot_object(const GraphicsObject& obj, const AxesProjection& proj, QPainter& painter) {
    if (!obj.is(P::Visible, "on") || obj.being_deleted()) return;
    switch (obj.type()) {
        case ObjectType::Line: paint_line(obj, proj, painter); break;
        case ObjectType::Rectangle: paint_rectangle(obj, proj, painter); break;
        case ObjectType::Surface: paint_surface(obj, proj, painter); break;
        case ObjectType::Text: paint_text(obj, proj, painter); break;
        default: break;
    }
}

}  // namespace rt
