#include "runtime/graphics/property_schema.hpp"

#include <memory>
#include <stdexcept>

namespace rt {

namespace {

using P = PropertyId;
using K = ValueKind;

Value text(std::string_view s) { return Value::string(s); }
Value rgb(double r, double g, double b) { return Value::row({r, g, b}); }

// Choice lists live as long as the process; schemas point at them.
const ChoiceList* choices(std::vector<std::string> words, std::vector<std::pair<std::string, int>> aliases = {}) {
    static std::vector<std::unique_ptr<ChoiceList>> lists;
    auto list = std::make_unique<ChoiceList>();
    list->words = std::move(words);
    for (std::size_t i = 0; i < list->words.size(); ++i) {
        list->values.push_back(Value::string(list->words[i]));
        if (i > 0) list->expected += (i + 1 == list->words.size()) ? (i == 1 ? " or " : ", or ") : ", ";
        list->expected += "'" + list->words[i] + "'";
    }
    list->aliases = std::move(aliases);
    lists.push_back(std::move(list));
    return lists.back().get();
}

struct Lists {
    const ChoiceList* on_off = choices({"on", "off"});
    const ChoiceList* handle_visibility = choices({"on", "callback", "off"});
    const ChoiceList* units = choices({"pixels", "normalized", "inches", "centimeters", "points", "characters"});
    const ChoiceList* active_position = choices({"outerposition", "position"});
    const ChoiceList* menubar = choices({"figure", "none"});
    const ChoiceList* toolbar = choices({"auto", "figure", "none"});
    const ChoiceList* window_style = choices({"normal", "modal", "docked"});
    const ChoiceList* renderer = choices({"painters", "zbuffer", "OpenGL", "None"});
    const ChoiceList* auto_manual = choices({"auto", "manual"});
    const ChoiceList* figure_nextplot = choices({"new", "add", "replace", "replacechildren"});
    const ChoiceList* axes_nextplot = choices({"add", "replace", "replacechildren"});
    const ChoiceList* line_style = choices({"-", "--", ":", "-.", "none"});
    const ChoiceList* marker =
        choices({"none", "+", "o", "*", ".", "x", "square", "diamond", "^", "v", ">", "<", "pentagram", "hexagram"},
                {{"s", 6}, {"d", 7}, {"p", 12}, {"h", 13}});
    const ChoiceList* font_weight = choices({"normal", "bold", "light", "demi"});
    const ChoiceList* font_angle = choices({"normal", "italic", "oblique"});
    const ChoiceList* font_units = choices({"points", "normalized", "inches", "centimeters", "pixels"});
    const ChoiceList* style = choices({"pushbutton", "togglebutton", "radiobutton", "checkbox", "edit", "text",
                                       "slider", "frame", "listbox", "popupmenu"});
    const ChoiceList* horizontal = choices({"left", "center", "right"});
    const ChoiceList* vertical = choices({"middle", "top", "cap", "baseline", "bottom"});
    const ChoiceList* enable = choices({"on", "inactive", "off"});
    const ChoiceList* color_none = choices({"none"});
    const ChoiceList* color_auto_none = choices({"auto", "none"});
    const ChoiceList* color_flat = choices({"none", "flat", "interp"});
};

void add(TypeSchema& s, P id, K kind, Value def, const ChoiceList* list = nullptr, std::uint8_t length = 0,
         Constraint c = Constraint::None) {
    s.add(PropertySpec{id, kind, std::move(def), list, length, c});
}
void choice(TypeSchema& s, P id, const ChoiceList* list, int def = 0) {
    add(s, id, K::Choice, list->values[static_cast<std::size_t>(def)], list);
}

void add_common(TypeSchema& s, const Lists& l) {
    add(s, P::Type, K::Computed, Value::empty());
    add(s, P::Parent, K::Handle, Value::empty());
    add(s, P::Children, K::Computed, Value::empty());
    add(s, P::Tag, K::Text, text(""));
    add(s, P::UserData, K::Any, Value::empty());
    choice(s, P::Visible, l.on_off);
    choice(s, P::HandleVisibility, l.handle_visibility);
    add(s, P::BeingDeleted, K::Computed, Value::empty());
    add(s, P::CreateFcn, K::Callback, text(""));
    add(s, P::DeleteFcn, K::Callback, text(""));
    add(s, P::ButtonDownFcn, K::Callback, text(""));
}

void add_fonts(TypeSchema& s, const Lists& l, double size) {
    add(s, P::FontName, K::Text, text("Helvetica"));
    add(s, P::FontSize, K::Scalar, Value(size), nullptr, 0, Constraint::Positive);
    choice(s, P::FontWeight, l.font_weight);
    choice(s, P::FontAngle, l.font_angle);
    choice(s, P::FontUnits, l.font_units);
}

void add_line_look(TypeSchema& s, const Lists& l) {
    choice(s, P::LineStyle, l.line_style);
    add(s, P::LineWidth, K::Scalar, Value(0.5), nullptr, 0, Constraint::Positive);
}

void add_markers(TypeSchema& s, const Lists& l) {
    choice(s, P::Marker, l.marker);
    add(s, P::MarkerSize, K::Scalar, Value(6.0), nullptr, 0, Constraint::Positive);
    add(s, P::MarkerEdgeColor, K::Color, l.color_auto_none->values[0], l.color_auto_none);
    add(s, P::MarkerFaceColor, K::Color, l.color_auto_none->values[1], l.color_auto_none);
}

std::vector<TypeSchema> build() {
    Lists l;
    const Value panel_grey = rgb(0.9411764705882353, 0.9411764705882353, 0.9411764705882353);
    std::vector<TypeSchema> all;
    for (int i = 0; i < kObjectTypeCount; ++i) all.emplace_back(ObjectType(i));

    TypeSchema& root = all[static_cast<int>(ObjectType::Root)];
    add(root, P::Type, K::Computed, Value::empty());
    add(root, P::Parent, K::Computed, Value::empty());
    add(root, P::Children, K::Computed, Value::empty());
    add(root, P::Tag, K::Text, text(""));
    add(root, P::UserData, K::Any, Value::empty());
    choice(root, P::HandleVisibility, l.handle_visibility);
    add(root, P::CurrentFigure, K::Handle, Value::empty());
    add(root, P::ScreenSize, K::Computed, Value::empty());
    add(root, P::ScreenPixelsPerInch, K::Computed, Value::empty());
    choice(root, P::Units, l.units);
    add(root, P::DefaultUicontrolBackgroundColor, K::Color, panel_grey);

    TypeSchema& fig = all[static_cast<int>(ObjectType::Figure)];
    add_common(fig, l);
    choice(fig, P::Units, l.units);
    add(fig, P::Position, K::Rect, Value::row({360, 302, 560, 420}));
    add(fig, P::OuterPosition, K::Rect, Value::empty());  // computed from Position and the frame
    choice(fig, P::ActivePositionProperty, l.active_position, 1);
    add(fig, P::Color, K::Color, panel_grey, l.color_none);
    add(fig, P::Name, K::Text, text(""));
    choice(fig, P::NumberTitle, l.on_off);
    choice(fig, P::MenuBar, l.menubar);
    choice(fig, P::ToolBar, l.toolbar);
    choice(fig, P::Resize, l.on_off);
    choice(fig, P::WindowStyle, l.window_style);
    choice(fig, P::DoubleBuffer, l.on_off);
    choice(fig, P::Renderer, l.renderer);
    choice(fig, P::RendererMode, l.auto_manual);
    choice(fig, P::NextPlot, l.figure_nextplot, 1);
    add(fig, P::CurrentAxes, K::Handle, Value::empty());
    add(fig, P::CloseRequestFcn, K::Callback, text("closereq"));
    add(fig, P::ResizeFcn, K::Callback, text(""));
    add(fig, P::FileName, K::Text, text(""));

    TypeSchema& ax = all[static_cast<int>(ObjectType::Axes)];
    add_common(ax, l);
    choice(ax, P::Units, l.units, 1);
    add(ax, P::Position, K::Rect, Value::row({0.13, 0.11, 0.775, 0.815}));
    add(ax, P::OuterPosition, K::Rect, Value::row({0, 0, 1, 1}));
    choice(ax, P::ActivePositionProperty, l.active_position);
    add(ax, P::Color, K::Color, rgb(1, 1, 1), l.color_none);
    for (P lim : {P::XLim, P::YLim, P::ZLim}) {
        add(ax, lim, K::Vector, Value::row({0, 1}), nullptr, 2, Constraint::Increasing);
    }
    for (P mode : {P::XLimMode, P::YLimMode, P::ZLimMode}) choice(ax, mode, l.auto_manual);
    add(ax, P::CLim, K::Vector, Value::row({0, 1}), nullptr, 2, Constraint::Increasing);
    choice(ax, P::CLimMode, l.auto_manual);
    add(ax, P::DataAspectRatio, K::Vector, Value::row({1, 1, 1}), nullptr, 3, Constraint::Positive);
    choice(ax, P::DataAspectRatioMode, l.auto_manual);
    add(ax, P::PlotBoxAspectRatio, K::Vector, Value::row({1, 1, 1}), nullptr, 3, Constraint::Positive);
    choice(ax, P::PlotBoxAspectRatioMode, l.auto_manual);
    add(ax, P::View, K::Vector, Value::row({0, 90}), nullptr, 2);
    choice(ax, P::XGrid, l.on_off, 1);
    choice(ax, P::YGrid, l.on_off, 1);
    choice(ax, P::ZGrid, l.on_off, 1);
    choice(ax, P::GridLineStyle, l.line_style, 2);
    choice(ax, P::Box, l.on_off, 1);
    choice(ax, P::NextPlot, l.axes_nextplot, 1);
    add(ax, P::Title, K::Computed, Value::empty());
    add(ax, P::XColor, K::Color, rgb(0, 0, 0), l.color_none);
    add(ax, P::YColor, K::Color, rgb(0, 0, 0), l.color_none);
    add(ax, P::ZColor, K::Color, rgb(0, 0, 0), l.color_none);
    add(ax, P::ColorOrder, K::ColorMatrix,
        Value::from_rows(7, 3,
                         {0, 0, 1, 0, 0.5, 0, 1, 0, 0, 0, 0.75, 0.75, 0.75, 0, 0.75, 0.75, 0.75, 0, 0.25, 0.25, 0.25}));
    add(ax, P::LineWidth, K::Scalar, Value(0.5), nullptr, 0, Constraint::Positive);
    add_fonts(ax, l, 10);

    TypeSchema& ui = all[static_cast<int>(ObjectType::Uicontrol)];
    add_common(ui, l);
    choice(ui, P::Units, l.units);
    add(ui, P::Position, K::Rect, Value::row({20, 20, 60, 20}));
    choice(ui, P::Style, l.style);
    add(ui, P::String, K::StringText, text(""));
    add(ui, P::Value, K::Data, Value(0.0));
    add(ui, P::Min, K::Scalar, Value(0.0));
    add(ui, P::Max, K::Scalar, Value(1.0));
    add(ui, P::SliderStep, K::Vector, Value::row({0.01, 0.1}), nullptr, 2, Constraint::NonNegative);
    add(ui, P::Callback, K::Callback, text(""));
    add(ui, P::BackgroundColor, K::Color, panel_grey);
    add(ui, P::ForegroundColor, K::Color, rgb(0, 0, 0));
    choice(ui, P::HorizontalAlignment, l.horizontal, 1);
    choice(ui, P::Enable, l.enable);
    add(ui, P::TooltipString, K::Text, text(""));
    add_fonts(ui, l, 8);

    TypeSchema& ln = all[static_cast<int>(ObjectType::Line)];
    add_common(ln, l);
    add(ln, P::XData, K::Data, Value::row({0, 1}));
    add(ln, P::YData, K::Data, Value::row({0, 1}));
    add(ln, P::ZData, K::Data, Value::empty());
    add(ln, P::Color, K::Color, rgb(0, 0, 0));
    add_line_look(ln, l);
    add_markers(ln, l);

    TypeSchema& rect = all[static_cast<int>(ObjectType::Rectangle)];
    add_common(rect, l);
    add(rect, P::Position, K::Rect, Value::row({0, 0, 1, 1}));
    add(rect, P::Curvature, K::Vector, Value::row({0, 0}), nullptr, 2, Constraint::UnitInterval);
    add(rect, P::FaceColor, K::Color, l.color_none->values[0], l.color_none);
    add(rect, P::EdgeColor, K::Color, rgb(0, 0, 0), l.color_none);
    add_line_look(rect, l);

    TypeSchema& surf = all[static_cast<int>(ObjectType::Surface)];
    add_common(surf, l);
    for (P d : {P::XData, P::YData, P::ZData, P::CData}) add(surf, d, K::Data, Value::empty());
    add(surf, P::FaceColor, K::Color, l.color_flat->values[1], l.color_flat);
    add(surf, P::EdgeColor, K::Color, rgb(0, 0, 0), l.color_flat);
    add_line_look(surf, l);
    add_markers(surf, l);

    TypeSchema& txt = all[static_cast<int>(ObjectType::Text)];
    add_common(txt, l);
    add(txt, P::String, K::StringText, text(""));
    add(txt, P::Position, K::Vector, Value::row({0, 0, 0}), nullptr, 3);
    add(txt, P::Rotation, K::Scalar, Value(0.0));
    choice(txt, P::HorizontalAlignment, l.horizontal);
    choice(txt, P::VerticalAlignment, l.vertical);
    add(txt, P::Color, K::Color, rgb(0, 0, 0), l.color_none);
    add_fonts(txt, l, 10);
    return all;
}

}  // namespace

void TypeSchema::add(PropertySpec prop) {
    if (specs_.size() == kMaxProperties) throw std::logic_error("a type has more properties than an object has slots");
    slot_[static_cast<int>(prop.id)] = static_cast<std::int16_t>(specs_.size());
    specs_.push_back(std::move(prop));
}

void TypeSchema::set_default(PropertyId id, Value v) {
    int s = slot_[static_cast<int>(id)];
    if (s >= 0) specs_[static_cast<std::size_t>(s)].default_value = std::move(v);
}

const TypeSchema& schema(ObjectType type) {
    static const std::vector<TypeSchema> all = build();
    return all[static_cast<std::size_t>(type)];
}

const Value& choice_word(ObjectType type, PropertyId id, std::string_view word) {
    const PropertySpec* prop = schema(type).find(id);
    const ChoiceList* list = prop ? prop->choices : nullptr;
    if (list) {
        for (std::size_t i = 0; i < list->words.size(); ++i) {
            if (list->words[i] == word) return list->values[i];
        }
    }
    static const Value none = Value::empty();
    return none;
}

const Value& on_off(bool on) {
    static const Value on_v = Value::string("on");
    static const Value off_v = Value::string("off");
    return on ? on_v : off_v;
}

}  // namespace rt
