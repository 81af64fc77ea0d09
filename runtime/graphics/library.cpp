// The graphics functions callable by name, and the library's start and end.
#include <algorithm>

#include "runtime/array/error.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/graphics/callback_queue.hpp"
#include "runtime/graphics/feature_state.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/graphics/object_tree.hpp"

namespace rt {

namespace {

// The inputs actually given and the count checks every entry makes first.
struct Call {
    int nargout;
    Value* out;
    std::span<const Value> in;

    Call(int nout, Value* outputs, int given, const Value* inputs, int min_in, int max_in, int max_out)
        : nargout(nout), out(outputs), in(inputs, static_cast<std::size_t>(nargin(given, inputs))) {
        if (nargout > max_out) raise("Too many output arguments.");
        if (static_cast<int>(in.size()) < min_in) raise("Not enough input arguments.");
        if (max_in >= 0 && static_cast<int>(in.size()) > max_in) raise("Too many input arguments.");
    }
    const Value& arg(std::size_t i) const { return in[i]; }
    std::size_t count() const { return in.size(); }
    // For a form that only changes things.
    void no_output() const {
        if (nargout > 0) raise("Too many output arguments.");
    }
};

constexpr int kAny = -1;

void entry_gcbo(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, 0, 1);
    out[0] = gcbo();
}
void entry_gcbf(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, 0, 1);
    out[0] = gcbf();
}
void entry_gcf(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, 0, 1);
    out[0] = gcf();
}
void entry_gca(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, 0, 1);
    out[0] = gca();
}
void entry_get(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 1, 2, 1);
    out[0] = c.count() == 1 ? get(c.arg(0)) : get(c.arg(0), c.arg(1));
}
void entry_set(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 1, kAny, 0);
    set(c.arg(0), c.in.subspan(1));
}
void entry_figure(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, kAny, 1);
    out[0] = figure(c.in);
}
void entry_axes(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, kAny, 1);
    out[0] = axes(c.in);
}
void entry_uicontrol(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, kAny, 1);
    out[0] = uicontrol(c.in);
}
void entry_rectangle(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, kAny, 1);
    out[0] = rectangle(c.in);
}
void entry_line(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, kAny, 1);
    out[0] = line(c.in);
}
void entry_plot(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 1, kAny, 1);
    out[0] = plot(c.in);
}
void entry_surface(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 1, kAny, 1);
    out[0] = surface(c.in);
}
void entry_text(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 3, kAny, 1);
    out[0] = text(c.in);
}
void entry_delete(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 1, kAny, 0);
    for (const Value& h : c.in) delete_(h);
}
void entry_close(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, 1, 0);
    close(c.in);
}
void entry_closereq(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, 0, 0);
    // The window whose close request runs; called directly, the current one.
    Value fig = gcbf();
    if (fig.is_empty()) {
        GraphicsObject* current = tree().current_figure();
        if (!current) return;
        fig = Value(current->handle());
    }
    if (ishandle(fig[0])) delete_(fig);
}
void entry_findall(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 1, kAny, 1);
    out[0] = findall(c.arg(0), c.in.subspan(1));
}
void entry_findobj(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, kAny, 1);
    out[0] = findobj(c.in);
}
void entry_getappdata(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 1, 2, 1);
    out[0] = c.count() == 1 ? getappdata(c.arg(0)) : getappdata(c.arg(0), c.arg(1));
}
void entry_setappdata(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 3, 3, 0);
    setappdata(c.arg(0), c.arg(1), c.arg(2));
}
void entry_isappdata(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 2, 2, 1);
    out[0] = Value::logical(isappdata(c.arg(0), c.arg(1)));
}
void entry_rmappdata(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 2, 2, 0);
    rmappdata(c.arg(0), c.arg(1));
}
void entry_hold(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, 2, 0);
    if (c.count() == 0) hold();
    else if (c.count() == 1) hold(c.arg(0));
    else hold(c.arg(0), c.arg(1));
}
void entry_ishold(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, 1, 1);
    out[0] = Value::logical(c.count() == 0 ? ishold() : ishold(c.arg(0)));
}
void entry_axis(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, 1, 1);
    if (c.count() == 0) {
        out[0] = axis();
        return;
    }
    c.no_output();
    axis(c.arg(0));
}
void entry_view(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, 2, 1);
    if (c.count() == 0) {
        out[0] = view();
        return;
    }
    c.no_output();
    if (c.count() == 1) {
        view(c.arg(0));
        return;
    }
    if (!c.arg(0).is_double() || c.arg(0).numel() != 1 || !c.arg(1).is_double() || c.arg(1).numel() != 1) {
        raise("view: azimuth and elevation must be numbers.");
    }
    view(c.arg(0)[0], c.arg(1)[0]);
}
void entry_newplot(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, 0, 1);
    out[0] = newplot();
}
void entry_drawnow(int nout, Value* out, int n, const Value* in) {
    // drawnow('expose') and the like refresh the same way.
    Call c(nout, out, n, in, 0, 1, 0);
    drawnow();
}
void entry_pause(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, 1, 0);
    pause(c.count() == 0 ? Value(0.0) : c.arg(0));
}
void entry_feature(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 1, 2, 1);
    out[0] = feature(nout, c.arg(0), c.count() == 2 ? c.arg(1) : Value::absent());
}
void entry_meshgrid(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 1, 2, 2);
    Value x, y;
    meshgrid(c.arg(0), c.count() == 2 ? c.arg(1) : c.arg(0), x, y);
    out[0] = x;
    if (nout > 1) out[1] = y;
}
void entry_clf(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, 1, 0);
    Value fig = c.count() == 0 ? gcf() : c.arg(0);
    GraphicsObject& obj = tree().require(fig, "clf");
    if (obj.type() != ObjectType::Figure) raise("clf: " + describe(fig) + " is not a window handle.");
    delete_(get(Value(obj.handle()), Value::string("Children")));
}
void entry_cla(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 0, 1, 0);
    Value ax = c.count() == 0 ? gca() : c.arg(0);
    GraphicsObject& obj = tree().require(ax, "cla");
    if (obj.type() != ObjectType::Axes) raise("cla: " + describe(ax) + " is not an axes handle.");
    delete_(get(Value(obj.handle()), Value::string("Children")));
}

}  // namespace

