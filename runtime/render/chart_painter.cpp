#include "runtime/render/chart_painter.hpp"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QPainterPath>

#include "runtime/render/paint_style.hpp"
#include "runtime/render/ticks.hpp"

namespace rt {

namespace {

// The same lengths as the figures' axes.
constexpr double kTickLength = 5;
constexpr double kLabelGap = 3;
constexpr double kTitleGap = 6;
constexpr double kXLabelSpacing = 60;
const QColor kWindowGrey = QColor::fromRgbF(0.941f, 0.941f, 0.941f);

QColor color_of(const std::array<double, 3>& c) {
    return QColor::fromRgbF(static_cast<float>(c[0]), static_cast<float>(c[1]), static_cast<float>(c[2]));
}

QFont axes_font() {
    QFont f("Helvetica");
    f.setPixelSize(static_cast<int>(std::lround(10 * kPixelsPerPoint)));
    return f;
}

// Maps data to the plot box.
class Scale {
public:
    Scale(const Chart& c, const QRectF& box) : c_(c), box_(box) {
        x_max_ = c.x_min + 1;
        for (const ChartLine& l : c.lines) {
            for (double x : l.x) {
                if (std::isfinite(x)) x_max_ = std::max(x_max_, x);
            }
        }
    }
    double x_max() const { return x_max_; }
    double px(double x) const { return box_.left() + (x - c_.x_min) / (x_max_ - c_.x_min) * box_.width(); }
    double py(double y) const {
        double lo = c_.y_min, hi = c_.y_max, v = y;
        if (c_.log_y) {
            lo = std::log10(lo), hi = std::log10(hi), v = std::log10(std::max(y, c_.y_min));
        }
        v = std::clamp(v, lo, hi);
        return box_.bottom() - (v - lo) / (hi - lo) * box_.height();
    }

private:
    const Chart& c_;
    QRectF box_;
    double x_max_;
};

std::vector<double> y_ticks(const Chart& c, double pixels) {
    if (!c.log_y) return tick_values(c.y_min, c.y_max, pixels, 25);
    std::vector<double> t;
    for (double v = std::pow(10.0, std::ceil(std::log10(c.y_min))); v <= c.y_max * (1 + 1e-12); v *= 10) t.push_back(v);
    return t;
}

QString y_tick_label(double v, bool log) {
    return log ? QString::number(v, 'f', 0) : QString::fromStdString(tick_label(v, 1));
}

void paint_line(const ChartLine& l, const Scale& s, QPainter& painter) {
    const std::size_t n = std::min(l.x.size(), l.y.size());
    if (n == 0) return;
    QPainterPath path;
    path.moveTo(s.px(l.x[0]), s.py(l.y[0]));
    for (std::size_t i = 1; i < n; ++i) {
        if (l.stepped) path.lineTo(s.px(l.x[i]), s.py(l.y[i - 1]));
        path.lineTo(s.px(l.x[i]), s.py(l.y[i]));
    }
    QPen pen(color_of(l.color), l.width);
    if (l.dashed) pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    if (n == 1) painter.drawEllipse(QPointF(s.px(l.x[0]), s.py(l.y[0])), 1.5, 1.5);
    else painter.drawPath(path);
}

QColor diverging(double v, double limit) {
    if (!std::isfinite(v)) return QColor(220, 220, 220);
    const double t = std::clamp(v / (limit > 0 ? limit : 1), -1.0, 1.0);
    // White at zero, to blue below and to red above.
    const auto mix = [](double a, double b, double f) { return static_cast<int>(std::lround(a + (b - a) * f)); };
    return t < 0 ? QColor(mix(255, 33, -t), mix(255, 102, -t), mix(255, 172, -t))
                 : QColor(mix(255, 178, t), mix(255, 24, t), mix(255, 43, t));
}

void paint_grid(const Chart& chart, QPainter& painter, QSize size, double line) {
    const ChartGrid& g = chart.grid;
    const QRectF box(QPointF(95, 2 * line + kTitleGap), QPointF(size.width() - 75.0, size.height() - 5.0 * line));
    if (box.width() < 10 || box.height() < 10) return;
    const double cw = box.width() / g.cols, ch = box.height() / g.rows;
    for (int r = 0; r < g.rows; ++r) {
        for (int c = 0; c < g.cols; ++c) {
            const int cell = r * g.cols + c;
            const std::size_t i = static_cast<std::size_t>(cell);
            const double v = i < g.values.size() ? g.values[i] : std::nan("");
            painter.fillRect(QRectF(box.left() + c * cw, box.top() + r * ch, cw, ch), diverging(v, g.limit));
        }
    }
    painter.setPen(QPen(QColor(0, 0, 0, 40), 1));
    for (int c = 1; c < g.cols; ++c)
        painter.drawLine(QPointF(box.left() + c * cw, box.top()), QPointF(box.left() + c * cw, box.bottom()));
    for (int r = 1; r < g.rows; ++r)
        painter.drawLine(QPointF(box.left(), box.top() + r * ch), QPointF(box.right(), box.top() + r * ch));
    painter.setPen(QPen(Qt::black, 1.5));
    for (int c = g.block_cols; c < g.cols; c += g.block_cols)
        painter.drawLine(QPointF(box.left() + c * cw, box.top()), QPointF(box.left() + c * cw, box.bottom()));
    for (int r = g.block_rows; r < g.rows; r += g.block_rows)
        painter.drawLine(QPointF(box.left(), box.top() + r * ch), QPointF(box.right(), box.top() + r * ch));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(box);
    if (g.outlined >= 0 && g.outlined < g.rows * g.cols) {
        painter.setPen(QPen(Qt::black, 2.5));
        const int row = g.outlined / g.cols, col = g.outlined % g.cols;
        painter.drawRect(QRectF(box.left() + col * cw, box.top() + row * ch, cw, ch));
    }
    // The blocks' labels: under the columns and left of the rows.
    painter.setPen(Qt::black);
    const double bw = cw * g.block_cols, bh = ch * g.block_rows;
    for (std::size_t b = 0; b < g.col_blocks.size(); ++b) {
        painter.drawText(QRectF(box.left() + static_cast<double>(b) * bw, box.bottom() + kLabelGap, bw, line),
                         Qt::AlignHCenter, QString::fromStdString(g.col_blocks[b]));
    }
    for (std::size_t b = 0; b < g.row_blocks.size(); ++b) {
        painter.drawText(QRectF(2, box.top() + static_cast<double>(b) * bh, box.left() - kLabelGap - 4, bh),
                         Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap, QString::fromStdString(g.row_blocks[b]));
    }
    painter.drawText(QRectF(box.left(), box.bottom() + kLabelGap + line, box.width(), line), Qt::AlignHCenter,
                     QString::fromStdString(chart.x_label));
    painter.drawText(QRectF(4, box.bottom() + kLabelGap + 2 * line, size.width() - 8, 2.6 * line),
                     Qt::AlignLeft | Qt::TextWordWrap, QString::fromStdString(g.note));
    // The colour bar, with the scale's ends and zero.
    const QRectF bar(box.right() + 12, box.top(), 12, box.height());
    for (int y = 0; y < static_cast<int>(bar.height()); ++y) {
        const double v = g.limit * (1 - 2 * (y + 0.5) / bar.height());
        painter.fillRect(QRectF(bar.left(), bar.top() + y, bar.width(), 1.0), diverging(v, g.limit));
    }
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(bar);
    const auto bar_label = [&](double v, double y) {
        painter.drawText(QRectF(bar.right() + 3, y - line / 2, 60, line), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::number(v, 'g', 2));
    };
    bar_label(g.limit, bar.top());
    bar_label(0, bar.center().y());
    bar_label(-g.limit, bar.bottom());
    painter.save();
    painter.translate(size.width() - 4.0, box.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-box.height() / 2, -line, box.height(), line), Qt::AlignHCenter,
                     QString::fromStdString(g.color_label));
    painter.restore();
}

}  // namespace

