#pragma once
// The registry of graphics objects: handles, parents and children, stored
// property values, the current window and axes, and the backend's
// notifications. One instance, the runtime's own, reached through tree().
//
// Handles: root 0; windows by number (the lowest free one); other objects
// k + 0.5 for a counter k that only grows, found through a HandleTable.

#include <cassert>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#endif

#include "runtime/graphics/graphics_object.hpp"
#include "runtime/graphics/handle_table.hpp"
#include "runtime/graphics/property_schema.hpp"
#include "runtime/graphics/window_backend.hpp"

namespace rt {

class ObjectTree {
public:
    ObjectTree();
    ~ObjectTree();
    ObjectTree(const ObjectTree&) = delete;
    ObjectTree& operator=(const ObjectTree&) = delete;

    GraphicsObject& root() noexcept { return root_; }
    GraphicsObject* find(double h) noexcept {
        // The usual handle, k + 0.5, first: k is h without its fraction. A
        // number at or above kLargestHandle may pass for one when adding 0.5
        // rounds, but no counter gets that far, so nothing is found for it.
        const std::int64_t k = truncated(h);
        if (static_cast<double>(k) + 0.5 == h) [[likely]]
            return others_.find(static_cast<std::uint64_t>(k));
        if (h == 0) return &root_;
        if (!(h > 0) || h >= kLargestHandle) return nullptr;
        // Twice a handle is a whole number, even for a window, odd for the
        // rest (exact below kLargestHandle, and cheaper than a floor).
        const double twice = h * 2;
        // Through a signed integer: one instruction each way.
        const auto t = static_cast<std::uint64_t>(static_cast<std::int64_t>(twice));
        if (static_cast<double>(static_cast<std::int64_t>(t)) != twice) return nullptr;
        if (t % 2 == 0) {
            const std::size_t n = t / 2;
            return n <= figures_.size() ? figures_[n - 1] : nullptr;
        }
        return others_.find(t / 2);
    }
    // True for a number this tree has handed out as a handle since it was
    // last cleared, whether or not its object still exists.
    bool was_issued(double h) const noexcept;
    // Raises "<function>: H is not a valid handle." (or without the prefix).
    GraphicsObject& require(const Value& h, std::string_view function);
    GraphicsObject& require(double h, std::string_view function) {
        if (GraphicsObject* obj = find(h)) return *obj;
        raise_invalid_handle(h, function);
    }

    // A new object under `parent`, in the tree but not yet announced: its
    // creation call sets its properties and then calls announce, or discard
    // when one of them failed.
    // In line: a learning step makes three objects.
    [[gnu::always_inline]] GraphicsObject& create(ObjectType type, GraphicsObject& parent) {
        Pool& pool = pools_[static_cast<int>(type)];
        auto& siblings = parent.children_;
        // The usual case, where nothing can fail: a pooled object (with its
        // type's slots already, all empty), room in the parent's list and a
        // free slot for the next counter.
        if (type != ObjectType::Figure && pool.count != 0 && siblings.size() != siblings.capacity() &&
            others_.fits(next_k_)) [[likely]] {
            GraphicsObject* obj = pool.kept[--pool.count];
            siblings.push_back(obj);
            others_.insert_fitting(next_k_, obj);
            // Its versions are the ones of its last life until announce
            // moves them on: nobody reads them before.
            obj->parent_ = &parent;
            obj->serial_ = next_serial_++;
            obj->handle_ = static_cast<double>(static_cast<std::int64_t>(next_k_)) + 0.5;
            ++next_k_;
            obj->figure_ = parent.figure_;
            return *obj;
        }
        return create_slow(type, parent);
    }
    void announce(GraphicsObject& obj) {
        // The usual case: a leaf the backend has not heard of, without a CreateFcn.
        if (obj.children_.empty() && !obj.announced_ && !has_callback(obj, create_fcn_)) [[likely]] {
            obj.announced_ = true;
            if (backend) backend->object_created(obj);
            changed(obj);
            return;
        }
        announce_slow(obj);
    }
    // announce for a leaf create has just made, with nothing but values
    // stored since: it has no children and the backend has not heard of it.
    void announce_new(GraphicsObject& obj) {
        assert(obj.children_.empty() && !obj.announced_);
        if (!has_callback(obj, create_fcn_)) [[likely]] {
            obj.announced_ = true;
            if (backend) backend->object_created(obj);
            changed(obj);
            return;
        }
        announce_slow(obj);
    }
    void discard(GraphicsObject& obj);
    // Deletes the object and its subtree: "DeleteFcn"s first, then the
    // backend hears of each, children first. Safe against re-entry.
    void destroy(GraphicsObject& obj) {
        // The usual case (a learning step's objects): nothing can run, so
        // nothing can change under us.
        if (obj.children_.empty() && !obj.being_deleted_ && !has_callback(obj, delete_fcn_) && &obj != &root_)
            [[likely]] {
            obj.being_deleted_ = true;
            discard_leaf(obj);
            return;
        }
        destroy_with_callbacks(obj);
    }
    // Deletes everything without callbacks (library termination).
    void clear();

