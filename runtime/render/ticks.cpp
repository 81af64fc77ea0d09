#include "runtime/render/ticks.hpp"

#include <algorithm>
#include <cmath>

#include "runtime/array/text.hpp"

namespace rt {

namespace {

// Enough to keep a broken range from looping for long.
constexpr int kMaxTicks = 50;

}  // namespace

std::vector<double> tick_values(double lo, double hi, double pixels, double spacing) {
    std::vector<double> out;
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo)) return out;
    int wanted = static_cast<int>(std::clamp(std::floor(pixels / std::max(spacing, 1.0)), 1.0, 10.0));
    double raw = (hi - lo) / wanted;
    double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * power;
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * power >= raw * (1 - 1e-9)) {
            step = m * power;
            break;
        }
    }
    double first = std::ceil(lo / step - 1e-9);
    for (int i = 0; i < kMaxTicks; ++i) {
        double v = (first + i) * step;
        if (v > hi + step * 1e-9) break;
        out.push_back(std::abs(v) < step * 1e-9 ? 0.0 : v);
    }
    return out;
}

std::string tick_label(double value, double step) {
    if (std::abs(value) < std::abs(step) * 1e-9) value = 0;
    return num2str(value);
}

}  // namespace rt