void entry_ishandle(int nout, Value* out, int n, const Value* in) {
    Call c(nout, out, n, in, 1, 1, 1);
    out[0] = ishandle(c.arg(0));
}

namespace {

struct Named {
    const char* name;
    ByNameEntry entry;
};
constexpr Named kEntries[] = {
    {"ishandle", entry_ishandle},
    {"gcbo", entry_gcbo},
    {"gcbf", entry_gcbf},
    {"gcf", entry_gcf},
    {"gca", entry_gca},
    {"get", entry_get},
    {"set", entry_set},
    {"figure", entry_figure},
    {"axes", entry_axes},
    {"uicontrol", entry_uicontrol},
    {"rectangle", entry_rectangle},
    {"line", entry_line},
    {"plot", entry_plot},
    {"surface", entry_surface},
    {"text", entry_text},
    {"delete", entry_delete},
    {"close", entry_close},
    {"closereq", entry_closereq},
    {"findall", entry_findall},
    {"findobj", entry_findobj},
    {"getappdata", entry_getappdata},
    {"setappdata", entry_setappdata},
    {"isappdata", entry_isappdata},
    {"rmappdata", entry_rmappdata},
    {"hold", entry_hold},
    {"ishold", entry_ishold},
    {"axis", entry_axis},
    {"view", entry_view},
    {"newplot", entry_newplot},
    {"drawnow", entry_drawnow},
    {"pause", entry_pause},
    {"feature", entry_feature},
    {"meshgrid", entry_meshgrid},
    {"clf", entry_clf},
    {"cla", entry_cla},
};

}  // namespace

void graphics_library_initialize() {
    for (const Named& e : kEntries) register_builtin(e.name, e.entry);
}

void graphics_library_terminate() {
    clear_callbacks();
    tree().clear();
    clear_callbacks();
    reset_features();
    set_resource_folders({});
    for (const Named& e : kEntries) unregister_builtin(e.name);
}

}  // namespace rt