    // ---- properties ----
    // Raises for a property the type lacks (naming it as `name`, the
    // caller's spelling), a read-only one, or a bad value.
    void set(GraphicsObject& obj, PropertyId id, const Value& v, std::string_view name = {});
    Value get(const GraphicsObject& obj, PropertyId id) const;
    // Stores a value already checked, and tells whoever needs to know.
    // Inline: a learning step stores about ten values.
    void store(GraphicsObject& obj, PropertyId id, Value v) {
        if (id == PropertyId::CurrentAxes) note_current_axes(obj, v);
        const int s = obj.schema_->slot_of(id);
        // Every caller stores a property of the object's own type.
        assert(s >= 0);
        if (s < 0) return;
        obj.values_[static_cast<std::size_t>(s)] = std::move(v);
        obj.present_ |= std::uint64_t{1} << s;
        touch(obj, id);
    }
    // store for an object still being made (not yet announced), given a
    // value to share: a drawing call fills in a new object this way.
    void store_new(GraphicsObject& obj, PropertyId id, const Value& v) noexcept {
        assert(id != PropertyId::CurrentAxes);
        store_new_at(obj, obj.schema_->slot_of(id), v);
    }
    // store_new into slot s, found beforehand with slot_of on the object's
    // type: a drawing call's usual properties need no lookup.
    void store_new_at(GraphicsObject& obj, int s, const Value& v) noexcept {
        assert(!obj.announced_ && s >= 0 && static_cast<std::size_t>(s) < obj.values_.size());
        const std::uint64_t bit = std::uint64_t{1} << s;
        Value& slot = obj.values_[static_cast<std::size_t>(s)];
        // A slot without its bit holds an empty value: nothing to let go of.
        if (obj.present_ & bit) [[unlikely]]
            slot = v;
        else std::construct_at(&slot, v);
        obj.present_ |= bit;
    }
    // store_new of several values into slots that hold nothing yet: each
    // value with fill_empty_at, then all their bits at once with mark_filled.
    void fill_empty_at(GraphicsObject& obj, int s, const Value& v) noexcept {
        assert(!obj.announced_ && s >= 0 && static_cast<std::size_t>(s) < obj.values_.size());
        assert(!(obj.present_ >> s & 1u));
        std::construct_at(&obj.values_[static_cast<std::size_t>(s)], v);
    }
    void mark_filled(GraphicsObject& obj, std::uint64_t slots) noexcept { obj.present_ |= slots; }
    // Whether any of the slots holds a value.
    static bool any_filled(const GraphicsObject& obj, std::uint64_t slots) noexcept {
        return (obj.present_ & slots) != 0;
    }
    // Drops stored values (back to defaults), except those in `keep`.
    void reset(GraphicsObject& obj, std::initializer_list<PropertyId> keep);
    void touch(GraphicsObject& obj, PropertyId id) {
        // An object still being made is counted once, when it is announced.
        if (obj.announced_) touch_announced(obj, id);
    }

    // ---- application data ----
    const Value* appdata(const GraphicsObject& obj, std::string_view name) const;
    void set_appdata(GraphicsObject& obj, std::string_view name, Value v);
    bool remove_appdata(GraphicsObject& obj, std::string_view name);
    const std::vector<std::pair<std::string, Value>>& all_appdata(const GraphicsObject& obj) const {
        return obj.appdata_;
    }

