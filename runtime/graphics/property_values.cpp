// The rules for the values each kind of property accepts.
#include <cmath>
#include <string>

#include "runtime/array/error.hpp"
#include "runtime/array/text.hpp"
#include "runtime/graphics/line_style.hpp"
#include "runtime/graphics/property_schema.hpp"

namespace rt {

namespace {

char16_t lower_code(double c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char16_t>(c - 'A' + 'a') : static_cast<char16_t>(c);
}

bool is_char_row(const Value& v) { return v.is_char() && (v.rows() == 1 || v.is_empty()); }

bool all_finite(const Value& v) {
    const double* d = v.data();
    const std::size_t n = v.numel();
    for (std::size_t i = 0; i < n; ++i) {
        if (!std::isfinite(d[i])) return false;
    }
    return true;
}

bool numeric(const Value& v) { return v.is_double() || v.is_logical(); }

// A 1-by-n double row holding v's elements; v itself when it already is one.
Value as_row(const Value& v) {
    if (v.is_double() && v.rows() == 1) return v;
    std::vector<double> xs(v.data(), v.data() + v.numel());
    return Value::row(xs);
}

std::string constraint_words(Constraint c) {
    switch (c) {
        case Constraint::Positive: return " greater than 0";
        case Constraint::NonNegative: return " not negative";
        case Constraint::UnitInterval: return " from 0 to 1";
        default: return "";
    }
}

bool meets(Constraint c, double x) {
    switch (c) {
        case Constraint::Positive: return x > 0;
        case Constraint::NonNegative: return x >= 0;
        case Constraint::UnitInterval: return x >= 0 && x <= 1;
        default: return true;
    }
}

std::string color_expected(const ChoiceList* words) {
    std::string s = "expected [r g b] with values from 0 to 1, a colour letter (b g r c m y k w) or a colour name";
    if (words) s += ", or " + words->expected;
    return s;
}

Value accept_color(ObjectType type, const PropertySpec& prop, const Value& v) {
    if (v.is_char()) {
        if (prop.choices) {
            int i = prop.choices->match(v);
            if (i >= 0) return prop.choices->values[static_cast<std::size_t>(i)];
        }
        if (auto c = named_color(v.text())) return color_value(*c);
    } else if (numeric(v) && v.numel() == 3 && (v.rows() == 1 || v.cols() == 1)) {
        bool ok = true;
        for (std::size_t i = 0; i < 3; ++i) ok = ok && v[i] >= 0 && v[i] <= 1;
        if (ok) return as_row(v);
    }
    raise_bad_value(type, prop.id, color_expected(prop.choices));
}

Value accept_vector(ObjectType type, const PropertySpec& prop, const Value& v) {
    std::size_t n = prop.length;
    std::string expected;
    if (prop.constraint == Constraint::Increasing) {
        expected = "expected [min max] with min < max";
    } else {
        expected = "expected " + std::to_string(n) + " finite numbers" + constraint_words(prop.constraint);
    }
    if (!numeric(v) || !all_finite(v) || v.is_empty() || (v.rows() != 1 && v.cols() != 1)) {
        raise_bad_value(type, prop.id, expected);
    }
    Value row = as_row(v);
    // Shorthands: a curvature of one number applies to both directions; a
    // text position of two numbers lies in the z = 0 plane.
    if (prop.id == PropertyId::Curvature && row.numel() == 1) row = Value::row({row[0], row[0]});
    if (prop.id == PropertyId::Position && n == 3 && row.numel() == 2) row = Value::row({row[0], row[1], 0});
    if (row.numel() != n) raise_bad_value(type, prop.id, expected);
    for (std::size_t i = 0; i < n; ++i) {
        if (!meets(prop.constraint, row[i])) raise_bad_value(type, prop.id, expected);
    }
    if (prop.constraint == Constraint::Increasing && !(row[0] < row[1])) raise_bad_value(type, prop.id, expected);
    return row;
}

Value accept_string_text(ObjectType type, const PropertySpec& prop, const Value& v) {
    if (v.is_char()) return v;
    if (v.is_cell()) {
        for (std::size_t i = 0; i < v.numel(); ++i) {
            if (!v.cell_at(i).is_char() && !(v.cell_at(i).is_double() && v.cell_at(i).is_empty())) {
                raise_bad_value(type, prop.id, "expected text or a cell of texts");
            }
        }
        return v;
    }
    if (numeric(v)) return v.is_empty() ? Value::string("") : num2str(v);
    raise_bad_value(type, prop.id, "expected text or a cell of texts");
}

}  // namespace

int ChoiceList::match(const Value& v) const {
    if (!is_char_row(v)) return -1;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (text_is_nocase(v, words[i])) return static_cast<int>(i);
    }
    for (const auto& [alias, index] : aliases) {
        if (text_is_nocase(v, alias)) return index;
    }
    return -1;
}

