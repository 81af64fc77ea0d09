#pragma once
// Colours and line styles as the drawing functions accept them.

#include <optional>
#include <string>
#include <string_view>

#include "runtime/array/value.hpp"
#include "runtime/graphics/graphics_object.hpp"

namespace rt {

// A colour letter (b g r c m y k w) or name ("blue", "red", ...; any case),
// or nullopt.
std::optional<Rgb> named_color(std::string_view text) noexcept;

// [r g b] as a stored colour value; the eight letter colours are made once
// and shared.
Value color_value(const Rgb& c);

// The parts of a line style such as "r>", "b-", "k:", "--o";
// each part may be absent. A marker without a line style means no line.
struct LineSpec {
    std::optional<Rgb> color;
    std::string line_style;  // "-", "--", ":", "-." or empty
    std::string marker;      // "o", "+", "*", ".", "x", "square", "diamond",
                             // "^", "v", ">", "<", "pentagram", "hexagram" or empty
};
// Nullopt when `text` is not a line style.
std::optional<LineSpec> parse_line_spec(std::string_view text);

// The stored values a line style gives a plotted line: empty Values
// for the parts it leaves to the defaults. A marker without a line style
// brings the line style "none".
struct LineStyleValues {
    Value color, marker, line_style;
    // Which of the three the style gives (is not empty), found once.
    bool has_color = false, has_marker = false, has_line_style = false;
};
// Nullopt when `text` is not a line style. The values of the last
// few line styles are kept, since a learning run plots the same constant
// line style at every step.
std::optional<LineStyleValues> line_style_values(std::string_view text);

}  // namespace rt
