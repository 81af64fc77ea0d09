#include "experiments/sweep_plot.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include "experiments/bad_input.hpp"
#include "experiments/value_list.hpp"
#include "runtime/render/colormap.hpp"
#include "runtime/render/ticks.hpp"
#include "runtime/window/offscreen_toolkit.hpp"

namespace sys::sweep {

namespace {

constexpr int kWidth = 720, kHeight = 540;
const QRectF kPlotBox(90, 60, 500, 400);  // room for labels left and below, a colour bar right

QString qtext(const std::string& s) { return QString::fromStdString(s); }

std::vector<double> distinct_values(const std::vector<SettingSummary>& sums, int p) {
    std::vector<double> v;
    for (const SettingSummary& s : sums) v.push_back(parameter_value(s.setting, p));
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    return v;
}

void draw_title(QPainter& p, const QString& title, const QString& note) {
    QFont f = p.font();
    f.setPointSizeF(13);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRectF(0, 8, kWidth, 26), Qt::AlignCenter, title);
    f.setPointSizeF(9);
    p.setFont(f);
    p.drawText(QRectF(0, 32, kWidth, 20), Qt::AlignCenter, note);
}

void draw_axis_names(QPainter& p, const QString& x, const QString& y) {
    p.setPen(Qt::black);
    p.drawText(QRectF(kPlotBox.left(), kPlotBox.bottom() + 36, kPlotBox.width(), 20), Qt::AlignCenter, x);
    p.save();
    p.translate(22, kPlotBox.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-kPlotBox.height() / 2, -10, kPlotBox.height(), 20), Qt::AlignCenter, y);
    p.restore();
}

// A cross through the middle of `r`.
void draw_cross(QPainter& p, const QRectF& r, const QColor& colour) {
    p.setPen(QPen(colour, 2));
    const double d = std::min(r.width(), r.height()) * 0.3;
    const QPointF c = r.center();
    p.drawLine(c + QPointF(-d, -d), c + QPointF(d, d));
    p.drawLine(c + QPointF(-d, d), c + QPointF(d, -d));
}

void draw_colour_bar(QPainter& p, double lo, double hi) {
    const QRectF bar(kPlotBox.right() + 30, kPlotBox.top(), 20, kPlotBox.height());
    for (int i = 0; i < rt::kColormapSize; ++i) {
        const double h = bar.height() / rt::kColormapSize;
        p.fillRect(QRectF(bar.left(), bar.bottom() - (i + 1) * h, bar.width(), h + 0.5), rt::colormap_entry(i));
    }
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(bar);
    const std::vector<double> ticks = rt::tick_values(lo, hi, bar.height(), 40);
    const double step = ticks.size() > 1 ? ticks[1] - ticks[0] : 1;
    for (double t : ticks) {
        const double y = bar.bottom() - (t - lo) / (hi - lo) * bar.height();
        p.drawLine(QPointF(bar.right(), y), QPointF(bar.right() + 4, y));
        p.drawText(QRectF(bar.right() + 6, y - 8, 70, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   qtext(rt::tick_label(t, step)));
    }
}

void paint_heat_map(QPainter& p, const std::vector<SettingSummary>& sums, int px, int py) {
    const std::vector<double> xs = distinct_values(sums, px), ys = distinct_values(sums, py);
    double lo = INFINITY, hi = -INFINITY;
    for (const SettingSummary& s : sums) {
        if (std::isnan(s.trials_median)) continue;
        lo = std::min(lo, s.trials_median);
        hi = std::max(hi, s.trials_median);
    }
    if (!(lo <= hi)) lo = 0, hi = 1;
    if (lo == hi) lo -= 0.5, hi += 0.5;

    const double cw = kPlotBox.width() / xs.size(), ch = kPlotBox.height() / ys.size();
    p.fillRect(kPlotBox, QColor(230, 230, 230));
    for (const SettingSummary& s : sums) {
        const auto i = std::find(xs.begin(), xs.end(), parameter_value(s.setting, px)) - xs.begin();
        const auto j = std::find(ys.begin(), ys.end(), parameter_value(s.setting, py)) - ys.begin();
        const QRectF r(kPlotBox.left() + i * cw, kPlotBox.bottom() - (j + 1) * ch, cw, ch);
        if (std::isnan(s.trials_median)) {
            p.fillRect(r, QColor(200, 200, 200));
            draw_cross(p, r, QColor(120, 0, 0));
            continue;
        }
        const int entry = rt::colormap_index(s.trials_median, lo, hi);
        p.fillRect(r, rt::colormap_entry(entry));
        if (cw >= 36 && ch >= 18) {
            p.setPen(entry < rt::kColormapSize / 2 ? Qt::white : Qt::black);
            // Rounded as the summary table rounds it, so the two agree.
            char text[32];
            std::snprintf(text, sizeof text, "%.0f", s.trials_median);
            QString label = text;
            if (s.converged < s.runs) label += "*";
            p.drawText(r, Qt::AlignCenter, label);
        }
    }
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(kPlotBox);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        p.drawText(QRectF(kPlotBox.left() + i * cw, kPlotBox.bottom() + 4, cw, 18), Qt::AlignCenter,
                   qtext(number_text(xs[i])));
    }
    for (std::size_t j = 0; j < ys.size(); ++j) {
        p.drawText(QRectF(kPlotBox.left() - 64, kPlotBox.bottom() - (j + 1) * ch, 58, ch),
                   Qt::AlignRight | Qt::AlignVCenter, qtext(number_text(ys[j])));
    }
    draw_colour_bar(p, lo, hi);
    draw_axis_names(p, parameter_name(px), parameter_name(py));
    draw_title(p, "Median trials to success",
               QString::fromUtf8("crossed out: no run converged;  *: some runs did not converge"));
}