void paint_chart(const Chart& chart, QPainter& painter, QSize size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(QRectF(QPointF(0, 0), QSizeF(size)), kWindowGrey);
    painter.setFont(axes_font());
    const QFontMetricsF metrics(painter.font());
    const double line = metrics.height();
    if (chart.grid.rows > 0 && chart.grid.cols > 0) {
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, line * 0.5, size.width(), line), Qt::AlignHCenter,
                         QString::fromStdString(chart.title));
        paint_grid(chart, painter, size, line);
        painter.restore();
        return;
    }
    const auto legend_lines = static_cast<double>(
        std::count_if(chart.lines.begin(), chart.lines.end(), [](const ChartLine& l) { return !l.label.empty(); }));
    const QRectF box(QPointF(std::max(60.0, size.width() * 0.12), 2 * line + kTitleGap),
                     QPointF(size.width() - 20.0, size.height() - (2.5 + legend_lines) * line - kTickLength));
    if (box.width() < 10 || box.height() < 10) {
        painter.restore();
        return;
    }
    const Scale scale(chart, box);
    painter.fillRect(box, Qt::white);

    // Grid at the y ticks, as a log axis reads best.
    const std::vector<double> yt = y_ticks(chart, box.height());
    QColor grid(Qt::black);
    grid.setAlphaF(0.15f);
    painter.setPen(QPen(grid, 1, Qt::DotLine));
    for (double t : yt) painter.drawLine(QPointF(box.left(), scale.py(t)), QPointF(box.right(), scale.py(t)));

    painter.save();
    painter.setClipRect(box.adjusted(-2, -2, 2, 2));
    for (const ChartMark& m : chart.marks) {
        painter.setPen(QPen(QColor(0, 128, 0), 1, Qt::DashLine));
        const double y = scale.py(m.y);
        painter.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
    }
    for (const ChartLine& l : chart.lines) paint_line(l, scale, painter);
    painter.restore();
    for (const ChartMark& m : chart.marks) {
        painter.setPen(QColor(0, 128, 0));
        painter.drawText(QRectF(box.left() + 4, scale.py(m.y) + 1, box.width() - 8, line), Qt::AlignRight,
                         QString::fromStdString(m.label));
    }

    // Box, ticks and labels.
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    for (double t : tick_values(chart.x_min, scale.x_max(), box.width(), kXLabelSpacing)) {
        const double x = scale.px(t);
        painter.drawLine(QPointF(x, box.bottom()), QPointF(x, box.bottom() - kTickLength));
        const QString text = QString::fromStdString(tick_label(t, 1));
        painter.drawText(QRectF(x - 40, box.bottom() + kLabelGap, 80, line), Qt::AlignHCenter | Qt::AlignTop, text);
    }
    for (double t : yt) {
        const double y = scale.py(t);
        painter.drawLine(QPointF(box.left(), y), QPointF(box.left() + kTickLength, y));
        painter.drawText(QRectF(0, y - line / 2, box.left() - kLabelGap - 2, line), Qt::AlignRight | Qt::AlignVCenter,
                         y_tick_label(t, chart.log_y));
    }
    painter.drawText(QRectF(box.left(), box.bottom() + kLabelGap + line, box.width(), line), Qt::AlignHCenter,
                     QString::fromStdString(chart.x_label));
    painter.save();
    painter.translate(line * 0.2, box.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-box.height() / 2, 0, box.height(), line), Qt::AlignHCenter,
                     QString::fromStdString(chart.y_label));
    painter.restore();
    painter.drawText(QRectF(0, line * 0.5, size.width(), line), Qt::AlignHCenter, QString::fromStdString(chart.title));

    // Legend: the labelled lines, under the axis label.
    double ly = box.bottom() + kLabelGap + 2.2 * line;
    for (const ChartLine& l : chart.lines) {
        if (l.label.empty()) continue;
        QPen pen(color_of(l.color), std::max(l.width, 1.5));
        if (l.dashed) pen.setStyle(Qt::DashLine);
        painter.setPen(pen);
        painter.drawLine(QPointF(10, ly + line / 2), QPointF(30, ly + line / 2));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(36, ly, size.width() - 40, line), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromStdString(l.label));
        ly += line;
    }
    painter.restore();
}

QImage render_chart(const Chart& chart, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    paint_chart(chart, painter, size);
    return image;
}

}  // namespace rt
