#include "runtime/graphics/property_id.hpp"

#include <array>
#include <cstdint>
#include <string>

#include "runtime/graphics/property_schema.hpp"

namespace rt {

namespace {

constexpr std::array<const char*, kObjectTypeCount> kTypeNames = {"root", "figure",    "axes",    "uicontrol",
                                                                  "line", "rectangle", "surface", "text"};

// In the order of the enumeration, and in its rows.
// clang-format off
constexpr std::array<const char*, kPropertyCount> kPropertyNames = {
    "Type", "Parent", "Children", "Tag", "UserData", "Visible", "HandleVisibility",
    "BeingDeleted", "CreateFcn", "DeleteFcn", "ButtonDownFcn",
    "ScreenSize", "ScreenPixelsPerInch", "CurrentFigure", "DefaultUicontrolBackgroundColor",
    "Units", "Position", "OuterPosition", "ActivePositionProperty",
    "Color", "Name", "NumberTitle", "MenuBar", "ToolBar", "Resize", "WindowStyle",
    "DoubleBuffer", "Renderer", "RendererMode", "NextPlot", "CurrentAxes",
    "CloseRequestFcn", "ResizeFcn", "FileName",
    "XLim", "YLim", "ZLim", "XLimMode", "YLimMode", "ZLimMode", "CLim", "CLimMode",
    "DataAspectRatio", "DataAspectRatioMode", "PlotBoxAspectRatio", "PlotBoxAspectRatioMode",
    "View", "XGrid", "YGrid", "ZGrid", "GridLineStyle", "Box", "Title", "XColor", "YColor",
    "ZColor", "ColorOrder",
    "FontName", "FontSize", "FontWeight", "FontAngle", "FontUnits",
    "Style", "String", "Value", "Min", "Max", "SliderStep", "Callback", "BackgroundColor",
    "ForegroundColor", "HorizontalAlignment", "VerticalAlignment", "Enable", "TooltipString",
    "XData", "YData", "ZData", "CData", "LineStyle", "LineWidth", "Marker", "MarkerSize",
    "MarkerEdgeColor", "MarkerFaceColor", "FaceColor", "EdgeColor", "Curvature", "Rotation"};
// clang-format on

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// An open-addressing table of the names in lower case, built once: every get
// and set looks a name up, and hashing it while lowering it needs no copy.
constexpr std::size_t kSlots = 256;  // a power of two, well above the name count

std::uint32_t hash_step(std::uint32_t h, char c) { return (h ^ static_cast<unsigned char>(c)) * 16777619u; }

struct NameTable {
    std::array<std::string, kSlots> names;
    std::array<int, kSlots> ids;
    NameTable() {
        ids.fill(-1);
        for (int i = 0; i < kPropertyCount; ++i) {
            std::string name = kPropertyNames[static_cast<std::size_t>(i)];
            std::uint32_t h = 2166136261u;
            for (char& c : name) {
                c = lower(c);
                h = hash_step(h, c);
            }
            std::size_t slot = h & (kSlots - 1);
            while (ids[slot] >= 0) slot = (slot + 1) & (kSlots - 1);
            names[slot] = name;
            ids[slot] = i;
        }
    }
};

const NameTable& name_table() {
    static const NameTable table;
    return table;
}

}  // namespace

const char* type_name(ObjectType type) noexcept { return kTypeNames[static_cast<int>(type)]; }

std::optional<ObjectType> object_type(std::string_view name) noexcept {
    for (int i = 0; i < kObjectTypeCount; ++i) {
        if (name == kTypeNames[i]) return ObjectType(i);
    }
    return std::nullopt;
}

const char* property_name(PropertyId id) noexcept {
    int i = static_cast<int>(id);
    return i >= 0 && i < kPropertyCount ? kPropertyNames[i] : "";
}

std::optional<PropertyId> property_id(std::string_view name) noexcept {
    char lowered[48];
    if (name.empty() || name.size() > sizeof(lowered)) return std::nullopt;
    std::uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < name.size(); ++i) {
        lowered[i] = lower(name[i]);
        h = hash_step(h, lowered[i]);
    }
    const std::string_view key(lowered, name.size());
    const NameTable& table = name_table();
    for (std::size_t slot = h & (kSlots - 1); table.ids[slot] >= 0; slot = (slot + 1) & (kSlots - 1)) {
        if (table.names[slot] == key) return PropertyId(table.ids[slot]);
    }
    return std::nullopt;
}

bool has_property(ObjectType type, PropertyId id) noexcept { return schema(type).find(id) != nullptr; }

}  // namespace rt
