#include "runtime/render/marker_painter.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QPolygonF>

namespace rt {

namespace {

QPolygonF star(QPointF at, double outer, double inner, int points) {
    QPolygonF poly;
    for (int i = 0; i < 2 * points; ++i) {
        double r = i % 2 ? inner : outer;
        double a = -std::numbers::pi / 2 + i * std::numbers::pi / points;
        poly << QPointF(at.x() + r * std::cos(a), at.y() + r * std::sin(a));
    }
    return poly;
}

}  // namespace

void paint_marker(QPainter& painter, QPointF at, const MarkerLook& look) {
    const double r = look.size / 2;
    const double x = at.x(), y = at.y();
    painter.setPen(look.edge ? QPen(*look.edge, 1) : QPen(Qt::NoPen));
    painter.setBrush(look.face ? QBrush(*look.face) : QBrush(Qt::NoBrush));
    const std::string_view s = look.shape;
    if (s == "+") {
        painter.drawLine(QPointF(x - r, y), QPointF(x + r, y));
        painter.drawLine(QPointF(x, y - r), QPointF(x, y + r));
    } else if (s == "x") {
        painter.drawLine(QPointF(x - r, y - r), QPointF(x + r, y + r));
        painter.drawLine(QPointF(x - r, y + r), QPointF(x + r, y - r));
    } else if (s == "*") {
        painter.drawLine(QPointF(x - r, y), QPointF(x + r, y));
        painter.drawLine(QPointF(x, y - r), QPointF(x, y + r));
        const double d = r * 0.7;
        painter.drawLine(QPointF(x - d, y - d), QPointF(x + d, y + d));
        painter.drawLine(QPointF(x - d, y + d), QPointF(x + d, y - d));
    } else if (s == ".") {
        // A dot is a third of the size and always filled.
        const QColor c = look.edge ? *look.edge : look.face ? *look.face : QColor(Qt::black);
        painter.setPen(Qt::NoPen);
        painter.setBrush(c);
        painter.drawEllipse(at, std::max(r / 3, 1.0), std::max(r / 3, 1.0));
    } else if (s == "o") {
        painter.drawEllipse(at, r, r);
    } else if (s == "square") {
        painter.drawRect(QRectF(x - r, y - r, 2 * r, 2 * r));
    } else if (s == "diamond") {
        painter.drawPolygon(QPolygonF({QPointF(x, y - r), QPointF(x + r, y), QPointF(x, y + r), QPointF(x - r, y)}));
    } else if (s == "^") {
        painter.drawPolygon(QPolygonF({QPointF(x, y - r), QPointF(x + r, y + r), QPointF(x - r, y + r)}));
    } else if (s == "v") {
        painter.drawPolygon(QPolygonF({QPointF(x, y + r), QPointF(x + r, y - r), QPointF(x - r, y - r)}));
    } else if (s == ">") {
        painter.drawPolygon(QPolygonF({QPointF(x + r, y), QPointF(x - r, y - r), QPointF(x - r, y + r)}));
    } else if (s == "<") {
        painter.drawPolygon(QPolygonF({QPointF(x - r, y), QPointF(x + r, y - r), QPointF(x + r, y + r)}));
    } else if (s == "pentagram") {
        painter.drawPolygon(star(at, r, r * 0.4, 5));
    } else if (s == "hexagram") {
        painter.drawPolygon(star(at, r, r * 0.58, 6));
    }
}

}  // namespace rt
