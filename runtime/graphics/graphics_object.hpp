#pragma once
// A graphics object as the renderer and the window backend read it.
//
// Objects belong to the runtime: a pointer obtained from find_object stays
// valid until the object is deleted, and the backend hears of every deletion
// (WindowBackend::object_deleted) before the memory goes. Nothing outside
// runtime/graphics changes an object except through rt::set and the other
// functions of graphics.hpp, so every change is validated and counted.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/array/value.hpp"
#include "runtime/graphics/property_id.hpp"
#include "runtime/graphics/property_schema.hpp"

namespace rt {

class ObjectTree;

class GraphicsObject {
public:
    GraphicsObject(const GraphicsObject&) = delete;
    GraphicsObject& operator=(const GraphicsObject&) = delete;

    double handle() const noexcept { return handle_; }
    ObjectType type() const noexcept { return type_; }
    // The properties of its type.
    const TypeSchema& type_schema() const noexcept { return *schema_; }
    // Null for the root.
    GraphicsObject* parent() const noexcept { return parent_; }
    // In creation order (the order of painting), hidden ones included.
    const std::vector<GraphicsObject*>& children() const noexcept { return children_; }

    // The stored value of a property: the value last set, or the type's
    // default. Properties computed on reading (Type, Parent, Children,
    // OuterPosition of a figure, CurrentFigure, ScreenSize, automatic limits,
    // ...) are read with rt::get; for them, and for ids the type does not
    // carry, this gives an empty matrix.
    const Value& value(PropertyId id) const noexcept {
        const int s = schema_->slot_of(id);
        if (s < 0) [[unlikely]]
            return no_value();
        if (present_ >> s & 1u) return values_[static_cast<std::size_t>(s)];
        return schema_->specs()[static_cast<std::size_t>(s)].default_value;
    }
    // True when the stored text value equals `text` exactly (no allocation).
    bool is(PropertyId id, std::string_view text) const noexcept;

    // Position in the process-wide creation order.
    std::uint64_t serial() const noexcept { return serial_; }
    // Changes whenever one of this object's own properties changes.
    std::uint64_t version() const noexcept { return version_; }
    // Changes whenever one of its own properties changes, but not when only
    // its list of children does; never the same for two objects.
    std::uint64_t property_version() const noexcept { return property_version_; }
    // For a figure: changes whenever anything in the window changes (an
    // object created, changed or deleted beneath it), so a window repaints
    // only when this moved on since its last paint.
    std::uint64_t content_version() const noexcept { return content_version_; }
    bool being_deleted() const noexcept { return being_deleted_; }
    // The backend has heard of it: until then its changes are not counted.
    bool announced() const noexcept { return announced_; }

    // A slot the window backend may use for its own widget or window, to
    // avoid a lookup by handle. The runtime never reads it; the backend may
    // set it through the const references its hooks receive.
    mutable void* backend_data = nullptr;

private:
    friend class ObjectTree;
    GraphicsObject() = default;
    // Takes the property slots of `type`, all reading as defaults.
    void become(const TypeSchema& type);
    void clear_values() noexcept;
    static const Value& no_value() noexcept;

    double handle_ = 0;
    ObjectType type_ = ObjectType::Root;
    GraphicsObject* parent_ = nullptr;
    std::vector<GraphicsObject*> children_;
    const TypeSchema* schema_ = nullptr;
    // One slot per property of the type, at the schema's index for it; bit s
    // of present_ says slot s holds a value set since creation (or the last
    // reset), and a slot without its bit reads as the type's default and
    // holds nothing. Creating an object is then cheap, and so is clearing
    // one for reuse, which matters because a learning run creates three per
    // step.
    std::vector<Value> values_;
    std::uint64_t present_ = 0;
    std::vector<std::pair<std::string, Value>> appdata_;
    std::uint64_t serial_ = 0;
    std::uint64_t version_ = 0;
    std::uint64_t property_version_ = 0;
    std::uint64_t content_version_ = 0;
    // A window's current axes (its CurrentAxes), kept as a pointer because
    // every drawing call looks it up.
    GraphicsObject* current_axes_ = nullptr;
    // The window holding it (itself for a window), whose content version
    // every change moves on; null when not known yet (the root, an object
    // just moved to another parent), and then found by walking up.
    GraphicsObject* figure_ = nullptr;
    bool being_deleted_ = false;
    bool announced_ = false;  // the backend has heard of it
};

// The object with that handle, or null.
const GraphicsObject* find_object(double handle) noexcept;
// The window holding the object (itself for a window), or null for the root.
const GraphicsObject* figure_of(const GraphicsObject& obj) noexcept;
// Every open window, by handle number.
std::vector<const GraphicsObject*> open_figures();

// A rectangle in pixels: left, bottom, width, height.
struct PixelRect {
    double left = 0, bottom = 0, width = 0, height = 0;
};
// A figure's inner rectangle on the screen (bottom-left origin); an axes'
// or control's rectangle inside its window (bottom-left of the window's
// inner area as origin), whatever their "Units".
PixelRect pixel_position(const GraphicsObject& obj);
// An axes' outer rectangle inside its window, in pixels.
PixelRect outer_pixel_position(const GraphicsObject& axes);

// Axis limits as the axes show them: the manual limits, or for a limit in
// automatic mode, the data range of the visible children rounded out to
// tidy numbers ([0 1] when there is no data).
struct AxesLimits {
    double x[2], y[2], z[2], c[2];
};
AxesLimits effective_limits(const GraphicsObject& axes);

struct Rgb {
    double r = 0, g = 0, b = 0;
};
// A stored colour value: [r g b] gives the colour; the words "none", "flat",
// "interp" and "auto" give nullopt.
std::optional<Rgb> color_of(const Value& v) noexcept;

}  // namespace rt
