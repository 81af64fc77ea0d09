#include "runtime/graphics/line_style.hpp"

#include <array>
#include <utility>
#include <vector>

#include "runtime/graphics/property_schema.hpp"

namespace rt {

namespace {

struct NamedColor {
    char letter;
    const char* name;
    Rgb rgb;
};

constexpr std::array<NamedColor, 8> kColors = {{
    {'b', "blue", {0, 0, 1}},
    {'g', "green", {0, 1, 0}},
    {'r', "red", {1, 0, 0}},
    {'c', "cyan", {0, 1, 1}},
    {'m', "magenta", {1, 0, 1}},
    {'y', "yellow", {1, 1, 0}},
    {'k', "black", {0, 0, 0}},
    {'w', "white", {1, 1, 1}},
}};

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equal_nocase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

const char* marker_name(char c) {
    switch (c) {
        case '+': return "+";
        case 'o': return "o";
        case '*': return "*";
        case '.': return ".";
        case 'x': return "x";
        case 's': return "square";
        case 'd': return "diamond";
        case '^': return "^";
        case 'v': return "v";
        case '>': return ">";
        case '<': return "<";
        case 'p': return "pentagram";
        case 'h': return "hexagram";
        default: return nullptr;
    }
}

}  // namespace

std::optional<Rgb> named_color(std::string_view text) noexcept {
    for (const auto& c : kColors) {
        if ((text.size() == 1 && lower(text[0]) == c.letter) || equal_nocase(text, c.name)) {
            return c.rgb;
        }
    }
    return std::nullopt;
}

Value color_value(const Rgb& c) {
    // A learning step colours a cart and a marker: no allocation for that.
    static const std::array<Value, 8> letters = [] {
        std::array<Value, 8> v;
        for (int i = 0; i < 8; ++i) {
            v[static_cast<std::size_t>(i)] = Value::row({double(i >> 2), double((i >> 1) & 1), double(i & 1)});
        }
        return v;
    }();
    auto bit = [](double x) { return x == 0 ? 0 : x == 1 ? 1 : -1; };
    const int r = bit(c.r), g = bit(c.g), b = bit(c.b);
    if (r < 0 || g < 0 || b < 0) return Value::row({c.r, c.g, c.b});
    const int letter = r * 4 + g * 2 + b;
    return letters[static_cast<std::size_t>(letter)];
}

std::optional<LineSpec> parse_line_spec(std::string_view text) {
    LineSpec parsed;
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '-' || c == ':') {
            if (!parsed.line_style.empty()) return std::nullopt;
            if (c == '-' && i + 1 < text.size() && (text[i + 1] == '-' || text[i + 1] == '.')) {
                parsed.line_style = text.substr(i, 2);
                i += 2;
            } else {
                parsed.line_style = std::string(1, c);
                ++i;
            }
            continue;
        }
        if (auto color = (c >= 'a' && c <= 'z') ? named_color(text.substr(i, 1)) : std::nullopt) {
            if (parsed.color) return std::nullopt;
            parsed.color = color;
            ++i;
            continue;
        }
        if (const char* marker = marker_name(c)) {
            if (!parsed.marker.empty()) return std::nullopt;
            parsed.marker = marker;
            ++i;
            continue;
        }
        return std::nullopt;
    }
    return parsed;
}

std::optional<LineStyleValues> line_style_values(std::string_view text) {
    // Few distinct line styles appear in a session; past the limit the
    // kept ones are dropped and gathered again.
    constexpr std::size_t kKept = 16;
    static std::vector<std::pair<std::string, std::optional<LineStyleValues>>> kept;
    for (const auto& [seen, values] : kept) {
        if (seen == text) return values;
    }
    std::optional<LineStyleValues> values;
    if (std::optional<LineSpec> parsed = parse_line_spec(text)) {
        values.emplace();
        if (parsed->color) values->color = color_value(*parsed->color);
        if (!parsed->marker.empty()) {
            values->marker = choice_word(ObjectType::Line, PropertyId::Marker, parsed->marker);
            if (parsed->line_style.empty())
                values->line_style = choice_word(ObjectType::Line, PropertyId::LineStyle, "none");
        }
        if (!parsed->line_style.empty()) {
            values->line_style = choice_word(ObjectType::Line, PropertyId::LineStyle, parsed->line_style);
        }
        values->has_color = !values->color.is_empty();
        values->has_marker = !values->marker.is_empty();
        values->has_line_style = !values->line_style.is_empty();
    }
    if (kept.size() == kKept) kept.clear();
    kept.emplace_back(std::string(text), values);
    return values;
}

}  // namespace rt
