// Axes: gca, axes, newplot, hold, ishold, axis and view.
#include <cmath>

#include "runtime/array/error.hpp"
#include "runtime/graphics/current_objects.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/graphics/object_tree.hpp"

namespace rt {

namespace {

using P = PropertyId;

GraphicsObject& figure_object(const Value& h) { return *tree().find(h[0]); }

GraphicsObject& axes_object(const Value& h, const char* function) {
    GraphicsObject& obj = tree().require(h, function);
    if (obj.type() != ObjectType::Axes) raise(std::string(function) + ": " + describe(h) + " is not an axes handle.");
    return obj;
}

// Stores one of the property's own words; an unchanged value is left alone,
// so that hold('on') at every step does not make the window repaint.
void set_word(GraphicsObject& obj, PropertyId id, std::string_view word) {
    if (obj.is(id, word)) return;
    tree().store(obj, id, choice_word(obj.type(), id, word));
}

// The characters of the schemas' own word "add" for a window's and an axes'
// NextPlot, taken once.
const double* const figure_add = choice_word(ObjectType::Figure, P::NextPlot, "add").data();
const double* const axes_add = choice_word(ObjectType::Axes, P::NextPlot, "add").data();

bool holds_add_text(const Value& v) { return text_is(v, "add"); }

// True when the NextPlot of obj is "add", `add` being the characters of the
// schema's word for obj's type. A stored word is nearly always the schema's
// own value, recognised by its storage without reading the characters; any
// other value holding the word is read.
inline bool adds(const GraphicsObject& obj, const double* add) {
    const Value& v = obj.value(P::NextPlot);
    if (v.is_char() && !v.is_inline() && v.data() == add) [[likely]]
        return true;
    return holds_add_text(v);
}

// The same for a window or axes.
inline bool adds(const GraphicsObject& obj) {
    return adds(obj, obj.type() == ObjectType::Figure ? figure_add : axes_add);
}

void delete_plotted_children(GraphicsObject& ax) {
    ObjectTree& t = tree();
    const Value& title = ax.value(P::Title);
    std::vector<double> doomed;
    for (GraphicsObject* child : ax.children()) {
        if (title.numel() == 1 && child->handle() == title[0]) continue;
        doomed.push_back(child->handle());
    }
    for (double h : doomed) {
        if (GraphicsObject* obj = t.find(h)) t.destroy(*obj);
    }
}

// The last 'on' option seen, recognised by its storage (the copy kept here
// holds it unchanged): a run says hold('on') with the same constant every step.
Value last_on;
const double* last_on_text = nullptr;

bool is_last_on(const Value& option) noexcept {
    return last_on_text && option.is_char() && !option.is_inline() && option.data() == last_on_text;
}

// The axes and window last found holding, at their property versions then:
// while neither has changed since, hold on finds them holding still.
struct Holding {
    const GraphicsObject* axes = nullptr;
    std::uint64_t axes_version = 0;
    const GraphicsObject* figure = nullptr;
    std::uint64_t figure_version = 0;
};
Holding holding;

// The window's current axes when they are the ones last found holding,
// and neither they nor the window changed since; else null.
GraphicsObject* still_holding(GraphicsObject& fig) noexcept {
    GraphicsObject* ax = tree().current_axes(fig);
    if (ax && ax == holding.axes && ax->property_version() == holding.axes_version && &fig == holding.figure &&
        fig.property_version() == holding.figure_version) [[likely]]
        return ax;
    return nullptr;
}

void note_holding(const GraphicsObject& ax) noexcept {
    const GraphicsObject* fig = ax.parent();
    // Changes to an object not yet announced leave its version alone.
    if (!fig || !ax.announced() || !fig->announced()) return;
    holding = {&ax, ax.property_version(), fig, fig->property_version()};
}

void hold_axes(GraphicsObject& ax, int mode) {  // 1 on, 0 off, -1 toggle
    if (mode < 0) mode = ishold(Value(ax.handle())) ? 0 : 1;
    // hold on at every step of a run, on axes already holding.
    if (mode == 1 && adds(ax) && (!ax.parent() || adds(*ax.parent()))) {
        note_holding(ax);
        return;
    }
    set_word(ax, P::NextPlot, mode ? "add" : "replace");
    if (mode && ax.parent()) set_word(*ax.parent(), P::NextPlot, "add");
}

int hold_mode(const Value& option) {
    if (is_last_on(option)) return 1;
    if (text_is_nocase(option, "on") || text_is_nocase(option, "all")) {
        if (!option.is_inline()) {
            last_on = option;
            last_on_text = last_on.data();
        }
        return 1;
    }
    if (text_is_nocase(option, "off")) return 0;
    raise("hold: expected 'on', 'off' or 'all', not " + describe(option) + ".");
}

// The current window, read from the tree in line: every drawing call asks.
GraphicsObject& drawing_figure() {
    if (GraphicsObject* fig = tree().current_figure()) [[likely]]
        return *fig;
    return current_figure_object();
}

[[gnu::noinline]] void hold_current(const Value& option) { hold_axes(current_axes_object(), hold_mode(option)); }

}  // namespace

GraphicsObject& current_axes_object() {
    GraphicsObject& fig = drawing_figure();
    if (GraphicsObject* ax = tree().current_axes(fig)) return *ax;
    return create_axes(fig, {});
}

GraphicsObject& create_axes(GraphicsObject& figure, std::span<const Value> pairs, bool announce) {
    ObjectTree& t = tree();
    GraphicsObject& ax = t.create(ObjectType::Axes, figure);
    GraphicsObject& title = t.create(ObjectType::Text, ax);
    t.store(title, P::HandleVisibility, choice_word(ObjectType::Text, P::HandleVisibility, "off"));
    t.store(title, P::HorizontalAlignment, choice_word(ObjectType::Text, P::HorizontalAlignment, "center"));
    t.store(title, P::VerticalAlignment, choice_word(ObjectType::Text, P::VerticalAlignment, "bottom"));
    t.store(ax, P::Title, Value(title.handle()));
    try {
        apply_pairs(ax, pairs, "axes");
    } catch (...) {
        t.discard(ax);
        throw;
    }
    if (ax.parent()) {
        t.store(*ax.parent(), P::CurrentAxes, Value(ax.handle()));
    }
    if (announce) t.announce(ax);
    return ax;
}

Value gca() { return Value(current_axes_object().handle()); }

Value axes(std::span<const Value> args) {
    ObjectTree& t = tree();
    if (!args.empty() && !args[0].is_char() && !args[0].is_struct()) {
        GraphicsObject& ax = axes_object(args[0], "axes");
        t.make_current_axes(ax);
        apply_pairs(ax, args.subspan(1), "axes");
        return Value(ax.handle());
    }
    GraphicsObject& ax = create_axes(current_figure_object(), args);
    if (ax.parent()) t.make_current(*ax.parent());
    return Value(ax.handle());
}

Value newplot() { return Value(newplot_axes().handle()); }

namespace {

// newplot_axes but for held axes found holding still; apart, so that the
// usual call needs none of its room.
[[gnu::noinline]] GraphicsObject& newplot_axes_other(GraphicsObject* fig) {
    ObjectTree& t = tree();
    if (!adds(*fig, figure_add)) [[unlikely]] {
        const Value& fig_next = fig->value(P::NextPlot);
        if (text_is(fig_next, "new")) {
            fig = &figure_object(figure());
        } else {
            std::vector<double> doomed;
            for (GraphicsObject* child : fig->children()) doomed.push_back(child->handle());
            for (double h : doomed) {
                if (GraphicsObject* obj = t.find(h)) t.destroy(*obj);
            }
        }
    }
    GraphicsObject* ax = t.current_axes(*fig);
    if (!ax) ax = &create_axes(*fig, {});
    if (adds(*ax, axes_add)) [[likely]]
        return *ax;
    const Value& ax_next = ax->value(P::NextPlot);
    if (text_is(ax_next, "replace")) {
        delete_plotted_children(*ax);
        t.reset(*ax, {P::Position, P::OuterPosition, P::ActivePositionProperty, P::Units, P::Tag, P::Title});
        const Value& title = ax->value(P::Title);
        if (GraphicsObject* text = title.numel() == 1 ? t.find(title[0]) : nullptr) {
            t.set(*text, P::String, Value::string(""));
        }
    } else if (text_is(ax_next, "replacechildren")) {
        delete_plotted_children(*ax);
    }
    return *ax;
}

}  // namespace

GraphicsObject& newplot_axes() {
    GraphicsObject* fig = &drawing_figure();
    // Held axes in a window that adds (every step of a learning run).
    if (GraphicsObject* ax = still_holding(*fig)) [[likely]]
        return *ax;
    return newplot_axes_other(fig);
}

void hold() { hold_axes(current_axes_object(), -1); }
void hold(const Value& option) {
    // hold('on') at every step of a run: the current axes, found holding
    // before, unchanged since, in a window unchanged since.
    GraphicsObject* fig = tree().current_figure();
    if (fig && still_holding(*fig) && is_last_on(option)) [[likely]]
        return;
    hold_current(option);
}
void hold(const Value& axes, const Value& option) { hold_axes(axes_object(axes, "hold"), hold_mode(option)); }

bool ishold() { return ishold(Value(current_axes_object().handle())); }

bool ishold(const Value& axes) {
    GraphicsObject& ax = axes_object(axes, "ishold");
    return ax.is(P::NextPlot, "add") && ax.parent() && ax.parent()->is(P::NextPlot, "add");
}

void axis(const Value& arg) {
    ObjectTree& t = tree();
    GraphicsObject& ax = current_axes_object();
    if (arg.is_double() && (arg.numel() == 4 || arg.numel() == 6)) {
        for (std::size_t i = 0; i < arg.numel(); i += 2) {
            if (!std::isfinite(arg[i]) || !std::isfinite(arg[i + 1]) || !(arg[i] < arg[i + 1])) {
                raise(
                    "axis: limits must be [xmin xmax ymin ymax] or [xmin xmax ymin ymax zmin zmax], "
                    "each minimum below its maximum.");
            }
        }
        const PropertyId lims[3] = {P::XLim, P::YLim, P::ZLim};
        for (std::size_t i = 0; i < arg.numel(); i += 2) t.set(ax, lims[i / 2], Value::row({arg[i], arg[i + 1]}));
        return;
    }
    std::string option = arg.is_char() ? arg.text() : std::string();
    if (option == "auto") {
        for (PropertyId m : {P::XLimMode, P::YLimMode, P::ZLimMode}) set_word(ax, m, "auto");
    } else if (option == "manual") {
        AxesLimits lim = effective_limits(ax);
        t.set(ax, P::XLim, Value::row({lim.x[0], lim.x[1]}));
        t.set(ax, P::YLim, Value::row({lim.y[0], lim.y[1]}));
        t.set(ax, P::ZLim, Value::row({lim.z[0], lim.z[1]}));
    } else if (option == "equal") {
        t.set(ax, P::DataAspectRatio, Value::row({1, 1, 1}));
    } else if (option == "normal") {
        set_word(ax, P::DataAspectRatioMode, "auto");
        set_word(ax, P::PlotBoxAspectRatioMode, "auto");
    } else if (option == "on" || option == "off") {
        set_word(ax, P::Visible, option);
    } else {
        raise(
            "axis: expected limits [xmin xmax ymin ymax (zmin zmax)] or one of 'auto', 'manual', 'equal', "
            "'normal', 'on', 'off'; not " +
            describe(arg) + ".");
    }
}

Value axis() {
    AxesLimits lim = effective_limits(current_axes_object());
    return Value::row({lim.x[0], lim.x[1], lim.y[0], lim.y[1]});
}

void view(double azimuth, double elevation) {
    if (!std::isfinite(azimuth) || !std::isfinite(elevation))
        raise("view: azimuth and elevation must be finite numbers.");
    tree().set(current_axes_object(), P::View, Value::row({azimuth, elevation}));
}

void view(const Value& arg) {
    if (arg.is_double() && arg.numel() == 1 && (arg[0] == 2 || arg[0] == 3)) {
        if (arg[0] == 3) view(-37.5, 30);
        else view(0, 90);
        return;
    }
    if (arg.is_double() && arg.numel() == 2) {
        view(arg[0], arg[1]);
        return;
    }
    raise("view: expected view(az, el), view([az el]), view(2) or view(3); not " + describe(arg) + ".");
}

Value view() { return current_axes_object().value(P::View); }

}  // namespace rt
