#include "runtime/array/display.hpp"

#include "runtime/array/deadline.hpp"
#include "runtime/array/text.hpp"

namespace rt {

namespace {

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

// Row r of a character matrix as a text.
std::string char_row_text(const Value& v, std::size_t r) {
    Value row = make_numeric(ClassId::Char, 1, v.cols());
    double* d = row.mutable_data();
    for (std::size_t c = 0; c < v.cols(); ++c) d[c] = v[c * v.rows() + r];
    return row.text();
}

// "open a b; c d close", each element given by `element(index)`.
template <typename F>
std::string grid(const Value& v, char open, char close, F element) {
    std::string out(1, open);
    for (std::size_t r = 0; r < v.rows(); ++r) {
        check_deadline();
        if (r > 0) out += "; ";
        for (std::size_t c = 0; c < v.cols(); ++c) {
            if (c > 0) out += ' ';
            out += element(c * v.rows() + r);
        }
    }
    return out + close;
}

}  // namespace

std::string display_text(const Value& v) {
    switch (v.class_id()) {
        case ClassId::Unassigned:
        case ClassId::Absent: return "<unassigned>";
        case ClassId::Char:
            if (v.is_empty()) return "''";
            if (v.rows() == 1) return quoted(v.text());
            {
                std::string out = "[";
                for (std::size_t r = 0; r < v.rows(); ++r) {
                    if (r > 0) out += "; ";
                    out += quoted(char_row_text(v, r));
                }
                return out + "]";
            }
        case ClassId::Double:
        case ClassId::Logical:
            if (v.is_empty()) return "[]";
            if (v.is_scalar()) return num2str(v[0]);
            return grid(v, '[', ']', [&](std::size_t i) { return num2str(v[i]); });
        case ClassId::Cell:
            if (v.is_empty()) return "{}";
            return grid(v, '{', '}', [&](std::size_t i) { return display_text(v.cell_at(i)); });
        case ClassId::Struct: {
            const auto& names = v.field_names();
            if (names.empty()) return "struct with no fields";
            std::string out = "struct with fields: ";
            for (std::size_t i = 0; i < names.size(); ++i) {
                if (i > 0) out += ", ";
                out += names[i];
            }
            return out;
        }
    }
    return "<unassigned>";
}

std::string display_line(std::string_view name, const Value& v) {
    std::string out(name);
    out += " = ";
    out += display_text(v);
    return out;
}

}  // namespace rt
