#include "runtime/graphics/units.hpp"

#include "runtime/graphics/property_schema.hpp"

namespace rt {

Units units_of(const Value& stored) noexcept {
    if (text_is(stored, "normalized")) return Units::Normalized;
    if (text_is(stored, "inches")) return Units::Inches;
    if (text_is(stored, "centimeters")) return Units::Centimeters;
    if (text_is(stored, "points")) return Units::Points;
    if (text_is(stored, "characters")) return Units::Characters;
    return Units::Pixels;
}

void pixels_per_unit(Units u, double ref_width, double ref_height, double& per_x, double& per_y) noexcept {
    switch (u) {
        case Units::Pixels: per_x = per_y = 1; break;
        case Units::Normalized:
            per_x = ref_width;
            per_y = ref_height;
            break;
        case Units::Inches: per_x = per_y = kPixelsPerInch; break;
        case Units::Centimeters: per_x = per_y = kPixelsPerInch / 2.54; break;
        case Units::Points: per_x = per_y = kPixelsPerInch / 72; break;
        case Units::Characters:
            per_x = kCharacterWidth;
            per_y = kCharacterHeight;
            break;
    }
}

PixelRect to_pixels(const Value& rect, Units u, double ref_width, double ref_height) noexcept {
    if (rect.numel() != 4) return {};
    double px = 1, py = 1;
    pixels_per_unit(u, ref_width, ref_height, px, py);
    return {rect[0] * px, rect[1] * py, rect[2] * px, rect[3] * py};
}

Value from_pixels(const PixelRect& r, Units u, double ref_width, double ref_height) {
    double px = 1, py = 1;
    pixels_per_unit(u, ref_width, ref_height, px, py);
    // A window or control of no size would make normalized units divide by 0.
    if (px == 0) px = 1;
    if (py == 0) py = 1;
    return Value::row({r.left / px, r.bottom / py, r.width / px, r.height / py});
}

}  // namespace rt
