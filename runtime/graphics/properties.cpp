// ishandle, get and set.
#include "runtime/array/error.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/graphics/object_tree.hpp"

namespace rt {

namespace {

bool numeric(const Value& v) { return v.is_double() || v.is_logical(); }

void require_handles(const Value& h, const char* function) {
    if (!numeric(h)) raise(std::string(function) + ": expected graphics handles, not " + describe(h) + ".");
}

}  // namespace

bool ishandle(double h) noexcept {
    const GraphicsObject* obj = tree().find(h);
    return obj && !obj->being_deleted();
}

bool is_deleted_handle(double h) noexcept { return tree().was_issued(h) && !ishandle(h); }

Value ishandle(const Value& h) {
    Value out = Value::zeros(h.rows(), h.cols(), ClassId::Logical);
    if (!numeric(h) || h.is_empty()) return out;
    if (h.numel() == 1) return Value::logical(ishandle(h[0]));
    double* data = out.mutable_data();
    for (std::size_t i = 0; i < h.numel(); ++i) data[i] = ishandle(h[i]) ? 1 : 0;
    return out;
}

Value get(double h, std::string_view name) {
    ObjectTree& t = tree();
    GraphicsObject& obj = t.require(h, "get");
    return t.get(obj, property_of(obj, name));
}

Value get(const Value& h, const Value& name) {
    require_handles(h, "get");
    if (!name.is_char() || name.rows() > 1) raise("get: expected a property name (text), not " + describe(name) + ".");
    if (h.numel() == 1) return get(h[0], name.text());
    std::vector<Value> values;
    for (std::size_t i = 0; i < h.numel(); ++i) values.push_back(get(h[i], name.text()));
    return Value::cell_column(std::move(values));
}

Value get(const Value& h) {
    require_handles(h, "get");
    if (h.numel() != 1) raise("get: expected one graphics handle, not " + describe(h) + ".");
    ObjectTree& t = tree();
    GraphicsObject& obj = t.require(h[0], "get");
    Value s = Value::structure();
    for (const PropertySpec& prop : schema(obj.type()).specs())
        s.set_field(property_name(prop.id), t.get(obj, prop.id));
    return s;
}

void set(const Value& h, std::span<const Value> pairs) {
    require_handles(h, "set");
    ObjectTree& t = tree();
    std::vector<GraphicsObject*> targets;
    for (std::size_t i = 0; i < h.numel(); ++i) targets.push_back(&t.require(h[i], "set"));
    for (GraphicsObject* obj : targets) apply_pairs(*obj, pairs, "set");
}

void set(double h, std::string_view name, const Value& value) {
    ObjectTree& t = tree();
    GraphicsObject& obj = t.require(h, "set");
    t.set(obj, property_of(obj, name), value, name);
}

}  // namespace rt
