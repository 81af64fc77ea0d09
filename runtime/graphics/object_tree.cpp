#include "runtime/graphics/object_tree.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <exception>
#include <iterator>

#include "runtime/array/error.hpp"
#include "runtime/array/text.hpp"
#include "runtime/graphics/callback_queue.hpp"

namespace rt {

namespace {
// Children room a pooled object keeps; an axes that held a window's
// thousands of surfaces gives the rest back.
constexpr std::size_t kKeptChildren = 64;
// Registry room always kept: more than a control window and a learning step need.
constexpr std::size_t kKeptRoom = 1024;
}  // namespace

ObjectTree object_tree;

inline void GraphicsObject::clear_values() noexcept {
    Value* const values = values_.data();
    for (std::uint64_t bits = present_; bits; bits &= bits - 1) {
        Value& v = values[std::countr_zero(bits)];
        std::destroy_at(&v);
        std::construct_at(&v);
    }
    present_ = 0;
}

// The room kept from the start: the registry then grows only beyond it, not
// in the middle of a learning run's steps.
ObjectTree::ObjectTree() : others_(kKeptRoom) {
    for (int i = 0; i < kObjectTypeCount; ++i) {
        schemas_[i] = &schema(static_cast<ObjectType>(i));
        create_fcn_[i] = callback_slot(*schemas_[i], PropertyId::CreateFcn);
        delete_fcn_[i] = callback_slot(*schemas_[i], PropertyId::DeleteFcn);
    }
    root_.become(*schemas_[static_cast<int>(ObjectType::Root)]);
    root_.handle_ = 0;
    root_.announced_ = true;
}

ObjectTree::~ObjectTree() {
    for (GraphicsObject* fig : figures_) delete fig;
    for (Pool& pool : pools_) {
        for (std::size_t i = 0; i < pool.count; ++i) delete pool.kept[i];
    }
}

ObjectTree::CallbackSlot ObjectTree::callback_slot(const TypeSchema& type, PropertyId id) {
    const int s = type.slot_of(id);
    if (s < 0) return {};
    return {std::uint64_t{1} << s, s, !type.specs()[static_cast<std::size_t>(s)].default_value.is_empty()};
}

bool ObjectTree::was_issued(double h) const noexcept {
    // Windows take the lowest free number and other handles count up, so
    // every number below the highest of each kind has been handed out.
    if (h == 0) return true;
    if (!(h >= 1) || h >= kLargestHandle) return false;
    const double whole = std::floor(h);
    if (whole == h) return h <= static_cast<double>(most_figures_);
    return h - whole == 0.5 && whole < static_cast<double>(next_k_);
}

void ObjectTree::raise_invalid_handle(double h, std::string_view function) {
    std::string prefix = function.empty() ? "" : std::string(function) + ": ";
    raise(prefix + describe(h) + " is not a valid handle.");
}

GraphicsObject& ObjectTree::require(const Value& h, std::string_view function) {
    std::string prefix = function.empty() ? "" : std::string(function) + ": ";
    if (!(h.is_double() || h.is_logical()) || h.numel() != 1) {
        raise(prefix + "expected one graphics handle, not " + describe(h) + ".");
    }
    return require(h[0], function);
}

GraphicsObject* ObjectTree::make_object(ObjectType type) {
    auto made = std::unique_ptr<GraphicsObject>(new GraphicsObject());
    made->become(*schemas_[static_cast<int>(type)]);
    return made.release();
}

GraphicsObject& ObjectTree::create_slow(ObjectType type, GraphicsObject& parent) {
    if (type == ObjectType::Figure) return create_figure(parent);
    Pool& pool = pools_[static_cast<int>(type)];
    GraphicsObject* obj = pool.count != 0 ? pool.kept[--pool.count] : make_object(type);
    start_life(*obj, parent);
    // Should a list fail to grow, the object goes back and the tree is as it was.
    try {
        parent.children_.push_back(obj);
    } catch (...) {
        recycle(obj);
        throw;
    }
    try {
        others_.insert(next_k_, obj);
    } catch (...) {
        parent.children_.pop_back();
        recycle(obj);
        throw;
    }
    obj->handle_ = static_cast<double>(static_cast<std::int64_t>(next_k_)) + 0.5;
    ++next_k_;
    obj->figure_ = parent.figure_;
    return *obj;
}

GraphicsObject& ObjectTree::create_figure(GraphicsObject& parent) {
    Pool& pool = pools_[static_cast<int>(ObjectType::Figure)];
    GraphicsObject* obj = pool.count != 0 ? pool.kept[--pool.count] : make_object(ObjectType::Figure);
    start_life(*obj, parent);
    try {
        auto free_slot = std::find(figures_.begin(), figures_.end(), nullptr);
        const auto slot = static_cast<std::size_t>(free_slot - figures_.begin());
        figure_order_.reserve(figure_order_.size() + 1);  // windows are few
        parent.children_.push_back(obj);
        try {
            if (free_slot == figures_.end()) figures_.emplace_back();
        } catch (...) {
            parent.children_.pop_back();
            throw;
        }
        figures_[slot] = obj;
        most_figures_ = std::max(most_figures_, figures_.size());
        obj->handle_ = static_cast<double>(slot + 1);
    } catch (...) {
        recycle(obj);
        throw;
    }
    obj->figure_ = obj;
    // Lowest priority until made current: a window loaded from a layout
    // file does not take over the current one.
    figure_order_.insert(figure_order_.begin(), obj);
    return *obj;
}

void ObjectTree::announce_slow(GraphicsObject& obj) {
    if (!obj.children_.empty()) {
        announce_tree(obj);
        return;
    }
    const bool fresh = !obj.announced_;
    if (fresh) {
        obj.announced_ = true;
        if (backend) backend->object_created(obj);
    }
    changed(obj);
    if (fresh && has_callback(obj, create_fcn_)) run_create_callback(obj.handle_);
}

void ObjectTree::run_create_callback(double handle) { run_create_callbacks({handle}); }

void ObjectTree::announce_tree(GraphicsObject& obj) {
    std::vector<GraphicsObject*> all;
    collect(obj, all, false);
    std::vector<double> fresh;
    for (GraphicsObject* o : all) {
        if (o->announced_) continue;
        o->announced_ = true;
        if (backend) backend->object_created(*o);
        if (!o->value(PropertyId::CreateFcn).is_empty()) fresh.push_back(o->handle_);
    }
    changed(obj);
    // Last: a CreateFcn may change or delete anything, this object included.
    if (!fresh.empty()) run_create_callbacks(fresh);
}

void ObjectTree::collect(GraphicsObject& obj, std::vector<GraphicsObject*>& out, bool children_first) {
    if (!children_first) out.push_back(&obj);
    for (GraphicsObject* child : obj.children_) collect(*child, out, children_first);
    if (children_first) out.push_back(&obj);
}

void ObjectTree::detach(GraphicsObject& obj) noexcept {
    GraphicsObject* parent = obj.parent_;
    if (!parent) return;
    detach_child(parent->children_, obj);
    children_changed(*parent);
}

void ObjectTree::detach_child(std::vector<GraphicsObject*>& siblings, GraphicsObject& obj) noexcept {
    // From the newest child back: a learning step deletes what it just made,
    // and the last one comes off without moving any other.
    GraphicsObject** const first = siblings.data();
    GraphicsObject** at = first + siblings.size();
    while (at != first) {
        if (*--at == &obj) {
            std::copy(at + 1, first + siblings.size(), at);
            siblings.pop_back();
            return;
        }
    }
}

void ObjectTree::unlink(GraphicsObject& obj) {
    detach(obj);
    std::vector<GraphicsObject*> moved;
    collect(obj, moved, false);
    for (GraphicsObject* o : moved) o->figure_ = nullptr;
}

void ObjectTree::discard(GraphicsObject& obj) {
    if (obj.children_.empty()) {  // the usual case, without a list
        discard_leaf(obj);
        return;
    }
    std::vector<GraphicsObject*> all;
    collect(obj, all, true);
    detach(obj);
    for (GraphicsObject* o : all) release(*o);
}

inline void ObjectTree::discard_leaf(GraphicsObject& obj) noexcept {
    if (obj.type_ == ObjectType::Figure) [[unlikely]] {
        detach(obj);
        release(obj);
        return;
    }
    // detach and release for the objects of a learning step, in one. Every
    // object but the root and a window has a parent.
    GraphicsObject* const parent = obj.parent_;
    assert(parent);
    // A learning step deletes its three objects in the order made: each is
    // among the last three children.
    auto& siblings = parent->children_;
    GraphicsObject** const at = siblings.data() + siblings.size();
    const std::size_t n = siblings.size();
    if (n >= 1 && at[-1] == &obj) {
        siblings.pop_back();
    } else if (n >= 2 && at[-2] == &obj) {
        at[-2] = at[-1];
        siblings.pop_back();
    } else if (n >= 3 && at[-3] == &obj) {
        at[-3] = at[-2];
        at[-2] = at[-1];
        siblings.pop_back();
    } else {
        detach_child(siblings, obj);
    }
    children_changed(*parent);
    if (obj.announced_ && backend) backend->object_deleted(obj);
    if (parent->current_axes_ == &obj) parent->current_axes_ = nullptr;
    forget_callbacks(obj.handle_);
    others_.take(counter_of(obj));
    obj.clear_values();
    if (!obj.appdata_.empty()) obj.appdata_.clear();
    // Its parent_ and figure_ are left: create sets both anew, and nothing
    // reads a pooled object. Only a window has a current axes.
    assert(!obj.current_axes_);
    obj.backend_data = nullptr;
    obj.being_deleted_ = false;
    obj.announced_ = false;
    keep(&obj);
}

void ObjectTree::release(GraphicsObject& obj) noexcept {
    if (obj.announced_ && backend) backend->object_deleted(obj);
    GraphicsObject* parent = obj.parent_;
    if (parent && parent->current_axes_ == &obj) parent->current_axes_ = nullptr;
    forget_callbacks(obj.handle_);
    if (obj.type_ == ObjectType::Figure) [[unlikely]] {
        figure_order_.erase(std::remove(figure_order_.begin(), figure_order_.end(), &obj), figure_order_.end());
        figures_[static_cast<std::size_t>(obj.handle_) - 1] = nullptr;
        while (!figures_.empty() && !figures_.back()) figures_.pop_back();
    } else {
        others_.take(counter_of(obj));
    }
    recycle(&obj);
}

void ObjectTree::recycle(GraphicsObject* obj) noexcept {
    // Cleared, not freed: a reused object keeps its vectors' room (within reason).
    if (obj->children_.capacity() > kKeptChildren) [[unlikely]]
        std::vector<GraphicsObject*>().swap(obj->children_);
    obj->children_.clear();
    obj->clear_values();
    if (!obj->appdata_.empty()) obj->appdata_.clear();
    obj->parent_ = nullptr;
    obj->current_axes_ = nullptr;
    obj->figure_ = nullptr;
    obj->backend_data = nullptr;
    obj->being_deleted_ = false;
    obj->announced_ = false;
    keep(obj);
}

inline void ObjectTree::keep(GraphicsObject* obj) noexcept {
    Pool& pool = pools_[static_cast<int>(obj->type_)];
    if (pool.count < kPoolLimit) [[likely]]
        pool.kept[pool.count++] = obj;
    else delete obj;
}

void ObjectTree::destroy_with_callbacks(GraphicsObject& obj) {
    if (&obj == &root_ || obj.being_deleted_) return;
    const double handle = obj.handle_;
    const std::uint64_t serial = obj.serial_;
    std::vector<GraphicsObject*> all;
    collect(obj, all, false);
    std::vector<double> handles;
    handles.reserve(all.size());
    for (GraphicsObject* o : all) {
        o->being_deleted_ = true;
        handles.push_back(o->handle_);
    }
    // The objects go even when a DeleteFcn raises (runaway nesting).
    std::exception_ptr failure;
    try {
        run_delete_callbacks(handles);
    } catch (...) {
        failure = std::current_exception();
    }
    // A DeleteFcn may have deleted an ancestor, and with it this object.
    GraphicsObject* again = find(handle);
    if (!again || again->serial_ != serial) {
        if (failure) std::rethrow_exception(failure);
        return;
    }

    GraphicsObject* parent = again->parent_;
    if (again->type_ == ObjectType::Axes && parent && current_axes(*parent) == again) {
        Value next = Value::empty();
        for (auto it = parent->children_.rbegin(); it != parent->children_.rend(); ++it) {
            if (*it != again && (*it)->type_ == ObjectType::Axes && !(*it)->being_deleted_) {
                next = Value((*it)->handle_);
                break;
            }
        }
        store(*parent, PropertyId::CurrentAxes, next);
    }
    discard(*again);
    if (failure) std::rethrow_exception(failure);
}

void ObjectTree::clear() {
    while (!root_.children_.empty()) discard(*root_.children_.back());
    figures_.clear();
    others_.clear();
    figure_order_.clear();
    root_.clear_values();
    root_.appdata_.clear();
    next_k_ = 1;  // no handle of before survives, so none can be confused
    most_figures_ = 0;
    screen_w_ = 1280;
    screen_h_ = 1024;
}

GraphicsObject* ObjectTree::find_figure(GraphicsObject& obj) noexcept {
    for (GraphicsObject* o = &obj; o; o = o->parent_) {
        if (o->type_ == ObjectType::Figure) return obj.figure_ = o;
    }
    return nullptr;
}

void ObjectTree::touch_announced(GraphicsObject& obj, PropertyId id) {
    changed(obj);
    if (backend) backend->property_changed(obj, id);
}

void ObjectTree::note_current_axes(GraphicsObject& obj, const Value& v) noexcept {
    GraphicsObject* ax = v.numel() == 1 ? find(v[0]) : nullptr;
    obj.current_axes_ = (ax && ax->parent_ == &obj && ax->type_ == ObjectType::Axes) ? ax : nullptr;
}

void ObjectTree::reset(GraphicsObject& obj, std::initializer_list<PropertyId> keep) {
    std::vector<PropertyId> dropped;
    const auto& specs = obj.schema_->specs();
    for (std::uint64_t bits = obj.present_; bits; bits &= bits - 1) {
        const auto s = static_cast<std::size_t>(std::countr_zero(bits));
        const PropertyId id = specs[s].id;
        if (std::find(keep.begin(), keep.end(), id) != keep.end()) continue;
        dropped.push_back(id);
        obj.values_[s] = Value();
        obj.present_ &= ~(std::uint64_t{1} << s);
    }
    for (PropertyId id : dropped) touch(obj, id);
}

const Value* ObjectTree::appdata(const GraphicsObject& obj, std::string_view name) const {
    for (const auto& [key, value] : obj.appdata_) {
        if (key == name) return &value;
    }
    return nullptr;
}

void ObjectTree::set_appdata(GraphicsObject& obj, std::string_view name, Value v) {
    for (auto& [key, value] : obj.appdata_) {
        if (key == name) {
            value = std::move(v);
            return;
        }
    }
    obj.appdata_.emplace_back(std::string(name), std::move(v));
}

bool ObjectTree::remove_appdata(GraphicsObject& obj, std::string_view name) {
    auto& data = obj.appdata_;
    auto it = std::find_if(data.begin(), data.end(), [&](const auto& e) { return e.first == name; });
    if (it == data.end()) return false;
    data.erase(it);
    return true;
}

void ObjectTree::make_current(GraphicsObject& figure) {
    auto it = std::find(figure_order_.begin(), figure_order_.end(), &figure);
    if (it == figure_order_.end()) return;
    std::rotate(it, it + 1, figure_order_.end());
}

void ObjectTree::make_current_axes(GraphicsObject& axes) {
    GraphicsObject* figure = axes.parent_;
    if (!figure) return;
    if (current_axes(*figure) != &axes) store(*figure, PropertyId::CurrentAxes, Value(axes.handle_));
    make_current(*figure);
}

std::vector<GraphicsObject*> ObjectTree::figures() const {
    std::vector<GraphicsObject*> out;
    for (GraphicsObject* f : figures_) {
        if (f) out.push_back(f);
    }
    return out;
}

FrameMargins ObjectTree::margins(const GraphicsObject& figure) const {
    return backend ? backend->frame_margins(figure) : kHeadlessFrameMargins;
}

// ---- the public read side ----

void GraphicsObject::become(const TypeSchema& type) {
    type_ = type.type();
    schema_ = &type;
    // A pooled object keeps its slots (all empty): only a type with more
    // properties than it ever had allocates.
    if (values_.size() < type.specs().size()) values_.resize(type.specs().size());
}

const Value& GraphicsObject::no_value() noexcept {
    static const Value empty = Value::empty();
    return empty;
}

bool GraphicsObject::is(PropertyId id, std::string_view text) const noexcept { return text_is(value(id), text); }

const GraphicsObject* find_object(double handle) noexcept { return tree().find(handle); }

const GraphicsObject* figure_of(const GraphicsObject& obj) noexcept {
    for (const GraphicsObject* o = &obj; o; o = o->parent()) {
        if (o->type() == ObjectType::Figure) return o;
    }
    return nullptr;
}

std::vector<const GraphicsObject*> open_figures() {
    auto all = tree().figures();
    return {all.begin(), all.end()};
}

std::string describe(double h) { return num2str(h); }

namespace {

// Texts are appended piece by piece here, not joined with operator+ on a
// literal: GCC 12 at -O3 takes that insert at the front for an overlapping
// copy (a -Wrestrict false positive) once describe() is inlined.
std::string quoted(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 2);
    out.append(1, '\'').append(text).append(1, '\'');
    return out;
}

}  // namespace

std::string describe(const Value& v) {
    if (v.is_char()) return quoted(v.text());
    if ((v.is_double() || v.is_logical()) && v.numel() == 1) return num2str(v[0]);
    if (v.is_double() && v.is_empty()) return "[]";
    std::string text = "a ";
    text.append(std::to_string(v.rows())).append("-by-").append(std::to_string(v.cols())).append(" ");
    text.append(class_name(v.class_id()));
    return text;
}

}  // namespace rt
