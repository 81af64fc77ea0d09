#include "runtime/render/axes_painter.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QFontMetricsF>
#include <QLineF>
#include <QPolygonF>

#include "runtime/render/paint_style.hpp"
#include "runtime/render/ticks.hpp"

namespace rt {

namespace {

using P = PropertyId;

constexpr double kTickLength = 5;      // pixels
constexpr double kLabelGap = 3;        // between a tick and its label
constexpr double kTitleGap = 6;        // between the box and the title
constexpr double kXLabelSpacing = 60;  // room one x tick label needs
constexpr double kYLabelSpacing = 25;

struct AxisColors {
    QColor x, y, z;
};

AxisColors axis_colors(const GraphicsObject& axes) {
    return {color_property(axes, P::XColor).value_or(Qt::black), color_property(axes, P::YColor).value_or(Qt::black),
            color_property(axes, P::ZColor).value_or(Qt::black)};
}

QPen grid_pen(const GraphicsObject& axes, QColor color) {
    color.setAlphaF(0.3f);
    QPen pen(color, 1);
    if (axes.is(P::GridLineStyle, "-")) pen.setStyle(Qt::SolidLine);
    else if (axes.is(P::GridLineStyle, "--")) pen.setStyle(Qt::DashLine);
    else if (axes.is(P::GridLineStyle, "-.")) pen.setStyle(Qt::DashDotLine);
    else if (axes.is(P::GridLineStyle, "none")) pen.setStyle(Qt::NoPen);
    else pen.setStyle(Qt::DotLine);
    return pen;
}

double step_of(const std::vector<double>& ticks) { return ticks.size() > 1 ? ticks[1] - ticks[0] : 1; }

QRectF label_rect(const QFontMetricsF& metrics, const QString& text, QPointF anchor, Qt::Alignment align) {
    const double w = metrics.horizontalAdvance(text) + 2, h = metrics.height();
    double left = anchor.x(), top = anchor.y();
    if (align & Qt::AlignHCenter) left -= w / 2;
    else if (align & Qt::AlignRight) left -= w;
    if (align & Qt::AlignVCenter) top -= h / 2;
    else if (align & Qt::AlignBottom) top -= h;
    return QRectF(left, top, w, h);
}

void draw_label(QPainter& painter, const QString& text, QPointF anchor, Qt::Alignment align) {
    painter.drawText(label_rect(QFontMetricsF(painter.font()), text, anchor, align), Qt::AlignCenter, text);
}

// ---- 2-D ----

void paint_2d_back(const GraphicsObject& axes, const AxesProjection& proj, QPainter& painter) {
    const QRectF box = proj.plot_box();
    if (auto bg = color_property(axes, P::Color)) painter.fillRect(box, *bg);
    const AxesLimits& lim = proj.limits();
    const AxisColors colors = axis_colors(axes);
    if (axes.is(P::XGrid, "on")) {
        painter.setPen(grid_pen(axes, colors.x));
        for (double t : tick_values(lim.x[0], lim.x[1], box.width(), kXLabelSpacing)) {
            const double x = proj.map(t, lim.y[0]).x();
            painter.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
        }
    }
    if (axes.is(P::YGrid, "on")) {
        painter.setPen(grid_pen(axes, colors.y));
        for (double t : tick_values(lim.y[0], lim.y[1], box.height(), kYLabelSpacing)) {
            const double y = proj.map(lim.x[0], t).y();
            painter.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
        }
    }
}

void paint_2d_front(const GraphicsObject& axes, const AxesProjection& proj, QPainter& painter) {
    const QRectF box = proj.plot_box();
    const AxesLimits& lim = proj.limits();
    const AxisColors colors = axis_colors(axes);
    const bool boxed = axes.is(P::Box, "on");
    painter.setBrush(Qt::NoBrush);
    painter.setFont(object_font(axes, box.height()));

    const std::vector<double> xt = tick_values(lim.x[0], lim.x[1], box.width(), kXLabelSpacing);
    painter.setPen(QPen(colors.x, 1));
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    if (boxed) painter.drawLine(box.topLeft(), box.topRight());
    for (double t : xt) {
        const double x = proj.map(t, lim.y[0]).x();
        painter.drawLine(QPointF(x, box.bottom()), QPointF(x, box.bottom() - kTickLength));
        if (boxed) painter.drawLine(QPointF(x, box.top()), QPointF(x, box.top() + kTickLength));
        draw_label(painter, QString::fromStdString(tick_label(t, step_of(xt))), QPointF(x, box.bottom() + kLabelGap),
                   Qt::AlignHCenter | Qt::AlignTop);
    }

    const std::vector<double> yt = tick_values(lim.y[0], lim.y[1], box.height(), kYLabelSpacing);
    painter.setPen(QPen(colors.y, 1));
    painter.drawLine(box.topLeft(), box.bottomLeft());
    if (boxed) painter.drawLine(box.topRight(), box.bottomRight());
    for (double t : yt) {
        const double y = proj.map(lim.x[0], t).y();
        painter.drawLine(QPointF(box.left(), y), QPointF(box.left() + kTickLength, y));
        if (boxed) painter.drawLine(QPointF(box.right(), y), QPointF(box.right() - kTickLength, y));
        draw_label(painter, QString::fromStdString(tick_label(t, step_of(yt))), QPointF(box.left() - kLabelGap - 1, y),
                   Qt::AlignRight | Qt::AlignVCenter);
    }
}

// ---- 3-D ----

// Corner k of the box; bit 0 x, bit 1 y, bit 2 z (0 the lower limit).
struct Edge {
    int a, b;
    int axis;  // the axis it runs along
};

std::vector<Edge> box_edges() {
    std::vector<Edge> edges;
    for (int axis = 0; axis < 3; ++axis) {
        const int bit = 1 << axis;
        for (int k = 0; k < 8; ++k) {
            if (!(k & bit)) edges.push_back({k, k | bit, axis});
        }
    }
    return edges;
}

// For each axis, the limit index (0 or 1) of the box face turned away from
// the viewer: grid lines and the box's back lie on those faces.
struct BackFaces {
    int index[3];
    // An edge lies on a back face when both ends share a back index.
    bool edge_on_back(const Edge& e) const {
        for (int a = 0; a < 3; ++a) {
            if (a == e.axis) continue;
            if (((e.a >> a) & 1) == index[a]) return true;
        }
        return false;
    }
};

BackFaces back_faces(const AxesProjection& proj) {
    BackFaces f{};
    // The nearer of the two faces across an axis is the one with greater depth.
    f.index[0] = proj.corner_depth(1) > proj.corner_depth(0) ? 0 : 1;
    f.index[1] = proj.corner_depth(2) > proj.corner_depth(0) ? 0 : 1;
    f.index[2] = proj.corner_depth(4) > proj.corner_depth(0) ? 0 : 1;
    return f;
}

double limit(const AxesLimits& lim, int axis, int index) {
    return axis == 0 ? lim.x[index] : axis == 1 ? lim.y[index] : lim.z[index];
}

QPointF at(const AxesProjection& proj, const double v[3]) { return proj.map(v[0], v[1], v[2]); }

// The edge along `axis` that the tick labels of that axis stand at: for z
// the leftmost upright edge, for x and y the lowest on screen.
Edge label_edge(const AxesProjection& proj, int axis) {
    Edge best{0, 0, axis};
    double best_score = -1e300;
    for (const Edge& e : box_edges()) {
        if (e.axis != axis) continue;
        const QPointF mid = (proj.corner(e.a) + proj.corner(e.b)) / 2;
        const double score = axis == 2 ? -mid.x() : mid.y();
        if (score > best_score + 1e-9) {
            best_score = score;
            best = e;
        }
    }
    return best;
}

QPointF box_centre(const AxesProjection& proj) {
    QPointF sum;
    for (int k = 0; k < 8; ++k) sum += proj.corner(k);
    return sum / 8;
}

void paint_3d_back(const GraphicsObject& axes, const AxesProjection& proj, QPainter& painter) {
    const AxesLimits& lim = proj.limits();
    const BackFaces back = back_faces(proj);
    const AxisColors colors = axis_colors(axes);
    const QColor axis_color[3] = {colors.x, colors.y, colors.z};
    const PropertyId grid_id[3] = {P::XGrid, P::YGrid, P::ZGrid};

    if (auto bg = color_property(axes, P::Color)) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(*bg);
        for (int a = 0; a < 3; ++a) {
            const int u = (a + 1) % 3, w = (a + 2) % 3;
            QPolygonF face;
            for (int k : {0, 1, 3, 2}) {
                double v[3];
                v[a] = limit(lim, a, back.index[a]);
                v[u] = limit(lim, u, k & 1);
                v[w] = limit(lim, w, k >> 1 & 1);
                face << at(proj, v);
            }
            painter.drawPolygon(face);
        }
    }

