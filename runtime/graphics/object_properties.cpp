// Reading and changing the properties of objects in the tree, with the rules
// that tie properties together (units, a window's frame, limit modes).
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "runtime/array/error.hpp"
#include "runtime/graphics/cache_key.hpp"
#include "runtime/graphics/callback_queue.hpp"
#include "runtime/graphics/object_tree.hpp"
#include "runtime/graphics/units.hpp"

namespace rt {

namespace {

using P = PropertyId;

const Value& word(const GraphicsObject& obj, PropertyId id, int index) {
    return obj.type_schema().find(id)->choices->values[static_cast<std::size_t>(index)];
}

// The mode property that a manual setting of `id` switches to "manual".
std::optional<PropertyId> mode_of(PropertyId id) {
    switch (id) {
        case P::XLim: return P::XLimMode;
        case P::YLim: return P::YLimMode;
        case P::ZLim: return P::ZLimMode;
        case P::CLim: return P::CLimMode;
        case P::DataAspectRatio: return P::DataAspectRatioMode;
        case P::PlotBoxAspectRatio: return P::PlotBoxAspectRatioMode;
        case P::Renderer: return P::RendererMode;
        default: return std::nullopt;
    }
}

ObjectType parent_type_of(ObjectType type) {
    switch (type) {
        case ObjectType::Figure: return ObjectType::Root;
        case ObjectType::Axes:
        case ObjectType::Uicontrol: return ObjectType::Figure;
        default: return ObjectType::Axes;
    }
}

bool handle_visible(const GraphicsObject& obj) {
    const Value& v = obj.value(P::HandleVisibility);
    return text_is(v, "on") || (text_is(v, "callback") && callback_running());
}

// The accepted values of recent texts set (a colour letter, a word): a
// learning run sets the same constants at every step, and checking a text
// against a property's words and colour names costs more than the rest of
// the set. A text of one character is recognised by its code, a longer one
// by its storage, which the kept copy holds alive and unchanged (a value
// copies shared storage before writing to it). Accepting a text depends on
// nothing but the type, the property and the text.
class AcceptedTexts {
public:
    const Value* find(ObjectType type, PropertyId id, const Value& v) const noexcept {
        const bool stored = !v.is_inline();
        const std::uint64_t key = detail::value_key(v);
        const Entry& e = entries_[slot(type, id, key)];
        if (e.key == key && e.stored == stored && e.type == type && e.id == id && e.used) return &e.accepted;
        return nullptr;
    }
    void keep(ObjectType type, PropertyId id, const Value& v, const Value& accepted) {
        const bool stored = !v.is_inline();
        const std::uint64_t key = detail::value_key(v);
        Entry& e = entries_[slot(type, id, key)];
        e = {key, type, id, stored, true, accepted, stored ? v : Value()};
    }

private:
    static std::size_t slot(ObjectType type, PropertyId id, std::uint64_t key) noexcept {
        return detail::cache_slot<kSlots>(key ^ (static_cast<std::uint64_t>(id) << 3) ^
                                          static_cast<std::uint64_t>(type));
    }
    static constexpr std::size_t kSlots = 32;
    struct Entry {
        std::uint64_t key = 0;  // the storage's address, or the one character's code
        ObjectType type{};
        PropertyId id{};
        bool stored = false;
        bool used = false;
        Value accepted;
        Value given;  // holds the storage alive and unchanged
    };
    std::array<Entry, kSlots> entries_{};
};

// Only texts are kept: a number is checked in fewer steps than looking it up.
AcceptedTexts accepted_texts;

Value accept_text_once(ObjectType type, const PropertySpec& prop, const Value& v) {
    if (const Value* known = accepted_texts.find(type, prop.id, v)) [[likely]]
        return *known;
    Value accepted = accept_value(type, prop, v);
    accepted_texts.keep(type, prop.id, v, accepted);
    return accepted;
}

// True for a drawing call's place, a double row of four, that a place's rule
// takes as it is: checked here in line.
inline bool plain_rect(const Value& v) noexcept {
    if (!v.is_stored_double() || v.stored_rows() != 1 || v.stored_cols() != 4) return false;
    const double* d = v.stored_data();
    // x - x is 0 for a finite x and NaN for the rest, and a NaN stays in a sum.
    const double finite = (d[0] - d[0]) + (d[1] - d[1]) + (d[2] - d[2]) + (d[3] - d[3]);
    return finite == 0 && d[2] >= 0 && d[3] >= 0;
}

// The same for a property, which must hold a place.
inline bool plain_place(const PropertySpec& prop, const Value& v) noexcept {
    return prop.kind == ValueKind::Rect && plain_rect(v);
}

// What a set stores: the value checked against the property's rule.
Value accepted(ObjectType type, const PropertySpec& prop, const Value& v) {
    if (v.is_char()) return accept_text_once(type, prop, v);
    if (plain_place(prop, v)) return v;
    return accept_value(type, prop, v);
}

// Which properties of each type a set does more for than store the accepted
// value: read-only ones, handles, units and a window's frame, limits with a
// mode, an axes' position.
class PropertyRules {
public:
    PropertyRules() {
        for (int t = 0; t < kObjectTypeCount; ++t) {
            const auto type = static_cast<ObjectType>(t);
            for (const PropertySpec& prop : schema(type).specs()) {
                const PropertyId id = prop.id;
                const bool frame = id == P::Position || id == P::OuterPosition;
                if (prop.kind == ValueKind::Computed || prop.kind == ValueKind::Handle || id == P::Units ||
                    mode_of(id) || (frame && (type == ObjectType::Figure || type == ObjectType::Axes))) {
                    mark(type, id);
                }
            }
        }
    }
    bool has(ObjectType type, PropertyId id) const noexcept {
        const auto i = static_cast<std::size_t>(id);
        return bits_[static_cast<std::size_t>(type)][i / 64] >> (i % 64) & 1u;
    }

private:
    void mark(ObjectType type, PropertyId id) noexcept {
        const auto i = static_cast<std::size_t>(id);
        bits_[static_cast<std::size_t>(type)][i / 64] |= std::uint64_t{1} << (i % 64);
    }
    static constexpr std::size_t kWords = (kPropertyCount + 63) / 64;
    std::array<std::array<std::uint64_t, kWords>, kObjectTypeCount> bits_{};
};

const PropertyRules property_rules;

bool has_rules(ObjectType type, PropertyId id) noexcept { return property_rules.has(type, id); }

std::string prefix(std::string_view function) {
    return function.empty() ? std::string() : std::string(function) + ": ";
}

}  // namespace

PixelRect ObjectTree::pixel_rect(const GraphicsObject& obj, PropertyId id) const {
    Units u = units_of(obj.value(P::Units));
    if (obj.type() == ObjectType::Figure) return to_pixels(obj.value(P::Position), u, screen_w_, screen_h_);
    const GraphicsObject* fig = figure_of(obj);
    PixelRect ref = fig ? pixel_rect(*fig, P::Position) : PixelRect{0, 0, screen_w_, screen_h_};
    return to_pixels(obj.value(id), u, ref.width, ref.height);
}

void ObjectTree::place_figure(GraphicsObject& figure, const PixelRect& inner, bool echo) {
    PixelRect old = pixel_rect(figure, P::Position);
    Value v = from_pixels(inner, units_of(figure.value(P::Units)), screen_w_, screen_h_);
    if (echo) {
        store(figure, P::Position, std::move(v));
    } else {
        WindowBackend* saved = backend;
        backend = nullptr;
        store(figure, P::Position, std::move(v));
        backend = saved;
    }
    if (figure.announced_ && (old.width != inner.width || old.height != inner.height) &&
        !figure.value(P::ResizeFcn).is_empty()) {
        queue_callback(figure.handle(), P::ResizeFcn);
    }
}

Value ObjectTree::get(const GraphicsObject& obj, PropertyId id) const {
    const PropertySpec* prop = obj.type_schema().find(id);
    if (!prop) raise_unknown_property(obj.type(), property_name(id));
    switch (id) {
        case P::Type: return Value::string(type_name(obj.type()));
        case P::Parent: return obj.parent() ? Value(obj.parent()->handle()) : Value::empty();
        case P::Children: {
            std::vector<double> hs;
            for (auto it = obj.children().rbegin(); it != obj.children().rend(); ++it) {
                if (handle_visible(**it)) hs.push_back((*it)->handle());
            }
            return hs.empty() ? Value::zeros(0, 1) : Value::column(hs);
        }
        case P::BeingDeleted: return on_off(obj.being_deleted());
        case P::ScreenPixelsPerInch: return Value(kPixelsPerInch);
        case P::ScreenSize: {
            Units u = units_of(obj.value(P::Units));
            if (u == Units::Pixels) return Value::row({1, 1, screen_w_, screen_h_});
            return from_pixels({0, 0, screen_w_, screen_h_}, u, screen_w_, screen_h_);
        }
        case P::CurrentFigure: {
            auto* self = const_cast<ObjectTree*>(this);
            GraphicsObject* f = self->current_figure();
            return f ? Value(f->handle()) : Value::empty();
        }
        case P::CurrentAxes: {
            auto* self = const_cast<ObjectTree*>(this);
            GraphicsObject* ax = self->current_axes(const_cast<GraphicsObject&>(obj));
            return ax ? Value(ax->handle()) : Value::empty();
        }
        case P::OuterPosition:
            if (obj.type() == ObjectType::Figure) {
                PixelRect in = pixel_rect(obj, P::Position);
                FrameMargins m = margins(obj);
                PixelRect out{in.left - m.left, in.bottom - m.bottom, in.width + m.left + m.right,
                              in.height + m.bottom + m.top};
                return from_pixels(out, units_of(obj.value(P::Units)), screen_w_, screen_h_);
            }
            break;
        case P::XLim:
        case P::YLim:
        case P::ZLim:
        case P::CLim:
            if (obj.is(*mode_of(id), "auto")) {
                AxesLimits lim = effective_limits(obj);
                const double* pair = id == P::XLim ? lim.x : id == P::YLim ? lim.y : id == P::ZLim ? lim.z : lim.c;
                return Value::row({pair[0], pair[1]});
            }
            break;
        default: break;
    }
    return obj.value(id);
}

void ObjectTree::set(GraphicsObject& obj, PropertyId id, const Value& v, std::string_view name) {
    const ObjectType type = obj.type();
    const PropertySpec* prop = obj.type_schema().find(id);
    if (!prop) raise_unknown_property(type, name.empty() ? std::string_view(property_name(id)) : name);
    // Most properties take the accepted value and nothing more.
    if (!has_rules(type, id)) [[likely]] {
        store(obj, id, accepted(type, *prop, v));
        return;
    }
    if (prop->kind == ValueKind::Computed) raise_read_only(type, id);
    if (prop->kind == ValueKind::Handle || id == P::Units ||
        (type == ObjectType::Figure && (id == P::Position || id == P::OuterPosition))) {
        set_special(obj, *prop, v);
        return;
    }
    store(obj, id, v.is_char() ? accept_text_once(type, *prop, v) : accept_value(type, *prop, v));
    if (auto mode = mode_of(id)) store(obj, *mode, word(obj, *mode, 1));
    if (type == ObjectType::Axes && (id == P::Position || id == P::OuterPosition)) {
        store(obj, P::ActivePositionProperty, word(obj, P::ActivePositionProperty, id == P::Position ? 1 : 0));
    }
}

void ObjectTree::set_special(GraphicsObject& obj, const PropertySpec& prop, const Value& v) {
    const ObjectType type = obj.type();
    const bool one_number = (v.is_double() || v.is_logical()) && v.numel() == 1;
    switch (prop.id) {
        case P::Parent: set_parent(obj, v); return;
        case P::CurrentFigure: {
            GraphicsObject* f = one_number ? find(v[0]) : nullptr;
            if (!f || f->type() != ObjectType::Figure)
                raise_bad_value(type, prop.id, "expected the handle of a window");
            make_current(*f);
            return;
        }
        case P::CurrentAxes: {
            if (v.is_double() && v.is_empty()) {
                store(obj, prop.id, Value::empty());
                return;
            }
            GraphicsObject* ax = one_number ? find(v[0]) : nullptr;
            if (!ax || ax->type() != ObjectType::Axes || ax->parent() != &obj) {
                raise_bad_value(type, prop.id, "expected the handle of axes in this window");
            }
            store(obj, prop.id, Value(ax->handle()));
            return;
        }
        case P::Units: set_units(obj, prop, v); return;
        case P::Position: {
            Value rect = accept_value(type, prop, v);
            PixelRect px = to_pixels(rect, units_of(obj.value(P::Units)), screen_w_, screen_h_);
            PixelRect old = pixel_rect(obj, P::Position);
            store(obj, P::Position, std::move(rect));
            if (obj.announced_ && (old.width != px.width || old.height != px.height) &&
                !obj.value(P::ResizeFcn).is_empty()) {
                queue_callback(obj.handle(), P::ResizeFcn);
            }
            return;
        }
        case P::OuterPosition: {
            Value rect = accept_value(type, prop, v);
            PixelRect out = to_pixels(rect, units_of(obj.value(P::Units)), screen_w_, screen_h_);
            FrameMargins m = margins(obj);
            PixelRect in{out.left + m.left, out.bottom + m.bottom, std::max(0.0, out.width - m.left - m.right),
                         std::max(0.0, out.height - m.bottom - m.top)};
            place_figure(obj, in, true);
            return;
        }
        default: store(obj, prop.id, accept_value(type, prop, v));
    }
}

void ObjectTree::set_units(GraphicsObject& obj, const PropertySpec& prop, const Value& v) {
    Value stored = accept_value(obj.type(), prop, v);
    Units from = units_of(obj.value(P::Units));
    Units to = units_of(stored);
    if (from != to && obj.type() != ObjectType::Root) {
        double ref_w = screen_w_, ref_h = screen_h_;
        if (obj.type() != ObjectType::Figure) {
            const GraphicsObject* fig = figure_of(obj);
            PixelRect r = fig ? pixel_rect(*fig, P::Position) : PixelRect{0, 0, screen_w_, screen_h_};
            ref_w = r.width;
            ref_h = r.height;
        }
        for (PropertyId id : {P::Position, P::OuterPosition}) {
            if (!schema(obj.type()).find(id) || (id == P::OuterPosition && obj.type() == ObjectType::Figure)) continue;
            PixelRect px = to_pixels(obj.value(id), from, ref_w, ref_h);
            store(obj, id, from_pixels(px, to, ref_w, ref_h));
        }
    }
    store(obj, P::Units, std::move(stored));
}

void ObjectTree::set_parent(GraphicsObject& obj, const Value& v) {
    const ObjectType wanted = parent_type_of(obj.type());
    GraphicsObject* p = ((v.is_double() || v.is_logical()) && v.numel() == 1) ? find(v[0]) : nullptr;
    if (!p || p->type() != wanted || p->being_deleted()) {
        std::string what = wanted == ObjectType::Root     ? "0 (the root)"
                           : wanted == ObjectType::Figure ? "the handle of a window"
                                                          : "the handle of axes";
        raise_bad_value(obj.type(), P::Parent, "expected " + what);
    }
    if (p == obj.parent_) return;
    GraphicsObject* old = obj.parent_;
    if (obj.type() == ObjectType::Axes && old && current_axes(*old) == &obj)
        store(*old, P::CurrentAxes, Value::empty());
    unlink(obj);
    obj.parent_ = p;
    p->children_.push_back(&obj);
    changed(*p);
    touch(obj, P::Parent);
}

PropertyId property_of(const GraphicsObject& obj, std::string_view name) {
    auto id = property_id(name);
    if (!id || !obj.type_schema().find(*id)) raise_unknown_property(obj.type(), name);
    return *id;
}

std::string_view NameText::of(const Value& name) {
    const std::size_t n = name.numel();
    bool ascii = n <= sizeof(small_);
    for (std::size_t i = 0; ascii && i < n; ++i) {
        const double c = name[i];
        ascii = c > 0 && c < 128;
        if (ascii) small_[i] = static_cast<char>(c);
    }
    if (ascii) return {small_, n};
    large_ = name.text();
    return large_;
}

PropertyId property_of(const GraphicsObject& obj, const Value& name) {
    if (!name.is_char() || name.rows() > 1) raise("Property names must be text, not " + describe(name) + ".");
    NameText text;
    return property_of(obj, text.of(name));
}

namespace {

// Recent property names, recognised by their storage: a learning run sets
// the same constant names at every step, and reading a name's character
// codes and hashing them costs more than the rest of the set. A kept copy
// holds the storage alive and unchanged (a value copies shared storage
// before writing to it), so the same storage means the same characters.
// Names of one character are held inline and not kept.
//
// A name also keeps, for the type it was last set on, the property's rule,
// and the text last given with it there with what that was accepted as: a
// run sets a constant word or colour letter through a constant name.
class KnownNames {
public:
    struct Entry {
        const double* chars = nullptr;  // the name's characters, compared by address
        PropertyId id{};
        Value kept;  // holds the name's storage alive and unchanged
        // For objects of `type`, once `rule` is set:
        ObjectType type{};
        const PropertySpec* rule = nullptr;  // the property as its type has it
        bool plain = false;                  // a set stores the accepted value and does nothing more
        // The text last set through the name there: its storage, or the
        // bits of its one character's code, and what it was accepted as.
        std::uint64_t text = 0;
        bool text_stored = false;
        bool has_text = false;
        Value text_kept;  // holds a stored text alive and unchanged
        Value text_accepted;
    };
    // The entry of a name held in storage, when it is kept.
    Entry* find(const Value& name) noexcept {
        Entry& e = entries_[detail::cache_slot<kSlots>(detail::storage_key(name))];
        return e.chars == name.data() ? &e : nullptr;
    }
    Entry& keep(const Value& name, PropertyId id) {
        Entry& e = entries_[detail::cache_slot<kSlots>(detail::storage_key(name))];
        e = Entry{};
        e.chars = name.data();
        e.id = id;
        e.kept = name;
        return e;
    }

private:
    static constexpr std::size_t kSlots = 32;
    std::array<Entry, kSlots> entries_{};
};

KnownNames known_names;

// property_of for a name given as a text value.
PropertyId property_named(const GraphicsObject& obj, const Value& name) {
    const KnownNames::Entry* e = name.is_inline() ? nullptr : known_names.find(name);
    if (e && obj.type_schema().find(e->id)) [[likely]]
        return e->id;
    NameText buffer;
    const PropertyId id = property_of(obj, buffer.of(name));
    if (!name.is_inline()) known_names.keep(name, id);
    return id;
}

// Sets the property a kept name resolved to on an object of the entry's type.
void set_known(ObjectTree& t, GraphicsObject& obj, KnownNames::Entry& e, const Value& v) {
    if (!e.plain) {
        t.set(obj, e.id, v);
        return;
    }
    if (!v.is_char()) {
        t.store(obj, e.id, accepted(obj.type(), *e.rule, v));
        return;
    }
    const std::uint64_t key = detail::value_key(v);
    const bool stored = !v.is_inline();
    if (e.has_text && e.text == key && e.text_stored == stored) [[likely]] {
        t.store(obj, e.id, e.text_accepted);
        return;
    }
    Value a = accept_value(obj.type(), *e.rule, v);
    e.text = key;
    e.text_stored = stored;
    e.has_text = true;
    e.text_kept = stored ? v : Value();
    e.text_accepted = a;
    t.store(obj, e.id, std::move(a));
}

// Sets a property named by a text value, as ObjectTree::set does.
void set_named(ObjectTree& t, GraphicsObject& obj, const Value& name, const Value& v) {
    KnownNames::Entry* e = name.is_inline() ? nullptr : known_names.find(name);
    if (e && e->rule && e->type == obj.type()) [[likely]] {
        set_known(t, obj, *e, v);
        return;
    }
    const PropertyId id = property_named(obj, name);
    e = name.is_inline() ? nullptr : known_names.find(name);
    if (!e) {
        t.set(obj, id, v);
        return;
    }
    // The name's entry learns the rule of the property for this type.
    e->type = obj.type();
    e->rule = obj.type_schema().find(id);
    e->plain = !has_rules(obj.type(), id);
    e->has_text = false;
    e->text_kept = Value();
    e->text_accepted = Value();
    set_known(t, obj, *e, v);
}

// The last pairs fill_known_pairs stored, whole: a learning step gives its
// rectangle the same names and colour every time, and only the place
// changes. The names, and the texts given, are recognised by their storage,
// which the copies kept hold alive and unchanged.
class KnownPairs {
public:
    static constexpr std::size_t kMost = 4;
    struct Pair {
        const double* name = nullptr;
        Value name_kept;
        PropertyId id{};
        // Where objects of the kept type store it.
        int slot = 0;
        // The value was a text (its storage, or its one character's code),
        // accepted as `accepted`; else a place.
        bool text = false;
        std::uint64_t key = 0;
        bool stored = false;
        Value text_kept;
        Value accepted;
    };
    // Stores the pairs into obj when they are the kept ones but for the places.
    bool fill(GraphicsObject& obj, std::span<const Value> pairs) const noexcept {
        const std::size_t n = pairs.size() / 2;
        // The new object has none of them yet (a drawing call's own values
        // are other properties), so each goes into an empty slot.
        if (n != count_ || obj.type() != type_ || ObjectTree::any_filled(obj, slots_)) return false;
        for (std::size_t k = 0; k < n; ++k) {
            const Pair& p = pairs_[k];
            const Value& name = pairs[2 * k];
            const Value& v = pairs[2 * k + 1];
            // The kept storage is no inline value's: the same address is the same text.
            if (!name.is_char() || name.data() != p.name) return false;
            // A pair that is not a text holds a place (fill_known_pairs_anew kept no other).
            if (p.text ? !v.is_char() || detail::value_key(v) != p.key || v.is_inline() == p.stored : !plain_rect(v))
                return false;
        }
        ObjectTree& t = tree();
        for (std::size_t k = 0; k < n; ++k) {
            const Pair& p = pairs_[k];
            t.fill_empty_at(obj, p.slot, p.text ? p.accepted : pairs[2 * k + 1]);
        }
        t.mark_filled(obj, slots_);
        return true;
    }
    void keep(ObjectType type, std::span<Pair> pairs) noexcept {
        type_ = type;
        count_ = pairs.size();
        slots_ = 0;
        for (const Pair& p : pairs) slots_ |= std::uint64_t{1} << p.slot;
        // A property named twice would fill its slot twice: such pairs are
        // not kept, and go through fill_known_pairs_anew each time.
        if (static_cast<std::size_t>(std::popcount(slots_)) != pairs.size()) count_ = kMost + 1;
        std::move(pairs.begin(), pairs.end(), pairs_.begin());
    }

private:
    ObjectType type_{};
    std::size_t count_ = 0;
    std::uint64_t slots_ = 0;  // the bits of the pairs' slots
    std::array<Pair, kMost> pairs_{};
};

KnownPairs known_pairs;

// fill_known_pairs for pairs other than the last kept.
[[gnu::noinline]] bool fill_known_pairs_anew(GraphicsObject& obj, std::span<const Value> pairs) noexcept {
    const std::size_t n = pairs.size() / 2;
    // Everything is looked at before anything is stored.
    KnownPairs::Pair seen[KnownPairs::kMost];
    for (std::size_t k = 0; k < n; ++k) {
        const Value& name = pairs[2 * k];
        const Value& v = pairs[2 * k + 1];
        if (!name.is_char() || name.is_inline()) return false;
        const KnownNames::Entry* e = known_names.find(name);
        if (!e || !e->rule || e->type != obj.type() || !e->plain) return false;
        KnownPairs::Pair& p = seen[k];
        p.name = name.data();
        p.name_kept = name;
        p.id = e->id;
        p.slot = obj.type_schema().slot_of(e->id);
        if (v.is_char()) {
            if (!e->has_text || e->text != detail::value_key(v) || e->text_stored == v.is_inline()) return false;
            p.text = true;
            p.key = e->text;
            p.stored = e->text_stored;
            p.text_kept = e->text_kept;
            p.accepted = e->text_accepted;
        } else if (!plain_place(*e->rule, v)) {
            return false;
        }
    }
    ObjectTree& t = tree();
    for (std::size_t k = 0; k < n; ++k)
        t.store_new(obj, seen[k].id, seen[k].text ? seen[k].accepted : pairs[2 * k + 1]);
    known_pairs.keep(obj.type(), std::span<KnownPairs::Pair>(seen, n));
    return true;
}

}  // namespace

bool fill_known_pairs(GraphicsObject& obj, std::span<const Value> pairs) noexcept {
    if (pairs.size() % 2 != 0 || pairs.size() > 2 * KnownPairs::kMost) return false;
    if (known_pairs.fill(obj, pairs)) [[likely]]
        return true;
    return fill_known_pairs_anew(obj, pairs);
}

void apply_pairs(GraphicsObject& obj, std::span<const Value> pairs, std::string_view function) {
    ObjectTree& t = tree();
    const std::size_t n = pairs.size();
    for (std::size_t i = 0; i < n;) {
        const Value& name = pairs[i];
        if (name.is_char() && name.rows() <= 1 && i + 1 < n) [[likely]] {
            set_named(t, obj, name, pairs[i + 1]);
            i += 2;
            continue;
        }
        if (name.is_struct()) {
            for (const std::string& field : name.field_names()) {
                t.set(obj, property_of(obj, field), name.field(field), field);
            }
            ++i;
            continue;
        }
        if (!name.is_char() || name.rows() > 1) {
            raise(prefix(function) + "expected a property name (text), not " + describe(name) + ".");
        }
        raise(prefix(function) + "the property '" + name.text() + "' has no value.");
    }
}

PixelRect pixel_position(const GraphicsObject& obj) { return tree().pixel_rect(obj, P::Position); }

PixelRect outer_pixel_position(const GraphicsObject& axes) {
    if (axes.type() != ObjectType::Axes) return pixel_position(axes);
    return tree().pixel_rect(axes, P::OuterPosition);
}

std::optional<Rgb> color_of(const Value& v) noexcept {
    if (!v.is_double() || v.numel() != 3) return std::nullopt;
    return Rgb{v[0], v[1], v[2]};
}

}  // namespace rt
