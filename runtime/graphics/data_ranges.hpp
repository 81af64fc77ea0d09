#pragma once
// The data behind automatic axis limits, object by object. effective_limits
// reads every child's data; a painter that repaints a window holding
// thousands of surfaces keeps each object's ranges instead and combines
// them, reading only the data of objects that are new or changed.

#include <cmath>
#include <limits>

#include "runtime/graphics/graphics_object.hpp"

namespace rt {

struct DataRange {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();

    // Values that are not finite (NaN gaps, infinities) span nothing.
    void add(double v) noexcept {
        if (!std::isfinite(v)) return;
        if (v < lo) lo = v;
        if (v > hi) hi = v;
    }
    void add(const DataRange& r) noexcept {
        if (r.lo < lo) lo = r.lo;
        if (r.hi > hi) hi = r.hi;
    }
    bool empty() const noexcept { return lo > hi; }
    bool operator==(const DataRange&) const = default;
};

struct DataRanges {
    DataRange x, y, z, c;

    void add(const DataRanges& o) noexcept {
        x.add(o.x);
        y.add(o.y);
        z.add(o.z);
        c.add(o.c);
    }
    bool operator==(const DataRanges&) const = default;
};

// What one plotted object adds to its axes' automatic limits: nothing when
// it is invisible, being deleted, or of a kind that does not count.
DataRanges data_ranges(const GraphicsObject& obj);
// The limits `axes` shows when its children's data spans `data`: the manual
// limits where the mode is manual, else the data rounded out to tidy steps.
AxesLimits limits_for(const GraphicsObject& axes, const DataRanges& data);

}  // namespace rt
