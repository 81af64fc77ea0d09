#include "runtime/render/control_painter.hpp"

#include <algorithm>
#include <cmath>

#include <QPolygonF>
#include <QStringList>

#include "runtime/render/paint_style.hpp"

namespace rt {

namespace {

using P = PropertyId;

constexpr double kIndicator = 13;  // radio circle and check box, pixels

double number(const GraphicsObject& obj, PropertyId id, double fallback) {
    const Value& v = obj.value(id);
    return v.numel() >= 1 && std::isfinite(v[0]) ? v[0] : fallback;
}

Qt::Alignment horizontal(const GraphicsObject& obj) {
    if (obj.is(P::HorizontalAlignment, "left")) return Qt::AlignLeft;
    if (obj.is(P::HorizontalAlignment, "right")) return Qt::AlignRight;
    return Qt::AlignHCenter;
}

void bevel(QPainter& p, const QRectF& r, bool raised) {
    const QColor light(255, 255, 255), dark(120, 120, 120);
    p.setBrush(Qt::NoBrush);
    p.setPen(raised ? light : dark);
    p.drawLine(r.topLeft(), r.topRight() - QPointF(1, 0));
    p.drawLine(r.topLeft(), r.bottomLeft() - QPointF(0, 1));
    p.setPen(raised ? dark : light);
    p.drawLine(r.bottomLeft() - QPointF(0, 1), r.bottomRight() - QPointF(1, 1));
    p.drawLine(r.topRight() - QPointF(1, 0), r.bottomRight() - QPointF(1, 1));
}

void paint_slider(const GraphicsObject& c, const QRectF& r, QPainter& p) {
    const double lo = number(c, P::Min, 0), hi = number(c, P::Max, 1);
    double t = hi > lo ? (number(c, P::Value, lo) - lo) / (hi - lo) : 0;
    t = std::clamp(t, 0.0, 1.0);
    const bool across = r.width() >= r.height();
    p.setPen(QColor(120, 120, 120));
    p.setBrush(QColor(200, 200, 200));
    if (across) {
        const double thumb = std::min(r.height() * 0.8, r.width() / 4);
        p.drawRect(QRectF(r.left() + 2, r.center().y() - 2, r.width() - 4, 4));
        const double x = r.left() + 2 + t * (r.width() - 4 - thumb);
        p.setBrush(QColor(230, 230, 230));
        p.drawRect(QRectF(x, r.top() + 1, thumb, r.height() - 2));
    } else {
        const double thumb = std::min(r.width() * 0.8, r.height() / 4);
        p.drawRect(QRectF(r.center().x() - 2, r.top() + 2, 4, r.height() - 4));
        const double y = r.bottom() - 2 - thumb - t * (r.height() - 4 - thumb);
        p.setBrush(QColor(230, 230, 230));
        p.drawRect(QRectF(r.left() + 1, y, r.width() - 2, thumb));
    }
}

void paint_indicator(const GraphicsObject& c, const QRectF& r, QPainter& p, bool round) {
    const bool on = number(c, P::Value, 0) == number(c, P::Max, 1);
    const QRectF box(r.left() + 2, r.center().y() - kIndicator / 2, kIndicator, kIndicator);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::white);
    const bool smooth = p.testRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::Antialiasing, true);
    if (round) {
        p.drawEllipse(box);
        if (on) {
            p.setBrush(Qt::black);
            p.drawEllipse(box.center(), 3, 3);
        }
    } else {
        p.drawRect(box);
        if (on) {
            p.setPen(QPen(Qt::black, 2));
            p.drawPolyline(QPolygonF(
                {box.topLeft() + QPointF(3, 7), box.topLeft() + QPointF(6, 10), box.topLeft() + QPointF(11, 3)}));
        }
    }
    p.setRenderHint(QPainter::Antialiasing, smooth);
}

