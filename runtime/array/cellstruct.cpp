#include "runtime/array/cellstruct.hpp"

#include <string>

#include "runtime/array/error.hpp"

namespace rt {

namespace {

std::string field_name_argument(const Value& name, const char* function) {
    if (!name.is_char() || name.rows() > 1) raise(std::string(function) + ": the field name must be a text.");
    return name.text();
}

}  // namespace

bool is_valid_field_name(std::string_view name) {
    auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (name.empty() || name.size() > 63 || !letter(name.front())) return false;
    for (char c : name)
        if (!letter(c) && !digit(c) && c != '_') return false;
    return true;
}

bool isfield(const Value& s, const Value& name) {
    return s.is_struct() && name.is_char() && name.rows() == 1 && s.has_field(name.text());
}

Value getfield(const Value& s, const Value& name) {
    const std::string n = field_name_argument(name, "getfield");
    if (!s.is_struct()) raise("Reference to field '" + n + "' of a non-structure value.");
    return s.field(n);
}

Value setfield(const Value& s, const Value& name, const Value& v) {
    const std::string n = field_name_argument(name, "setfield");
    if (!is_valid_field_name(n)) raise("Invalid field name '" + n + "'.");
    Value out;
    if (s.is_struct()) {
        out = s;
    } else if (s.is_unassigned() || s.is_absent() || (s.is_double() && s.is_empty())) {
        out = Value::structure();
    } else {
        raise(std::string("Field assignment to a value of class ") + class_name(s.class_id()) + " is not possible.");
    }
    out.set_field(n, v);
    return out;
}

Value fieldnames(const Value& s) {
    if (!s.is_struct())
        raise(std::string("fieldnames: a value of class ") + class_name(s.class_id()) + " has no fields.");
    const auto& names = s.field_names();
    Value out = Value::cell(names.size(), 1);
    for (std::size_t i = 0; i < names.size(); ++i) out.mutable_cell_at(i) = Value::string(names[i]);
    return out;
}

}  // namespace rt