    // Grid lines of axis g lie on the back faces across the two other axes.
    for (int g = 0; g < 3; ++g) {
        if (!axes.is(grid_id[g], "on")) continue;
        const Edge e = label_edge(proj, g);
        const double length = QLineF(proj.corner(e.a), proj.corner(e.b)).length();
        const std::vector<double> ticks =
            tick_values(limit(lim, g, 0), limit(lim, g, 1), length, g == 2 ? kYLabelSpacing : kXLabelSpacing);
        painter.setPen(grid_pen(axes, axis_color[g]));
        for (int f = 0; f < 3; ++f) {
            if (f == g) continue;
            const int other = 3 - f - g;  // the face is across f; the line runs along `other`
            for (double t : ticks) {
                double p[3], q[3];
                p[f] = q[f] = limit(lim, f, back.index[f]);
                p[g] = q[g] = t;
                p[other] = limit(lim, other, 0);
                q[other] = limit(lim, other, 1);
                painter.drawLine(at(proj, p), at(proj, q));
            }
        }
    }

    for (const Edge& e : box_edges()) {
        if (!back.edge_on_back(e)) continue;
        painter.setPen(QPen(axis_color[e.axis], 1));
        painter.drawLine(proj.corner(e.a), proj.corner(e.b));
    }
}

void paint_3d_front(const GraphicsObject& axes, const AxesProjection& proj, QPainter& painter) {
    const AxesLimits& lim = proj.limits();
    const BackFaces back = back_faces(proj);
    const AxisColors colors = axis_colors(axes);
    const QColor axis_color[3] = {colors.x, colors.y, colors.z};
    const QPointF centre = box_centre(proj);
    painter.setBrush(Qt::NoBrush);
    if (axes.is(P::Box, "on")) {
        for (const Edge& e : box_edges()) {
            if (back.edge_on_back(e)) continue;
            painter.setPen(QPen(axis_color[e.axis], 1));
            painter.drawLine(proj.corner(e.a), proj.corner(e.b));
        }
    }
    painter.setFont(object_font(axes, proj.position().height()));
    const QFontMetricsF metrics(painter.font());
    // Labels of two axes meet at a shared corner: the later one gives way.
    std::vector<QRectF> taken;
    for (int axis : {2, 0, 1}) {
        const Edge e = label_edge(proj, axis);
        const QPointF p0 = proj.corner(e.a), p1 = proj.corner(e.b);
        painter.setPen(QPen(axis_color[axis], 1));
        painter.drawLine(p0, p1);
        const double len = QLineF(p0, p1).length();
        if (len < 1) continue;  // seen end on
        // Ticks and labels stand off the edge on the side away from the box.
        QPointF out((p0.y() - p1.y()) / len, (p1.x() - p0.x()) / len);
        const QPointF from_centre = (p0 + p1) / 2 - centre;
        if (out.x() * from_centre.x() + out.y() * from_centre.y() < 0) out = -out;
        const std::vector<double> ticks =
            tick_values(limit(lim, axis, 0), limit(lim, axis, 1), len, axis == 2 ? kYLabelSpacing : kXLabelSpacing);
        const Qt::Alignment align = out.x() > 0.5    ? Qt::AlignLeft | Qt::AlignVCenter
                                    : out.x() < -0.5 ? Qt::AlignRight | Qt::AlignVCenter
                                    : out.y() > 0    ? Qt::AlignHCenter | Qt::AlignTop
                                                     : Qt::AlignHCenter | Qt::AlignBottom;
        for (double t : ticks) {
            double v[3];
            for (int a = 0; a < 3; ++a) v[a] = limit(lim, a, (e.a >> a) & 1);
            v[axis] = t;
            const QPointF p = at(proj, v);
            painter.drawLine(p, p + out * kTickLength);
            const QString text = QString::fromStdString(tick_label(t, step_of(ticks)));
            const QRectF r = label_rect(metrics, text, p + out * (kTickLength + kLabelGap), align);
            if (std::any_of(taken.begin(), taken.end(), [&](const QRectF& o) { return o.intersects(r); })) continue;
            taken.push_back(r);
            painter.drawText(r, Qt::AlignCenter, text);
        }
    }
}

void paint_title(const GraphicsObject& axes, const AxesProjection& proj, QPainter& painter) {
    const GraphicsObject* title = title_of(axes);
    if (!title || !title->is(P::Visible, "on")) return;
    const QString text = display_text(title->value(P::String));
    if (text.isEmpty()) return;
    double top = proj.plot_box().top();
    double centre = proj.plot_box().center().x();
    if (proj.three_d()) {
        double left = 1e300, right = -1e300;
        for (int k = 0; k < 8; ++k) {
            top = std::min(top, proj.corner(k).y());
            left = std::min(left, proj.corner(k).x());
            right = std::max(right, proj.corner(k).x());
        }
        centre = (left + right) / 2;
    }
    painter.setFont(object_font(*title, proj.position().height()));
    painter.setPen(color_property(*title, P::Color).value_or(Qt::black));
    const QFontMetricsF metrics(painter.font());
    const QRectF extent = metrics.boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::AlignHCenter | Qt::AlignTop, text);
    painter.drawText(QRectF(centre - extent.width() / 2 - 1, top - kTitleGap - extent.height(), extent.width() + 2,
                            extent.height()),
                     Qt::AlignHCenter | Qt::AlignBottom, text);
}

}  // namespace

const GraphicsObject* title_of(const GraphicsObject& axes) noexcept {
    const Value& h = axes.value(P::Title);
    if (h.numel() != 1) return nullptr;
    const GraphicsObject* t = find_object(h[0]);
    return t && t->parent() == &axes ? t : nullptr;
}

void paint_axes_back(const GraphicsObject& axes, const AxesProjection& proj, QPainter& painter) {
    if (!axes.is(P::Visible, "on")) return;
    if (proj.three_d()) paint_3d_back(axes, proj, painter);
    else paint_2d_back(axes, proj, painter);
}

void paint_axes_front(const GraphicsObject& axes, const AxesProjection& proj, QPainter& painter) {
    if (axes.is(P::Visible, "on")) {
        if (proj.three_d()) paint_3d_front(axes, proj, painter);
        else paint_2d_front(axes, proj, painter);
    }
    paint_title(axes, proj, painter);
}

}  // namespace rt
