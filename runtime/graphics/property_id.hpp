#pragma once
// The kinds of graphics objects and the names of their properties.
//
// Every property of every type has one PropertyId; a type's schema says which
// ids it carries, their defaults and the values they accept. Names are matched
// without regard to letter case and reported with the case shown by
// property_name ("Position", "BackgroundColor", ...).

#include <cstdint>
#include <optional>
#include <string_view>

namespace rt {

enum class ObjectType : std::uint8_t {
    Root,
    Figure,
    Axes,
    Uicontrol,
    Line,
    Rectangle,
    Surface,
    Text,
};
inline constexpr int kObjectTypeCount = 8;

// "root", "figure", "axes", "uicontrol", "line", "rectangle", "surface", "text".
const char* type_name(ObjectType type) noexcept;
// The type with that exact (lower-case) name.
std::optional<ObjectType> object_type(std::string_view name) noexcept;

// The properties in rows, grouped by the objects that have them.
// clang-format off
enum class PropertyId : std::uint8_t {
    // every type
    Type, Parent, Children, Tag, UserData, Visible, HandleVisibility, BeingDeleted,
    CreateFcn, DeleteFcn, ButtonDownFcn,
    // root
    ScreenSize, ScreenPixelsPerInch, CurrentFigure, DefaultUicontrolBackgroundColor,
    // placement (root: Units only)
    Units, Position, OuterPosition, ActivePositionProperty,
    // figure
    Color, Name, NumberTitle, MenuBar, ToolBar, Resize, WindowStyle, DoubleBuffer,
    Renderer, RendererMode, NextPlot, CurrentAxes, CloseRequestFcn, ResizeFcn, FileName,
    // axes
    XLim, YLim, ZLim, XLimMode, YLimMode, ZLimMode, CLim, CLimMode,
    DataAspectRatio, DataAspectRatioMode, PlotBoxAspectRatio, PlotBoxAspectRatioMode,
    View, XGrid, YGrid, ZGrid, GridLineStyle, Box, Title, XColor, YColor, ZColor,
    ColorOrder,
    // fonts (axes, uicontrol, text)
    FontName, FontSize, FontWeight, FontAngle, FontUnits,
    // uicontrol
    Style, String, Value, Min, Max, SliderStep, Callback, BackgroundColor,
    ForegroundColor, HorizontalAlignment, VerticalAlignment, Enable, TooltipString,
    // line, rectangle, surface, text
    XData, YData, ZData, CData, LineStyle, LineWidth, Marker, MarkerSize,
    MarkerEdgeColor, MarkerFaceColor, FaceColor, EdgeColor, Curvature, Rotation,
    Count_
};
// clang-format on
inline constexpr int kPropertyCount = static_cast<int>(PropertyId::Count_);

// The stored case of the name: "Position", "XLimMode", ...
const char* property_name(PropertyId id) noexcept;
// Case-insensitive lookup of any property name of any type.
std::optional<PropertyId> property_id(std::string_view name) noexcept;
// Whether objects of `type` carry the property.
bool has_property(ObjectType type, PropertyId id) noexcept;

}  // namespace rt
