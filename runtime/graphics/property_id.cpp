#include "runtime/graphics/property_id.hpp"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

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

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The names in lower case, sorted, built once: every get and set looks a
// name up, and a binary search over them needs no copy of the name.
struct IndexEntry {
    std::string lower;
    PropertyId id;
};

const std::vector<IndexEntry>& name_index() {
    static const std::vector<IndexEntry> index = [] {
        std::vector<IndexEntry> entries;
        for (int i = 0; i < kPropertyCount; ++i) {
            std::string name = kPropertyNames[static_cast<std::size_t>(i)];
            for (char& c : name) c = lower(c);
            entries.push_back({name, PropertyId(i)});
        }
        std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.lower < b.lower; });
        return entries;
    }();
    return index;
}

// Compares a lower-case name with another name of any case.
int compare_nocase(std::string_view lower_name, std::string_view name) {
    const std::size_t n = std::min(lower_name.size(), name.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char a = lower_name[i], b = lower(name[i]);
        if (a != b) return static_cast<unsigned char>(a) < static_cast<unsigned char>(b) ? -1 : 1;
    }
    return lower_name.size() == name.size() ? 0 : (lower_name.size() < name.size() ? -1 : 1);
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
    const auto& index = name_index();
    std::size_t lo = 0, hi = index.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        const int c = compare_nocase(index[mid].lower, name);
        if (c == 0) return index[mid].id;
        if (c < 0) lo = mid + 1; else hi = mid;
    }
    return std::nullopt;
}

bool has_property(ObjectType type, PropertyId id) noexcept {
    return schema(type).find(id) != nullptr;
}

}  // namespace rt
