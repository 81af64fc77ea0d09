// Creation of the objects drawn in axes (rectangle, line, plot, surface,
// text) and of controls (uicontrol).
#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "runtime/array/error.hpp"
#include "runtime/call/console.hpp"
#include "runtime/graphics/cache_key.hpp"
#include "runtime/graphics/current_objects.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/graphics/object_tree.hpp"

namespace rt {

namespace {

using P = PropertyId;

bool numeric(const Value& v) { return v.is_double() || v.is_logical(); }
bool is_vector(const Value& v) { return v.rows() == 1 || v.cols() == 1; }

Value as_double(const Value& v) { return v.is_double() ? v : v.with_class(ClassId::Double); }

std::string size_text(const Value& v) { return std::to_string(v.rows()) + "-by-" + std::to_string(v.cols()); }

// current_axes_object, the usual case read in line: every drawing call asks.
GraphicsObject& axes_for_drawing() {
    ObjectTree& t = tree();
    if (GraphicsObject* fig = t.current_figure()) [[likely]] {
        if (GraphicsObject* ax = t.current_axes(*fig)) [[likely]]
            return *ax;
    }
    return current_axes_object();
}

// Where a line keeps what line and plot fill in, found once.
struct LineSlots {
    int x_data, y_data, color, marker, line_style;
    std::uint64_t bit(int slot) const noexcept { return std::uint64_t{1} << slot; }
};
const LineSlots line_slots = [] {
    const TypeSchema& line = schema(ObjectType::Line);
    return LineSlots{line.slot_of(P::XData), line.slot_of(P::YData), line.slot_of(P::Color), line.slot_of(P::Marker),
                     line.slot_of(P::LineStyle)};
}();

// A new line's data, x and y, into its empty slots (their bits set by the caller).
void fill_line_data(ObjectTree& t, GraphicsObject& o, const Value& x, const Value& y) noexcept {
    t.fill_empty_at(o, line_slots.x_data, x);
    t.fill_empty_at(o, line_slots.y_data, y);
}

// Creates an object under `parent`, lets `fill` set it up, then applies the
// caller's pairs; a failure anywhere leaves nothing behind.
template <typename Fill>
GraphicsObject& make(ObjectType type, GraphicsObject& parent, std::span<const Value> pairs, const char* function,
                     Fill&& fill) {
    ObjectTree& t = tree();
    GraphicsObject& obj = t.create(type, parent);
    try {
        fill(obj);
        if (!pairs.empty() && !fill_known_pairs(obj, pairs)) apply_pairs(obj, pairs, function);
    } catch (...) {
        t.discard(obj);
        throw;
    }
    t.announce(obj);
    return obj;
}

void keep_surfaces_bounded(GraphicsObject& axes) {
    // Counting costs as much as the axes has children: only count when
    // there could be too many.
    if (axes.children().size() <= kMaxSurfaces) return;
    std::size_t count = 0;
    for (const GraphicsObject* c : axes.children()) {
        if (c->type() == ObjectType::Surface && !c->being_deleted()) ++count;
    }
    if (count <= kMaxSurfaces) return;
    static bool told = false;
    if (!told) {
        told = true;
        console() << "The axes hold more than " << kMaxSurfaces << " surfaces: the oldest are deleted, "
                  << kSurfacesDroppedAtOnce << " at a time, to keep memory bounded." << std::endl;
    }
    // By handle: a DeleteFcn may delete others meanwhile.
    std::vector<double> oldest;
    for (const GraphicsObject* c : axes.children()) {
        if (oldest.size() == kSurfacesDroppedAtOnce) break;
        if (c->type() == ObjectType::Surface && !c->being_deleted()) oldest.push_back(c->handle());
    }
    ObjectTree& t = tree();
    for (double h : oldest) {
        if (GraphicsObject* obj = t.find(h)) t.destroy(*obj);
    }
}

Value column_of_matrix(const Value& m, std::size_t k) {
    if (is_vector(m)) {
        if (m.rows() == 1) return as_double(m);
        std::vector<double> xs(m.data(), m.data() + m.numel());
        return Value::row(xs);
    }
    std::vector<double> xs(m.data() + k * m.rows(), m.data() + (k + 1) * m.rows());
    return Value::row(xs);
}

// Column k of a matrix as a 1-by-rows row; a vector gives itself as a row.
// A double row (what a learning step draws) is shared, not copied.
inline Value column_of(const Value& m, std::size_t k) {
    if (m.is_double() && m.rows() == 1) [[likely]]
        return m;
    return column_of_matrix(m, k);
}

// True for a double row (a number included), giving its length.
inline bool double_row(const Value& v, std::size_t& n) {
    if (v.is_double_scalar()) {
        n = 1;
        return true;
    }
    if (v.is_stored_double() && v.stored_rows() == 1) {
        n = v.stored_cols();
        return true;
    }
    return false;
}

Value counting(std::size_t n) {
    std::vector<double> xs(n);
    for (std::size_t i = 0; i < n; ++i) xs[i] = static_cast<double>(i + 1);
    return Value::row(xs);
}

// The line style texts seen lately, recognised by their storage, which the
// kept copy holds alive and unchanged, so the same storage means the same
// characters: a learning run plots with one of two constant style texts at
// every step, and this spares reading their characters each time.
class KnownStyles {
public:
    struct Entry {
        const double* chars = nullptr;
        Value text;                            // holds the storage alive and unchanged
        std::optional<LineStyleValues> style;  // nullopt: not a line style
    };
    // The entry of a text held in storage, when it is known.
    const Entry* find(const Value& text) const noexcept {
        const Entry& e = entries_[detail::cache_slot<kSlots>(detail::storage_key(text))];
        return e.chars == text.data() ? &e : nullptr;
    }
    const Entry& keep(const Value& text, std::optional<LineStyleValues> style) {
        Entry& e = entries_[detail::cache_slot<kSlots>(detail::storage_key(text))];
        e = {text.data(), text, std::move(style)};
        return e;
    }

private:
    static constexpr std::size_t kSlots = 8;
    std::array<Entry, kSlots> entries_{};
};

KnownStyles known_styles;

// The values a line style text such as "r>" sets, or null when it is none.
// What a text held inline (one character) sets is put in `parsed`. The
// result stays valid until the next call.
const LineStyleValues* style_of(const Value& text, std::optional<LineStyleValues>& parsed) {
    const bool stored = !text.is_inline();
    if (const KnownStyles::Entry* e = stored ? known_styles.find(text) : nullptr) {
        return e->style ? &*e->style : nullptr;
    }
    NameText buffer;
    std::optional<LineStyleValues> style = line_style_values(buffer.of(text));
    if (!stored) {
        parsed = std::move(style);
        return parsed ? &*parsed : nullptr;
    }
    const KnownStyles::Entry& e = known_styles.keep(text, std::move(style));
    return e.style ? &*e.style : nullptr;
}

// A vector of the grid's columns (or rows) spread over the grid's shape.
Value spread(const Value& v, std::size_t rows, std::size_t cols, bool along_columns) {
    Value out = Value::zeros(rows, cols);
    double* d = out.mutable_data();
    for (std::size_t k = 0; k < cols; ++k) {
        for (std::size_t j = 0; j < rows; ++j) d[k * rows + j] = along_columns ? v[k] : v[j];
    }
    return out;
}

// line(x, y), line(x, y, z) then name/value pairs, with x, y (and z) numeric.
Value line_through(const Value& x, const Value& y, const Value* z, std::span<const Value> pairs) {
    if (!is_vector(x) || !is_vector(y) || x.numel() != y.numel()) [[unlikely]] {
        raise("line: x and y must be vectors of the same length, not " + size_text(x) + " and " + size_text(y) + ".");
    }
    if (z && (!is_vector(*z) || z->numel() != x.numel())) raise("line: z must be a vector as long as x and y.");
    GraphicsObject& ax = axes_for_drawing();
    ObjectTree& t = tree();
    GraphicsObject& obj = make(ObjectType::Line, ax, pairs, "line", [&](GraphicsObject& o) {
        t.store(o, P::XData, column_of(x, 0));
        t.store(o, P::YData, column_of(y, 0));
        if (z) t.store(o, P::ZData, column_of(*z, 0));
    });
    return Value(obj.handle());
}

// The colour of line k of a plot from the axes' colour order.
[[gnu::noinline]] void store_order_color(GraphicsObject& o, std::size_t k, const Value& order) {
    if (order.rows() == 0) return;
    std::size_t r = k % order.rows(), n = order.rows();
    tree().store_new(o, P::Color, Value::row({order[r], order[r + n], order[r + 2 * n]}));
}
// The same, the order read from the axes only when needed.
[[gnu::noinline]] void store_order_color(GraphicsObject& o, std::size_t k, const GraphicsObject& axes) {
    store_order_color(o, k, axes.value(P::ColorOrder));
}

// The colour, marker and line style of line k of a plot from `style` (or
// null), the colour else from the axes' colour order: `order` is the order,
// or the axes to read it from only when needed.
template <typename Order>
void fill_plot_style(GraphicsObject& o, std::size_t k, const LineStyleValues* style, const Order& order) {
    ObjectTree& t = tree();
    if (style && style->has_color) {
        t.store_new_at(o, line_slots.color, style->color);
    } else {
        store_order_color(o, k, order);
    }
    if (style && style->has_marker) t.store_new_at(o, line_slots.marker, style->marker);
    if (style && style->has_line_style) t.store_new_at(o, line_slots.line_style, style->line_style);
}

// Line k of a plot: its data, and its colour, marker and line style from
// `style` (or null) or else the axes' colour order.
void fill_plot_line(GraphicsObject& o, const Value& x, bool x_vector, const Value& y, std::size_t k,
                    const LineStyleValues* style, const Value& order) {
    ObjectTree& t = tree();
    if (x.is_double() && x.rows() == 1) {
        t.store_new(o, P::XData, x);
    } else {
        t.store_new(o, P::XData, column_of(x, x_vector ? 0 : k));
    }
    if (y.is_double() && y.rows() == 1) {
        t.store_new(o, P::YData, y);
    } else {
        t.store_new(o, P::YData, column_of(y, k));
    }
    fill_plot_style(o, k, style, order);
}

// plot(x, y, ...) of one point, x and y double numbers: one line, nothing to
// check, and storing cannot fail, so nothing to undo.
Value plot_point(const Value& x, const Value& y, const LineStyleValues* style) {
    ObjectTree& t = tree();
    GraphicsObject& ax = newplot_axes();
    GraphicsObject& o = t.create(ObjectType::Line, ax);
    // A new object: every slot is empty.
    fill_line_data(t, o, x, y);
    t.mark_filled(o, line_slots.bit(line_slots.x_data) | line_slots.bit(line_slots.y_data));
    fill_plot_style(o, 0, style, ax);
    t.announce_new(o);
    return Value(o.handle());
}

// plot's lines: one per column of y, x (the point numbers when null) going
// with each; `style` (or null) from a line style text, then the pairs.
Value plot_lines(const Value* x_given, const Value& y, const LineStyleValues* style, std::span<const Value> pairs) {
    if (x_given && x_given->is_double_scalar() && y.is_double_scalar() && pairs.empty()) {
        return plot_point(*x_given, y, style);
    }
    const bool y_vector = is_vector(y);
    const std::size_t points = y_vector ? y.numel() : y.rows();
    const Value counted = x_given ? Value() : counting(points);
    const Value& x = x_given ? *x_given : counted;
    const bool x_vector = is_vector(x);
    const std::size_t lines = y_vector ? (y.is_empty() ? 0 : 1) : y.cols();
    bool x_fits = x_vector ? x.numel() == points : (x.rows() == y.rows() && x.cols() == y.cols());
    if (y_vector && !x_vector) x_fits = false;
    if (!x_fits) raise("plot: x and y must have the same length, not " + size_text(x) + " and " + size_text(y) + ".");

    GraphicsObject& ax = newplot_axes();
    const Value& order = ax.value(P::ColorOrder);
    // A CreateFcn may plot with another style meanwhile, and with it
    // overwrite what `style` points at: the lines read a copy.
    std::optional<LineStyleValues> own_style;
    if (style) style = &own_style.emplace(*style);
    auto plot_line = [&](std::size_t k) {
        return make(ObjectType::Line, ax, pairs, "plot",
                    [&](GraphicsObject& o) { fill_plot_line(o, x, x_vector, y, k, style, order); })
            .handle();
    };
    if (lines == 1) return Value(plot_line(0));
    std::vector<double> handles;
    for (std::size_t k = 0; k < lines; ++k) handles.push_back(plot_line(k));
    return handles.empty() ? Value::zeros(0, 1) : Value::column(handles);
}

}  // namespace

Value rectangle(std::span<const Value> args) {
    GraphicsObject& ax = axes_for_drawing();
    return Value(make(ObjectType::Rectangle, ax, args, "rectangle", [](GraphicsObject&) {}).handle());
}

namespace {

// line(x, y) but for two double rows of one length.
[[gnu::noinline]] Value line_other(const Value& x, const Value& y) {
    if (numeric(x) && numeric(y)) return line_through(x, y, nullptr, {});
    Value args[2] = {x, y};
    return line(std::span<const Value>(args, 2));
}

}  // namespace

Value line(const Value& x, const Value& y) {
    std::size_t nx = 0, ny = 0;
    if (double_row(x, nx) && double_row(y, ny) && nx == ny) [[likely]] {
        // Two double rows of one length (what a learning step draws) are
        // stored as they are; storing cannot fail, so nothing to undo.
        ObjectTree& t = tree();
        GraphicsObject& o = t.create(ObjectType::Line, axes_for_drawing());
        fill_line_data(t, o, x, y);
        t.mark_filled(o, line_slots.bit(line_slots.x_data) | line_slots.bit(line_slots.y_data));
        t.announce_new(o);
        return Value(o.handle());
    }
    return line_other(x, y);
}

Value line(std::span<const Value> args) {
    std::size_t data_count = 0;
    while (data_count < args.size() && data_count < 3 && numeric(args[data_count])) ++data_count;
    if (data_count == 1) raise("line: expected line(x, y), line(x, y, z) or property name/value pairs.");
    if (data_count >= 2) {
        return line_through(args[0], args[1], data_count == 3 ? &args[2] : nullptr, args.subspan(data_count));
    }
    GraphicsObject& ax = axes_for_drawing();
    return Value(make(ObjectType::Line, ax, args, "line", [](GraphicsObject&) {}).handle());
}

namespace {

// plot(x, y, linespec) but for one point with a known style; apart, so that
// the usual call needs none of its room.
[[gnu::noinline]] Value plot_other(const Value& x, const Value& y, const Value& linespec) {
    if (numeric(x) && numeric(y) && linespec.is_char()) {
        std::optional<LineStyleValues> parsed;
        const LineStyleValues* style = style_of(linespec, parsed);
        if (!style) raise("plot: '" + linespec.text() + "' is not a line style.");
        return plot_lines(&x, y, style, {});
    }
    Value args[3] = {x, y, linespec};
    return plot(std::span<const Value>(args, 3));
}

}  // namespace

Value plot(const Value& x, const Value& y, const Value& linespec) {
    // One point with a known style (what a learning step plots).
    if (x.is_double_scalar() && y.is_double_scalar() && linespec.is_char() && !linespec.is_inline()) [[likely]] {
        if (const KnownStyles::Entry* e = known_styles.find(linespec); e && e->style)
            return plot_point(x, y, &*e->style);
    }
    return plot_other(x, y, linespec);
}

Value plot(std::span<const Value> args) {
    std::size_t data_count = 0;
    while (data_count < args.size() && data_count < 2 && numeric(args[data_count])) ++data_count;
    if (data_count == 0) raise("plot: expected plot(y), plot(x, y) or plot(x, y, linespec), then name/value pairs.");
    std::span<const Value> rest = args.subspan(data_count);
    std::optional<LineStyleValues> parsed;
    const LineStyleValues* style = nullptr;
    if (!rest.empty() && rest[0].is_char() && rest.size() % 2 == 1) {
        style = style_of(rest[0], parsed);
        if (!style) raise("plot: '" + rest[0].text() + "' is not a line style.");
        rest = rest.subspan(1);
    }
    return plot_lines(data_count == 2 ? &args[0] : nullptr, data_count == 2 ? args[1] : args[0], style, rest);
}

Value surface(std::span<const Value> args) {
    std::size_t data_count = 0;
    while (data_count < args.size() && data_count < 4 && numeric(args[data_count])) ++data_count;
    if (data_count == 0 || data_count == 2) {
        raise("surface: expected surface(Z), surface(X, Y, Z) or surface(X, Y, Z, C), then name/value pairs.");
    }
    const Value z = as_double(data_count == 1 ? args[0] : args[2]);
    const std::size_t rows = z.rows(), cols = z.cols();
    Value x, y, c = z;
    if (data_count == 1) {
        x = spread(counting(cols), rows, cols, true);
        y = spread(counting(rows), rows, cols, false);
    } else {
        const Value& xv = args[0];
        const Value& yv = args[1];
        const std::string grid = std::to_string(rows) + "-by-" + std::to_string(cols);
        if (xv.rows() == rows && xv.cols() == cols) {
            x = as_double(xv);
        } else if (is_vector(xv) && xv.numel() == cols) {
            x = spread(xv, rows, cols, true);
        } else {
            raise("surface: X must be a vector of " + std::to_string(cols) + " elements (the columns of Z) or a " +
                  grid + " matrix like Z, not " + size_text(xv) + ".");
        }
        if (yv.rows() == rows && yv.cols() == cols) {
            y = as_double(yv);
        } else if (is_vector(yv) && yv.numel() == rows) {
            y = spread(yv, rows, cols, false);
        } else {
            raise("surface: Y must be a vector of " + std::to_string(rows) + " elements (the rows of Z) or a " + grid +
                  " matrix like Z, not " + size_text(yv) + ".");
        }
        if (data_count == 4) {
            const Value& cv = args[3];
            if (cv.rows() != rows || cv.cols() != cols) {
                raise("surface: C must be a " + grid + " matrix like Z, not " + size_text(cv) + ".");
            }
            c = as_double(cv);
        }
    }
    GraphicsObject& ax = axes_for_drawing();
    ObjectTree& t = tree();
    GraphicsObject& obj = make(ObjectType::Surface, ax, args.subspan(data_count), "surface", [&](GraphicsObject& o) {
        t.store(o, P::XData, x);
        t.store(o, P::YData, y);
        t.store(o, P::ZData, z);
        t.store(o, P::CData, c);
    });
    const double handle = obj.handle();
    keep_surfaces_bounded(ax);
    return Value(handle);
}

Value text(std::span<const Value> args) {
    std::size_t data_count = 0;
    while (data_count < args.size() && data_count < 3 && numeric(args[data_count])) ++data_count;
    if (data_count < 2 || data_count >= args.size()) {
        raise("text: expected text(x, y, string) or text(x, y, z, string), then name/value pairs.");
    }
    for (std::size_t i = 0; i < data_count; ++i) {
        if (args[i].numel() != 1) raise("text: the coordinates must be single numbers.");
    }
    const Value& string = args[data_count];
    GraphicsObject& ax = axes_for_drawing();
    ObjectTree& t = tree();
    GraphicsObject& obj = make(ObjectType::Text, ax, args.subspan(data_count + 1), "text", [&](GraphicsObject& o) {
        t.set(o, P::Position, Value::row({args[0][0], args[1][0], data_count == 3 ? args[2][0] : 0.0}));
        t.set(o, P::String, string);
    });
    return Value(obj.handle());
}

Value uicontrol(std::span<const Value> args) {
    ObjectTree& t = tree();
    GraphicsObject* parent = nullptr;
    if (!args.empty() && numeric(args[0])) {
        parent = &t.require(args[0], "uicontrol");
        if (parent->type() != ObjectType::Figure) raise("uicontrol: " + describe(args[0]) + " is not a window handle.");
        args = args.subspan(1);
    } else {
        parent = &current_figure_object();
    }
    return Value(make(ObjectType::Uicontrol, *parent, args, "uicontrol", [](GraphicsObject&) {}).handle());
}

}  // namespace rt