void paint_items(const GraphicsObject& c, const QRectF& r, QPainter& p, bool one_line) {
    const QStringList items = display_text(c.value(P::String)).split('\n');
    // Any stored number, NaN or 1e300 included, picks an item or none.
    const double value = number(c, P::Value, 1);
    const int selected = value >= 1 && value <= 1e9 ? static_cast<int>(value) - 1 : -1;
    const double h = p.fontMetrics().height() + 2;
    if (one_line) {
        const QString shown = selected >= 0 && selected < items.size() ? items[selected] : QString();
        p.drawText(r.adjusted(4, 0, -16, 0), Qt::AlignLeft | Qt::AlignVCenter, shown);
        const QPointF a(r.right() - 10, r.center().y() - 2);
        p.setBrush(p.pen().color());
        p.drawPolygon(QPolygonF({a, a + QPointF(7, 0), a + QPointF(3.5, 4)}));
        return;
    }
    for (int i = 0; i < items.size() && r.top() + 2 + i * h < r.bottom(); ++i) {
        const QRectF line(r.left() + 2, r.top() + 2 + i * h, r.width() - 4, h);
        if (i == selected) p.fillRect(line, QColor(48, 96, 200));
        p.setPen(i == selected ? QColor(Qt::white) : QColor(Qt::black));
        p.drawText(line.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, items[i]);
    }
}

}  // namespace

QRectF control_device_rect(const GraphicsObject& control, QSizeF device) {
    PixelRect r = pixel_position(control);
    return QRectF(r.left, device.height() - (r.bottom + r.height), std::max(r.width, 0.0), std::max(r.height, 0.0));
}

void paint_control(const GraphicsObject& c, QSizeF device, QPainter& p) {
    if (!c.is(P::Visible, "on") || c.type() != ObjectType::Uicontrol) return;
    const QRectF r = control_device_rect(c, device);
    if (r.isEmpty()) return;
    p.save();
    p.setClipRect(r);
    const QColor bg = color_property(c, P::BackgroundColor).value_or(QColor(240, 240, 240));
    QColor fg = color_property(c, P::ForegroundColor).value_or(Qt::black);
    if (c.is(P::Enable, "off")) fg = QColor(150, 150, 150);
    p.setFont(object_font(c, r.height()));
    const QString text = display_text(c.value(P::String));

    if (c.is(P::Style, "pushbutton") || c.is(P::Style, "togglebutton")) {
        const bool down = c.is(P::Style, "togglebutton") && number(c, P::Value, 0) == number(c, P::Max, 1);
        p.fillRect(r, down ? bg.darker(115) : bg);
        bevel(p, r, !down);
        p.setPen(fg);
        p.drawText(r, Qt::AlignCenter, text);
    } else if (c.is(P::Style, "edit")) {
        p.fillRect(r, bg);
        bevel(p, r, false);
        p.setPen(fg);
        p.drawText(r.adjusted(3, 0, -3, 0), horizontal(c) | Qt::AlignVCenter, text);
    } else if (c.is(P::Style, "slider")) {
        p.fillRect(r, bg);
        paint_slider(c, r, p);
    } else if (c.is(P::Style, "radiobutton") || c.is(P::Style, "checkbox")) {
        p.fillRect(r, bg);
        paint_indicator(c, r, p, c.is(P::Style, "radiobutton"));
        p.setPen(fg);
        p.drawText(r.adjusted(kIndicator + 6, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    } else if (c.is(P::Style, "frame")) {
        p.fillRect(r, bg);
        bevel(p, r, false);
    } else if (c.is(P::Style, "listbox") || c.is(P::Style, "popupmenu")) {
        p.fillRect(r, c.is(P::Style, "listbox") ? QColor(Qt::white) : bg);
        bevel(p, r, c.is(P::Style, "popupmenu"));
        p.setPen(fg);
        paint_items(c, r, p, c.is(P::Style, "popupmenu"));
    } else {  // text
        p.fillRect(r, bg);
        p.setPen(fg);
        p.drawText(r, horizontal(c) | Qt::AlignTop | Qt::TextWordWrap, text);
    }
    p.restore();
}

}  // namespace rt
