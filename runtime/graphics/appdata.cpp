// Application data: named values kept on an object.
#include "runtime/array/error.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/graphics/object_tree.hpp"

namespace rt {

namespace {

std::string name_of(const Value& name, const char* function) {
    if (!name.is_char() || name.rows() > 1) {
        raise(std::string(function) + ": the name must be text, not " + describe(name) + ".");
    }
    return name.text();
}

}  // namespace

Value getappdata(const Value& h, const Value& name) {
    GraphicsObject& obj = tree().require(h, "getappdata");
    const Value* v = tree().appdata(obj, name_of(name, "getappdata"));
    return v ? *v : Value::empty();
}

Value getappdata(const Value& h) {
    GraphicsObject& obj = tree().require(h, "getappdata");
    Value s = Value::structure();
    for (const auto& [key, value] : tree().all_appdata(obj)) s.set_field(key, value);
    return s;
}

void setappdata(const Value& h, const Value& name, const Value& value) {
    GraphicsObject& obj = tree().require(h, "setappdata");
    std::string key = name_of(name, "setappdata");
    if (value.is_absent() || value.is_unassigned()) raise("setappdata: the value of '" + key + "' is not assigned.");
    tree().set_appdata(obj, key, value);
}

bool isappdata(const Value& h, const Value& name) {
    GraphicsObject& obj = tree().require(h, "isappdata");
    return tree().appdata(obj, name_of(name, "isappdata")) != nullptr;
}

void rmappdata(const Value& h, const Value& name) {
    GraphicsObject& obj = tree().require(h, "rmappdata");
    std::string key = name_of(name, "rmappdata");
    if (!tree().remove_appdata(obj, key)) raise("rmappdata: there is no application data named '" + key + "'.");
}

}  // namespace rt
