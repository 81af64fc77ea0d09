#pragma once
// The static property schema of each object type: which properties it
// carries, in which order get(h) lists them, their defaults and the values
// they accept. Built once; every object of a type shares it, and its
// defaults and choice words are shared Values, so storing one costs a
// reference count and no allocation.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/array/value.hpp"
#include "runtime/graphics/property_id.hpp"

namespace rt {

enum class ValueKind : std::uint8_t {
    Computed,     // read-only, computed when read
    Choice,       // one word of a list (any case in, canonical case stored)
    Color,        // [r g b], a colour letter or name, or one of the listed words
    Rect,         // [left bottom width height], width and height not negative
    Vector,       // `length` finite numbers, under `constraint`
    Scalar,       // one finite number, under `constraint`
    Text,         // a character array
    StringText,   // text, a cell of texts, or a number (shown as num2str)
    Callback,     // a statement of the expression language, or empty
    Any,          // any value
    Data,         // a numeric array, stored as doubles
    ColorMatrix,  // n-by-3, values from 0 to 1
    Handle,       // a handle, checked by the property's own rule
};

enum class Constraint : std::uint8_t { None, Positive, NonNegative, Increasing, UnitInterval };

struct ChoiceList {
    std::vector<std::string> words;                    // canonical spellings
    std::vector<Value> values;                         // the same words as shared Values
    std::vector<std::pair<std::string, int>> aliases;  // lower-case alias, word index
    std::string expected;                              // "'on' or 'off'"
    // Index of the word `v` names (letter case ignored), or -1.
    int match(const Value& v) const;
};

struct PropertySpec {
    PropertyId id;
    ValueKind kind;
    Value default_value;
    const ChoiceList* choices = nullptr;  // Choice words, or the words a Color also accepts
    std::uint8_t length = 0;              // Vector
    Constraint constraint = Constraint::None;
};

class TypeSchema {
public:
    explicit TypeSchema(ObjectType type) : type_(type) { slot_.fill(-1); }
    ObjectType type() const noexcept { return type_; }
    const std::vector<PropertySpec>& specs() const noexcept { return specs_; }
    const PropertySpec* find(PropertyId id) const noexcept {
        int s = slot_[static_cast<int>(id)];
        return s < 0 ? nullptr : &specs_[static_cast<std::size_t>(s)];
    }
    // The index of the property in specs(), or -1 when the type lacks it.
    // There are at most kMaxProperties, so a 64-bit mask covers a type's.
    int slot_of(PropertyId id) const noexcept { return slot_[static_cast<int>(id)]; }
    static constexpr std::size_t kMaxProperties = 64;
    void add(PropertySpec prop);
    // Replaces the default of a property already added.
    void set_default(PropertyId id, Value v);

private:
    ObjectType type_;
    std::vector<PropertySpec> specs_;
    std::array<std::int16_t, kPropertyCount> slot_;
};

const TypeSchema& schema(ObjectType type);

// Checks `v` against the property's rule and gives the value to store.
// Raises "Bad value for the TYPE property 'NAME': expected ...".
Value accept_value(ObjectType type, const PropertySpec& prop, const Value& v);

[[noreturn]] void raise_unknown_property(ObjectType type, std::string_view name);
[[noreturn]] void raise_bad_value(ObjectType type, PropertyId id, std::string_view expected);
[[noreturn]] void raise_read_only(ObjectType type, PropertyId id);

// The schema's own Value for one of a choice property's words (the word
// must be one of them).
const Value& choice_word(ObjectType type, PropertyId id, std::string_view word);

// The shared words "on" and "off".
const Value& on_off(bool on);
// True when `v` is a character array equal to `text` (exact).
bool text_is(const Value& v, std::string_view text) noexcept;
// The same with letter case ignored (ASCII).
bool text_is_nocase(const Value& v, std::string_view text) noexcept;

}  // namespace rt