bool text_is(const Value& v, std::string_view text) noexcept {
    if (!v.is_char() || v.numel() != text.size()) return false;
    if (!text.empty() && v.rows() != 1) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (v[i] != static_cast<unsigned char>(text[i])) return false;
    }
    return true;
}

bool text_is_nocase(const Value& v, std::string_view text) noexcept {
    if (!v.is_char() || v.numel() != text.size()) return false;
    if (!text.empty() && v.rows() != 1) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (lower_code(v[i]) != lower_code(static_cast<unsigned char>(text[i]))) return false;
    }
    return true;
}

void raise_unknown_property(ObjectType type, std::string_view name) {
    raise("There is no '" + std::string(name) + "' property on the " + type_name(type) + " object.");
}

void raise_bad_value(ObjectType type, PropertyId id, std::string_view expected) {
    raise("Bad value for the " + std::string(type_name(type)) + " property '" + property_name(id) +
          "': " + std::string(expected) + ".");
}

void raise_read_only(ObjectType type, PropertyId id) {
    raise("The " + std::string(type_name(type)) + " property '" + property_name(id) + "' is read-only.");
}

Value accept_value(ObjectType type, const PropertySpec& prop, const Value& v) {
    switch (prop.kind) {
        case ValueKind::Computed: raise_read_only(type, prop.id);
        case ValueKind::Choice: {
            int i = prop.choices->match(v);
            // true and false (a layout file's JSON booleans) read as 'on' and 'off'.
            if (i < 0 && v.is_logical() && v.numel() == 1) {
                Value word = Value::string(v[0] != 0 ? "on" : "off");
                i = prop.choices->match(word);
            }
            if (i < 0) raise_bad_value(type, prop.id, "expected " + prop.choices->expected);
            return prop.choices->values[static_cast<std::size_t>(i)];
        }
        case ValueKind::Color: return accept_color(type, prop, v);
        case ValueKind::Rect: {
            if (!numeric(v) || v.numel() != 4 || !all_finite(v) || (v.rows() != 1 && v.cols() != 1) || v[2] < 0 ||
                v[3] < 0) {
                raise_bad_value(type, prop.id,
                                "expected [left bottom width height] with width and height not negative");
            }
            return as_row(v);
        }
        case ValueKind::Vector: return accept_vector(type, prop, v);
        case ValueKind::Scalar: {
            if (!numeric(v) || v.numel() != 1 || !std::isfinite(v[0]) || !meets(prop.constraint, v[0])) {
                raise_bad_value(type, prop.id, "expected a finite number" + constraint_words(prop.constraint));
            }
            return Value(v[0]);
        }
        case ValueKind::Text:
            if (v.is_char()) return v;
            if (v.is_double() && v.is_empty()) return Value::string("");
            raise_bad_value(type, prop.id, "expected text");
        case ValueKind::StringText: return accept_string_text(type, prop, v);
        case ValueKind::Callback:
            if (v.is_char() && v.rows() <= 1) return v;
            if (v.is_double() && v.is_empty()) return Value::string("");
            raise_bad_value(type, prop.id, "expected a statement as text");
        case ValueKind::Any:
            if (v.is_absent() || v.is_unassigned()) raise_bad_value(type, prop.id, "expected a value");
            return v;
        case ValueKind::Data:
            if (v.is_double()) return v;
            if (v.is_logical()) return v.with_class(ClassId::Double);
            raise_bad_value(type, prop.id, "expected a numeric array");
        case ValueKind::ColorMatrix: {
            bool ok = numeric(v) && v.cols() == 3 && v.rows() >= 1;
            for (std::size_t i = 0; ok && i < v.numel(); ++i) ok = v[i] >= 0 && v[i] <= 1;
            if (!ok) raise_bad_value(type, prop.id, "expected an n-by-3 matrix with values from 0 to 1");
            return v.is_double() ? v : v.with_class(ClassId::Double);
        }
        case ValueKind::Handle: break;  // checked by the property's own rule in the object tree
    }
    return v;
}

}  // namespace rt
