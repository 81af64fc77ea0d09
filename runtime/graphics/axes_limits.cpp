// Automatic axis limits: the data range of the axes' visible children,
// rounded out to a tidy step (1, 2 or 5 times a power of ten) so that the
// ends fall on tick marks.
#include <algorithm>
#include <cmath>
#include <limits>

#include "runtime/graphics/data_ranges.hpp"
#include "runtime/graphics/property_schema.hpp"

namespace rt {

namespace {

using P = PropertyId;

// Data spread over less than this (relative to their size, or at all) are
// drawn as one value: their range has no round steps a double can tell
// apart, or is too narrow for its inverse to be a double.
constexpr double kNarrowestRelative = 1e-12;
constexpr double kNarrowestAbsolute = 1e-300;

// Limits around a single value v: v -+ 1, or -+ an eighth of v where 1 is
// lost in v's rounding, kept inside the double range.
void around(double v, double out[2]) {
    const double pad = std::max(1.0, std::abs(v) / 8);
    const double big = std::numeric_limits<double>::max();
    out[0] = std::max(v - pad, -big);
    out[1] = std::min(v + pad, big);
}

void tidy(const DataRange& r, double out[2]) {
    if (r.empty()) {
        out[0] = 0;
        out[1] = 1;
        return;
    }
    // Halves, so that data near both ends of the double range do not overflow.
    const double half_span = r.hi / 2 - r.lo / 2;
    const double size = std::max(std::abs(r.lo), std::abs(r.hi));
    if (half_span * 2 < kNarrowestAbsolute || half_span * 2 < size * kNarrowestRelative) {
        around(r.lo / 2 + r.hi / 2, out);
        return;
    }
    const double raw = half_span / 5 * 2;
    double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        step = m * power;
        if (step >= raw) break;
    }
    out[0] = std::floor(r.lo / step) * step;
    out[1] = std::ceil(r.hi / step) * step;
    // Rounding out past the largest double keeps the data's own end.
    if (!std::isfinite(out[0])) out[0] = r.lo;
    if (!std::isfinite(out[1])) out[1] = r.hi;
}

// Surfaces without XData or YData stand on the column and row numbers.
void add_index_range(DataRange& r, std::size_t n) {
    if (n == 0) return;
    r.add(1);
    r.add(static_cast<double>(n));
}

void add_all(DataRange& r, const Value& v) {
    for (std::size_t i = 0; i < v.numel(); ++i) r.add(v[i]);
}

}  // namespace

DataRanges data_ranges(const GraphicsObject& child) {
    DataRanges d;
    if (!child.is(P::Visible, "on") || child.being_deleted()) return d;
    switch (child.type()) {
        case ObjectType::Line: {
            add_all(d.x, child.value(P::XData));
            add_all(d.y, child.value(P::YData));
            const Value& zd = child.value(P::ZData);
            if (zd.is_empty()) d.z.add(0);
            else add_all(d.z, zd);
            break;
        }
        case ObjectType::Rectangle: {
            const Value& p = child.value(P::Position);
            if (p.numel() == 4) {
                d.x.add(p[0]);
                d.x.add(p[0] + p[2]);
                d.y.add(p[1]);
                d.y.add(p[1] + p[3]);
                d.z.add(0);
            }
            break;
        }
        case ObjectType::Surface: {
            const Value& zd = child.value(P::ZData);
            const Value& xd = child.value(P::XData);
            const Value& yd = child.value(P::YData);
            if (xd.is_empty()) add_index_range(d.x, zd.cols());
            else add_all(d.x, xd);
            if (yd.is_empty()) add_index_range(d.y, zd.rows());
            else add_all(d.y, yd);
            add_all(d.z, zd);
            add_all(d.c, child.value(P::CData));
            break;
        }
        default: break;
    }
    return d;
}

AxesLimits effective_limits(const GraphicsObject& axes) {
    if (axes.type() != ObjectType::Axes) return AxesLimits{{0, 1}, {0, 1}, {0, 1}, {0, 1}};
    DataRanges data;
    for (const GraphicsObject* child : axes.children()) data.add(data_ranges(*child));
    return limits_for(axes, data);
}

AxesLimits limits_for(const GraphicsObject& axes, const DataRanges& data) {
    if (axes.type() != ObjectType::Axes) return AxesLimits{{0, 1}, {0, 1}, {0, 1}, {0, 1}};
    const DataRange& c = data.c;
    AxesLimits lim{};
    const double* manual[4] = {axes.value(P::XLim).data(), axes.value(P::YLim).data(), axes.value(P::ZLim).data(),
                               axes.value(P::CLim).data()};
    PropertyId modes[4] = {P::XLimMode, P::YLimMode, P::ZLimMode, P::CLimMode};
    const DataRange* ranges[4] = {&data.x, &data.y, &data.z, &data.c};
    double* outs[4] = {lim.x, lim.y, lim.z, lim.c};
    for (int i = 0; i < 4; ++i) {
        if (axes.is(modes[i], "manual")) {
            outs[i][0] = manual[i][0];
            outs[i][1] = manual[i][1];
        } else if (i == 3) {
            // Colour limits follow the data exactly: no tick marks to meet.
            if (c.empty()) {
                outs[i][0] = 0;
                outs[i][1] = 1;
            } else if (c.lo == c.hi) {
                outs[i][0] = c.lo - 1;
                outs[i][1] = c.hi + 1;
            } else {
                outs[i][0] = c.lo;
                outs[i][1] = c.hi;
            }
        } else {
            tidy(*ranges[i], outs[i]);
        }
    }
    return lim;
}

}  // namespace rt
