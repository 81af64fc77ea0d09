// Windows: figure, gcf, delete and close.
#include <cmath>

#include "runtime/array/error.hpp"
#include "runtime/graphics/current_objects.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/graphics/object_tree.hpp"

namespace rt {

namespace {

constexpr double kDefaultWidth = 560, kDefaultHeight = 420;

GraphicsObject& new_figure(std::span<const Value> pairs) {
    ObjectTree& t = tree();
    GraphicsObject& fig = t.create(ObjectType::Figure, t.root());
    // Centred on the screen, whatever its size.
    t.store(fig, PropertyId::Position,
            Value::row({std::floor((t.screen_width() - kDefaultWidth) / 2),
                        std::floor((t.screen_height() - kDefaultHeight) / 2), kDefaultWidth, kDefaultHeight}));
    try {
        apply_pairs(fig, pairs, "figure");
    } catch (...) {
        t.discard(fig);
        throw;
    }
    t.make_current(fig);
    t.announce(fig);
    return fig;
}

GraphicsObject& existing_figure(const Value& h) {
    GraphicsObject* fig = (h.is_double() || h.is_logical()) && h.numel() == 1 ? tree().find(h[0]) : nullptr;
    if (!fig || fig->type() != ObjectType::Figure || fig->being_deleted()) {
        raise("figure: " + describe(h) + " is not a valid window handle.");
    }
    return *fig;
}

// figure(h) of another window, a new window, or figure with properties.
[[gnu::noinline]] Value figure_slow(std::span<const Value> args) {
    if (args.empty() || args[0].is_char() || args[0].is_struct()) return Value(new_figure(args).handle());
    GraphicsObject& fig = existing_figure(args[0]);
    ObjectTree& t = tree();
    if (t.current_figure() != &fig) t.make_current(fig);
    if (t.backend) t.backend->figure_raised(fig);
    if (args.size() > 1) apply_pairs(fig, args.subspan(1), "figure");
    return Value(fig.handle());
}

}  // namespace

Value figure() { return Value(new_figure({}).handle()); }

Value figure(std::span<const Value> args) {
    // A run names its current window at every step: nothing to do but tell
    // the backend.
    if (args.size() == 1 && args[0].is_double_scalar()) [[likely]] {
        ObjectTree& t = tree();
        GraphicsObject* current = t.current_figure();
        if (current && current->handle() == args[0].inline_number() && !current->being_deleted()) {
            if (t.backend) t.backend->figure_raised(*current);
            return args[0];
        }
    }
    return figure_slow(args);
}

GraphicsObject& current_figure_object() {
    GraphicsObject* fig = tree().current_figure();
    return fig ? *fig : new_figure({});
}

Value gcf() { return Value(current_figure_object().handle()); }

namespace {

// delete_ of several handles, of a logical, of the root or of a bad one.
[[gnu::noinline]] void delete_all(const Value& h) {
    if (!(h.is_double() || h.is_logical())) raise("delete: expected graphics handles, not " + describe(h) + ".");
    ObjectTree& t = tree();
    // Check all before deleting any: a bad handle deletes nothing.
    for (std::size_t i = 0; i < h.numel(); ++i) {
        if (h[i] == 0) raise("delete: the root (0) cannot be deleted.");
        t.require(h[i], "delete");
    }
    for (std::size_t i = 0; i < h.numel(); ++i) {
        // An earlier one may have taken this one with it.
        if (GraphicsObject* obj = t.find(h[i])) t.destroy(*obj);
    }
}

}  // namespace

void delete_(const Value& h) {
    // One handle, as a learning step deletes its three objects.
    if (h.is_double_scalar()) [[likely]] {
        ObjectTree& t = tree();
        const double one = h.inline_number();
        if (one != 0) [[likely]] {
            if (GraphicsObject* obj = t.find(one)) [[likely]] {
                t.destroy(*obj);
                return;
            }
        }
    }
    delete_all(h);
}

void close(std::span<const Value> args) {
    ObjectTree& t = tree();
    std::vector<double> windows;
    if (args.empty()) {
        if (GraphicsObject* fig = t.current_figure()) windows.push_back(fig->handle());
    } else if (args.size() > 1) {
        raise("close: expected one input: a window handle or 'all'.");
    } else if (args[0].is_char()) {
        if (args[0].text() != "all") raise("close: expected a window handle or 'all', not " + describe(args[0]) + ".");
        for (GraphicsObject* fig : t.figures()) windows.push_back(fig->handle());
    } else {
        const Value& h = args[0];
        if (!(h.is_double() || h.is_logical())) raise("close: expected a window handle or 'all'.");
        for (std::size_t i = 0; i < h.numel(); ++i) {
            GraphicsObject* fig = t.find(h[i]);
            if (!fig || fig->type() != ObjectType::Figure)
                raise("close: " + describe(h[i]) + " is not a window handle.");
            windows.push_back(h[i]);
        }
    }
    for (double w : windows) {
        if (t.find(w)) deliver_callback(w, "CloseRequestFcn");
    }
}

}  // namespace rt