    // ---- current objects ----
    GraphicsObject* current_figure() noexcept { return figure_order_.empty() ? nullptr : figure_order_.back(); }
    void make_current(GraphicsObject& figure);
    // The figure's current axes, or null.
    GraphicsObject* current_axes(GraphicsObject& figure) noexcept { return figure.current_axes_; }
    void make_current_axes(GraphicsObject& axes);
    // Open windows by number.
    std::vector<GraphicsObject*> figures() const;

    // ---- geometry ----
    PixelRect pixel_rect(const GraphicsObject& obj, PropertyId id) const;
    FrameMargins margins(const GraphicsObject& figure) const;
    double screen_width() const noexcept { return screen_w_; }
    double screen_height() const noexcept { return screen_h_; }
    void set_screen(double w, double h) noexcept {
        screen_w_ = w;
        screen_h_ = h;
    }
    // Sets a figure's inner rectangle in pixels; queues its ResizeFcn when
    // the size changed. `echo` false keeps the backend from hearing of it.
    void place_figure(GraphicsObject& figure, const PixelRect& inner, bool echo);

    WindowBackend* backend = nullptr;

private:
    static constexpr double kLargestHandle = 4503599627370496.0;  // 2^52: k + 0.5 stays exact below it
    // h without its fraction; for NaN and numbers beyond the range of the
    // result, a number of which h is not k + 0.5.
    static std::int64_t truncated(double h) noexcept {
#if defined(__SSE2__) && defined(__x86_64__)
        return _mm_cvttsd_si64(_mm_set_sd(h));  // INT64_MIN out of range
#else
        return h > -9.0e18 && h < 9.0e18 ? static_cast<std::int64_t>(h) : 0;
#endif
    }
    // Enough objects of each type kept for reuse to cover the create-and-delete
    // pattern of a learning step, without holding on to memory after a big
    // deletion. Pooled by type, so that a reused object's slots are its type's
    // and its room does not creep up to that of the largest type over many runs.
    static constexpr std::size_t kPoolLimit = 16;
    struct Pool {
        GraphicsObject* kept[kPoolLimit];
        std::size_t count = 0;
    };
    // Where a type keeps a callback property ("CreateFcn", "DeleteFcn"), so
    // that asking whether an object has one reads its present-bit mask.
    struct CallbackSlot {
        std::uint64_t bit = 0;  // 0: the type has no such property
        int slot = 0;
        bool by_default = false;  // the type's default is not empty
    };
    static CallbackSlot callback_slot(const TypeSchema& type, PropertyId id);
    bool has_callback(const GraphicsObject& obj, const CallbackSlot* slots) const noexcept {
        const CallbackSlot& c = slots[static_cast<int>(obj.type_)];
        if (obj.present_ & c.bit) return !obj.values_[static_cast<std::size_t>(c.slot)].is_empty();
        return c.by_default;
    }
    static std::uint64_t counter_of(const GraphicsObject& obj) noexcept {
        return static_cast<std::uint64_t>(static_cast<std::int64_t>(obj.handle_));
    }
    void destroy_with_callbacks(GraphicsObject& obj);
    [[noreturn]] static void raise_invalid_handle(double h, std::string_view function);
    std::uint64_t next_version() noexcept { return ++version_counter_; }
    // Moves on the object's version and its window's content version, both
    // to one new number: each only has to differ from what it was.
    void changed(GraphicsObject& obj) noexcept {
        const std::uint64_t v = next_version();
        obj.version_ = obj.property_version_ = v;
        GraphicsObject* fig = obj.figure_ ? obj.figure_ : find_figure(obj);
        if (fig) fig->content_version_ = v;
    }
    // The same when only the object's children changed.
    void children_changed(GraphicsObject& obj) noexcept {
        const std::uint64_t v = next_version();
        obj.version_ = v;
        GraphicsObject* fig = obj.figure_ ? obj.figure_ : find_figure(obj);
        if (fig) fig->content_version_ = v;
    }
    // The window holding obj, walking up; remembered on obj.
    GraphicsObject* find_figure(GraphicsObject& obj) noexcept;
    void touch_announced(GraphicsObject& obj, PropertyId id);
    void note_current_axes(GraphicsObject& obj, const Value& v) noexcept;
    void collect(GraphicsObject& obj, std::vector<GraphicsObject*>& out, bool children_first);
    // Takes obj out of its parent's children, to be given another parent:
    // the subtree's remembered window is forgotten.
    void unlink(GraphicsObject& obj);
    // The same for an object about to go.
    void detach(GraphicsObject& obj) noexcept;
    static void detach_child(std::vector<GraphicsObject*>& siblings, GraphicsObject& obj) noexcept;
    // discard for an object without children.
    void discard_leaf(GraphicsObject& obj) noexcept;
    // Takes one object out of the registries (its children are done apart).
    void release(GraphicsObject& obj) noexcept;
    void set_special(GraphicsObject& obj, const PropertySpec& prop, const Value& v);
    void set_units(GraphicsObject& obj, const PropertySpec& prop, const Value& v);
    void set_parent(GraphicsObject& obj, const Value& v);
    // A new object of the type, for an empty pool.
    [[gnu::noinline]] GraphicsObject* make_object(ObjectType type);
    [[gnu::noinline]] GraphicsObject& create_figure(GraphicsObject& parent);
    [[gnu::noinline]] GraphicsObject& create_slow(ObjectType type, GraphicsObject& parent);
    void start_life(GraphicsObject& obj, GraphicsObject& parent) noexcept {
        obj.parent_ = &parent;
        obj.serial_ = next_serial_++;
        obj.version_ = obj.property_version_ = obj.content_version_ = next_version();
    }
    [[gnu::noinline]] void announce_slow(GraphicsObject& obj);
    [[gnu::noinline]] void announce_tree(GraphicsObject& obj);
    [[gnu::noinline]] static void run_create_callback(double handle);
    // Empties a released object and keeps it for reuse, or deletes it.
    void recycle(GraphicsObject* obj) noexcept;
    // Into its type's pool, or deleted when the pool is full.
    void keep(GraphicsObject* obj) noexcept;

