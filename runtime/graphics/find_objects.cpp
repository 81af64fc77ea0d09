// findall and findobj.
#include <algorithm>

#include "runtime/array/error.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/graphics/callback_queue.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/graphics/object_tree.hpp"

namespace rt {

namespace {

struct Filter {
    std::string name;
    Value value;
};

std::vector<Filter> filters(std::span<const Value> pairs, const char* function) {
    if (pairs.size() % 2 != 0) raise(std::string(function) + ": property names and values must come in pairs.");
    std::vector<Filter> out;
    for (std::size_t i = 0; i < pairs.size(); i += 2) {
        if (!pairs[i].is_char()) {
            raise(std::string(function) + ": expected a property name (text), not " + describe(pairs[i]) + ".");
        }
        if (!property_id(pairs[i].text())) {
            raise(std::string(function) + ": there is no property named '" + pairs[i].text() + "'.");
        }
        out.push_back({pairs[i].text(), pairs[i + 1]});
    }
    return out;
}

bool matches(const GraphicsObject& obj, const std::vector<Filter>& fs) {
    for (const Filter& f : fs) {
        PropertyId id = *property_id(f.name);
        if (!has_property(obj.type(), id)) return false;
        if (!isequal(tree().get(obj, id), f.value)) return false;
    }
    return true;
}

bool hidden(const GraphicsObject& obj) {
    const Value& v = obj.value(PropertyId::HandleVisibility);
    return text_is(v, "off") || (text_is(v, "callback") && !callback_running());
}

void gather(const GraphicsObject& obj, bool include_hidden, std::vector<const GraphicsObject*>& out) {
    if (!include_hidden && hidden(obj)) return;
    out.push_back(&obj);
    for (const GraphicsObject* child : obj.children()) gather(*child, include_hidden, out);
}

Value search(const Value& h, std::span<const Value> pairs, bool include_hidden, const char* function) {
    if (!(h.is_double() || h.is_logical()))
        raise(std::string(function) + ": expected graphics handles, not " + describe(h) + ".");
    std::vector<Filter> fs = filters(pairs, function);
    std::vector<double> found;
    for (std::size_t i = 0; i < h.numel(); ++i) {
        const GraphicsObject& start = tree().require(h[i], function);
        std::vector<const GraphicsObject*> all;
        gather(start, include_hidden, all);
        // The starting object first, then the rest in creation order.
        std::stable_sort(all.begin() + (all.empty() ? 0 : 1), all.end(),
                         [](const GraphicsObject* a, const GraphicsObject* b) { return a->serial() < b->serial(); });
        for (const GraphicsObject* obj : all) {
            if (matches(*obj, fs)) found.push_back(obj->handle());
        }
    }
    return found.empty() ? Value::zeros(0, 1) : Value::column(found);
}

}  // namespace

Value findall(const Value& h, std::span<const Value> pairs) { return search(h, pairs, true, "findall"); }

Value findobj(std::span<const Value> args) {
    if (!args.empty() && !args[0].is_char()) return search(args[0], args.subspan(1), false, "findobj");
    return search(Value(0.0), args, false, "findobj");
}

}  // namespace rt
