#include "runtime/graphics/property_id.hpp"

#include <array>
#include <string>
#include <unordered_map>

#include "runtime/graphics/property_schema.hpp"

namespace rt {

namespace {

constexpr std::array<const char*, kObjectTypeCount> kTypeNames = {
    "root", "figure", "axes", "uicontrol", "line", "rectangle", "surface", "text"};

// In the order of the enumeration.
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

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// Built once: property names are looked up on every get and set.
const std::unordered_map<std::string, PropertyId>& name_index() {
    static const std::unordered_map<std::string, PropertyId> index = [] {
        std::unordered_map<std::string, PropertyId> m;
        for (int i = 0; i < kPropertyCount; ++i) m.emplace(lowered(kPropertyNames[i]), PropertyId(i));
        return m;
    }();
    return index;
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
    if (name.empty() || name.size() > 64) return std::nullopt;
    const auto& index = name_index();
    auto it = index.find(lowered(name));
    if (it == index.end()) return std::nullopt;
    return it->second;
}

bool has_property(ObjectType type, PropertyId id) noexcept {
    return schema(type).find(id) != nullptr;
}

}  // namespace rt