void paint_line(QPainter& p, const std::vector<SettingSummary>& sums, int px) {
    std::vector<const SettingSummary*> points;
    for (const SettingSummary& s : sums) points.push_back(&s);
    std::sort(points.begin(), points.end(), [px](const SettingSummary* a, const SettingSummary* b) {
        return parameter_value(a->setting, px) < parameter_value(b->setting, px);
    });
    double x_lo = parameter_value(points.front()->setting, px), x_hi = parameter_value(points.back()->setting, px);
    if (x_lo == x_hi) x_lo -= 0.5, x_hi += 0.5;
    const double pad = (x_hi - x_lo) * 0.05;
    x_lo -= pad, x_hi += pad;
    double y_hi = 0;
    for (const SettingSummary* s : points) {
        if (!std::isnan(s->trials_q3)) y_hi = std::max(y_hi, s->trials_q3);
    }
    y_hi = y_hi > 0 ? y_hi * 1.1 : 1;
    const auto X = [&](double v) { return kPlotBox.left() + (v - x_lo) / (x_hi - x_lo) * kPlotBox.width(); };
    const auto Y = [&](double v) { return kPlotBox.bottom() - v / y_hi * kPlotBox.height(); };

    p.fillRect(kPlotBox, Qt::white);
    p.setPen(Qt::black);
    const std::vector<double> xt = rt::tick_values(x_lo, x_hi, kPlotBox.width(), 70);
    const std::vector<double> yt = rt::tick_values(0, y_hi, kPlotBox.height(), 40);
    for (double t : xt) {
        p.setPen(QColor(225, 225, 225));
        p.drawLine(QPointF(X(t), kPlotBox.top()), QPointF(X(t), kPlotBox.bottom()));
        p.setPen(Qt::black);
        p.drawText(QRectF(X(t) - 40, kPlotBox.bottom() + 4, 80, 18), Qt::AlignCenter,
                   qtext(rt::tick_label(t, xt.size() > 1 ? xt[1] - xt[0] : 1)));
    }
    for (double t : yt) {
        p.setPen(QColor(225, 225, 225));
        p.drawLine(QPointF(kPlotBox.left(), Y(t)), QPointF(kPlotBox.right(), Y(t)));
        p.setPen(Qt::black);
        p.drawText(QRectF(kPlotBox.left() - 70, Y(t) - 9, 64, 18), Qt::AlignRight | Qt::AlignVCenter,
                   qtext(rt::tick_label(t, yt.size() > 1 ? yt[1] - yt[0] : 1)));
    }

    // The band and the line run through consecutive settings that converged.
    const QColor line_colour = rt::colormap_entry(rt::kColormapSize / 3);
    std::vector<std::vector<const SettingSummary*>> stretches(1);
    for (const SettingSummary* s : points) {
        if (std::isnan(s->trials_median)) stretches.emplace_back();
        else stretches.back().push_back(s);
    }
    p.setRenderHint(QPainter::Antialiasing);
    for (const auto& run : stretches) {
        if (run.empty()) continue;
        QPolygonF band, median;
        for (const SettingSummary* s : run) band << QPointF(X(parameter_value(s->setting, px)), Y(s->trials_q3));
        for (auto it = run.rbegin(); it != run.rend(); ++it)
            band << QPointF(X(parameter_value((*it)->setting, px)), Y((*it)->trials_q1));
        for (const SettingSummary* s : run) median << QPointF(X(parameter_value(s->setting, px)), Y(s->trials_median));
        QColor fill = line_colour;
        fill.setAlpha(70);
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawPolygon(band);
        p.setPen(QPen(line_colour, 2));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(median);
        p.setBrush(line_colour);
        for (const QPointF& m : median) p.drawEllipse(m, 3.5, 3.5);
    }
    for (const SettingSummary* s : points) {
        if (!std::isnan(s->trials_median)) continue;
        const double x = X(parameter_value(s->setting, px));
        draw_cross(p, QRectF(x - 12, kPlotBox.top() + 4, 24, 24), QColor(180, 0, 0));
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(kPlotBox);
    draw_axis_names(p, parameter_name(px), "trials to success");
    draw_title(p, "Median trials to success, with quartiles",
               QString::fromUtf8("crossed out at the top: no run converged"));
}

}  // namespace

void check_plottable(const std::vector<RunSetting>& settings) {
    if (settings.empty()) throw BadInput("--plot: the sweep has no runs to plot");
    for (const RunSetting& s : settings) {
        if (s.random != settings.front().random)
            throw BadInput("--plot: a plot shows random terms on or off, not both");
    }
    const std::size_t n = varied_parameters(settings).size();
    if (n < 1 || n > 2)
        throw BadInput("--plot: a plot needs one or two varied parameters, the sweep varies " + std::to_string(n));
}

void save_sweep_plot(const std::vector<SettingSummary>& summaries, const std::string& path) {
    std::vector<RunSetting> settings;
    for (const SettingSummary& s : summaries) settings.push_back(s.setting);
    check_plottable(settings);
    const rt::OffscreenToolkit toolkit;

    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        const std::vector<int> varied = varied_parameters(settings);
        if (varied.size() == 2) paint_heat_map(p, summaries, varied[0], varied[1]);
        else paint_line(p, summaries, varied[0]);
    }
    if (!image.save(QString::fromStdString(path), "PNG")) throw BadInput("--plot: cannot write '" + path + "'");
}

}  // namespace sys::sweep
