#include "runtime/render/afterimage_painter.hpp"

#include <algorithm>

#include <QPolygonF>

#include "runtime/graphics/afterimage.hpp"
#include "runtime/render/axes_projection.hpp"
#include "runtime/render/paint_style.hpp"

namespace rt {

void paint_afterimages(const GraphicsObject& figure, QPainter& painter, QSize size) {
    for (const GraphicsObject* axes : figure.children()) {
        if (axes->type() != ObjectType::Axes) continue;
        const std::vector<AfterimageShape>* shapes = afterimage_of(axes->handle());
        if (!shapes) continue;
        const AxesProjection proj(*axes, effective_limits(*axes), QSizeF(size));
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setClipRect(proj.plot_box());
        for (const AfterimageShape& s : *shapes) {
            QPolygonF points;
            for (std::size_t i = 0; i < std::min(s.x.size(), s.y.size()); ++i) points << proj.map(s.x[i], s.y[i]);
            if (s.kind == AfterimageShape::Kind::polygon) {
                painter.setPen(QPen(Qt::black, 0.5 * kPixelsPerPoint));
                painter.setBrush(to_qcolor(s.color));
                painter.drawPolygon(points);
            } else {
                painter.setPen(QPen(to_qcolor(s.color), s.width * kPixelsPerPoint));
                painter.setBrush(Qt::NoBrush);
                painter.drawPolyline(points);
            }
        }
        painter.restore();
    }
}

}  // namespace rt