    GraphicsObject root_;
    // The tree owns its objects through these plain pointers: windows here,
    // the others in others_, the ones kept for reuse in pools_.
    std::vector<GraphicsObject*> figures_;  // index = number - 1, null when free
    HandleTable others_;
    const TypeSchema* schemas_[kObjectTypeCount];
    Pool pools_[kObjectTypeCount];  // by type
    CallbackSlot create_fcn_[kObjectTypeCount];
    CallbackSlot delete_fcn_[kObjectTypeCount];
    std::vector<GraphicsObject*> figure_order_;  // the current one last
    std::uint64_t next_k_ = 1;
    std::size_t most_figures_ = 0;  // the highest window number handed out
    std::uint64_t next_serial_ = 1;
    std::uint64_t version_counter_ = 0;
    double screen_w_ = 1280, screen_h_ = 1024;
};

// The runtime's one tree. Nothing uses it before main starts.
extern ObjectTree object_tree;
inline ObjectTree& tree() { return object_tree; }

// ---- shared by the functions of graphics.hpp ----
// The characters of a text Value as a string_view, without an allocation for
// the short ASCII names that properties have.
class NameText {
public:
    std::string_view of(const Value& name);

private:
    char small_[40];
    std::string large_;
};

// A property named by a Value (must be text); raises for an unknown name.
PropertyId property_of(const GraphicsObject& obj, const Value& name);
PropertyId property_of(const GraphicsObject& obj, std::string_view name);
// Applies name/value pairs (and structures of them) in order.
void apply_pairs(GraphicsObject& obj, std::span<const Value> pairs, std::string_view function);
// Fills an object still being made from pairs whose names were all set on
// its type before, with rules that store the value as it is accepted (a
// known text, or a place that passes its check in line), as apply_pairs
// would. False, having stored nothing, when any pair needs apply_pairs.
bool fill_known_pairs(GraphicsObject& obj, std::span<const Value> pairs) noexcept;
// The text of a value for messages (a handle, a number).
std::string describe(const Value& v);
std::string describe(double h);

}  // namespace rt
