#include "runtime/render/ticks.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "runtime/array/text.hpp"

namespace rt {

namespace {

// Enough to keep a broken range from looping for long.
constexpr int kMaxTicks = 50;

}  // namespace

std::vector<double> tick_values(double lo, double hi, double pixels, double spacing) {
    std::vector<double> out;
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo)) return out;
    const double room = std::isfinite(pixels) ? pixels / std::max(spacing, 1.0) : 1.0;
    const int wanted = static_cast<int>(std::clamp(std::floor(room), 1.0, 10.0));
    // In halves: limits near both ends of the double range must not overflow.
    const double raw = std::min((hi / 2 - lo / 2) / wanted * 2, std::numeric_limits<double>::max());
    if (!(raw > 0)) return out;  // a range below the smallest double step
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * power;
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * power >= raw * (1 - 1e-9)) {
            step = m * power;
            break;
        }
    }
    // A step past the largest double: the power alone, more ticks than wanted.
    if (!std::isfinite(step)) step = power;
    if (!std::isfinite(step) || !(step > 0)) return out;
    const double first = std::ceil(lo / step - 1e-9);
    for (int i = 0; i < kMaxTicks; ++i) {
        const double v = (first + i) * step;
        if (!std::isfinite(v) || v > hi + step * 1e-9) break;
        const double tick = std::abs(v) < step * 1e-9 ? 0.0 : v;
        // Steps below the rounding of values this large repeat the same value.
        if (!out.empty() && tick <= out.back()) continue;
        out.push_back(tick);
    }
    return out;
}

std::string tick_label(double value, double step) {
    if (std::abs(value) < std::abs(step) * 1e-9) value = 0;
    // num2str shows a value this large with every digit a double has
    // ("5.0000000000000001e+307"); the step says how many tell ticks apart.
    if (std::isfinite(value) && std::abs(value) >= 1e15 && std::isfinite(step) && step > 0) {
        const int digits =
            std::clamp(static_cast<int>(std::floor(std::log10(std::abs(value))) - std::floor(std::log10(step))) + 1, 1,
                       17);
        char text[40];
        return std::string(text,
                           std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits).ptr);
    }
    return num2str(value);
}

}  // namespace rt
