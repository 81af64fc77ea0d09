#include "runtime/graphics/callbacks.hpp"

#include <algorithm>
#include <deque>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "runtime/array/error.hpp"
#include "runtime/call/console.hpp"
#include "runtime/expression/expression.hpp"
#include "runtime/graphics/callback_queue.hpp"
#include "runtime/graphics/object_tree.hpp"

namespace rt {

namespace {

struct Delivery {
    double handle;
    PropertyId property;
};

struct CallbackState {
    std::deque<Delivery> queue;
    std::vector<Delivery> running;                 // callbacks now running
    std::vector<std::pair<double, Value>> frames;  // (gcbo, gcbf), innermost last
    IgnoredDeliveryNotice ignored;
};

CallbackState& state() {
    static CallbackState s;
    return s;
}

bool is_running(double h, PropertyId id) {
    const auto& running = state().running;
    return std::any_of(running.begin(), running.end(),
                       [&](const Delivery& d) { return d.handle == h && d.property == id; });
}

// Marks a callback as running and gcbo/gcbf as its object and window for a
// scope; both are undone on every exit, an error included.
class RunningCallback {
public:
    RunningCallback(double h, PropertyId id, Value figure) : handle_(h), id_(id) {
        state().running.push_back({h, id});
        state().frames.emplace_back(h, std::move(figure));
    }
    ~RunningCallback() {
        auto& running = state().running;
        for (auto it = running.rbegin(); it != running.rend(); ++it) {
            if (it->handle == handle_ && it->property == id_) {
                running.erase(std::next(it).base());
                break;
            }
        }
        if (!state().frames.empty()) state().frames.pop_back();
    }
    RunningCallback(const RunningCallback&) = delete;
    RunningCallback& operator=(const RunningCallback&) = delete;

private:
    double handle_;
    PropertyId id_;
};

PropertyId callback_property(const GraphicsObject& obj, std::string_view name) {
    PropertyId id = property_of(obj, name);
    const PropertySpec* prop = schema(obj.type()).find(id);
    if (prop->kind != ValueKind::Callback) {
        raise(std::string("'") + property_name(id) + "' is not a callback property of the " + type_name(obj.type()) +
              " object.");
    }
    return id;
}

bool deliver(double h, PropertyId id) {
    if (is_running(h, id)) {
        if (state().ignored) state().ignored(h, property_name(id));
        return false;
    }
    ObjectTree& t = tree();
    GraphicsObject* obj = t.find(h);
    if (!obj) return false;
    Value code = obj->value(id);
    if (code.is_empty()) {
        if (id == PropertyId::CloseRequestFcn && obj->type() == ObjectType::Figure) t.destroy(*obj);
        return true;
    }
    if (state().frames.size() >= kMaxCallbackDepth) {
        throw CallbackDepthError("Callbacks nest deeper than " + std::to_string(kMaxCallbackDepth) + " levels: the " +
                                 property_name(id) + " of " + type_name(obj->type()) + " " + describe(h) +
                                 " was not run.");
    }
    const GraphicsObject* fig = figure_of(*obj);
    RunningCallback running(h, id, fig ? Value(fig->handle()) : Value::empty());
    EvalContext ctx;
    evaluate(code.text(), ctx, false);
    return true;
}

}  // namespace

void post_callback(double handle, std::string_view property) {
    GraphicsObject& obj = tree().require(handle, "");
    queue_callback(handle, callback_property(obj, property));
}

bool deliver_callback(double handle, std::string_view property) {
    GraphicsObject& obj = tree().require(handle, "");
    return deliver(handle, callback_property(obj, property));
}

void deliver_pending_callbacks() {
    auto& queue = state().queue;
    while (!queue.empty()) {
        Delivery d = queue.front();
        queue.pop_front();
        queued_deliveries = queue.size();
        deliver(d.handle, d.property);
    }
}

void set_ignored_delivery_notice(IgnoredDeliveryNotice notice) { state().ignored = std::move(notice); }

std::size_t pending_callback_count() noexcept { return state().queue.size(); }

Value gcbo() {
    const auto& frames = state().frames;
    return frames.empty() ? Value::empty() : Value(frames.back().first);
}

Value gcbf() {
    const auto& frames = state().frames;
    return frames.empty() ? Value::empty() : frames.back().second;
}

bool callback_running() noexcept { return !state().frames.empty(); }

void queue_callback(double handle, PropertyId property) {
    state().queue.push_back({handle, property});
    queued_deliveries = state().queue.size();
}

void forget_queued_callbacks(double handle) {
    auto& queue = state().queue;
    queue.erase(std::remove_if(queue.begin(), queue.end(), [&](const Delivery& d) { return d.handle == handle; }),
                queue.end());
    queued_deliveries = queue.size();
}

void run_delete_callbacks(const std::vector<double>& handles) {
    std::exception_ptr too_deep;
    for (double h : handles) {
        GraphicsObject* obj = tree().find(h);
        if (!obj || obj->value(PropertyId::DeleteFcn).is_empty()) continue;
        std::string type = type_name(obj->type());
        try {
            deliver(h, PropertyId::DeleteFcn);
        } catch (const CallbackDepthError&) {
            // A runaway chain of callbacks must end where it started, not
            // as one warning per level; the other objects' DeleteFcns run.
            if (!too_deep) too_deep = std::current_exception();
        } catch (const std::exception& e) {
            // The object goes whatever its DeleteFcn did: say what failed.
            warning("Error in the DeleteFcn of a " + type + " object: " + e.what());
        }
    }
    if (too_deep) std::rethrow_exception(too_deep);
}

void run_create_callbacks(const std::vector<double>& handles) {
    for (double h : handles) {
        GraphicsObject* obj = tree().find(h);
        if (!obj || obj->being_deleted()) continue;
        std::string type = type_name(obj->type());
        try {
            deliver(h, PropertyId::CreateFcn);
        } catch (const std::exception& e) {
            warning("Error in the CreateFcn of a " + type + " object: " + e.what());
        }
    }
}

void clear_callbacks() {
    state().queue.clear();
    queued_deliveries = 0;
    state().running.clear();
    state().frames.clear();
}

void request_close(double figure) {
    GraphicsObject& obj = tree().require(figure, "");
    if (obj.type() != ObjectType::Figure) raise(describe(figure) + " is not a window.");
    queue_callback(figure, PropertyId::CloseRequestFcn);
}

void note_window_geometry(double figure, const PixelRect& inner) {
    GraphicsObject& obj = tree().require(figure, "");
    if (obj.type() != ObjectType::Figure) raise(describe(figure) + " is not a window.");
    tree().place_figure(obj, inner, false);
}

}  // namespace rt
