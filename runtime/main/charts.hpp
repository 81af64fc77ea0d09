#pragma once
// Charts in windows of their own, beside the graphics object tree: no figure
// number, never the current figure, not found by findall, and they do not
// keep the program alive. With windows each shows in a top-level window;
// --save-figures writes each as DIR/NAME.png, headless too.
//
// The charts live for the whole process, so a chart can keep what earlier
// runs drew.

#include <string>
#include <vector>

#include "runtime/graphics/graphics_object.hpp"
#include "runtime/render/chart.hpp"

namespace rt {

struct ChartPlace {
    std::string title;  // the window's title
    PixelRect place;    // inner rectangle, from the screen's bottom left
};

// The chart named `name` (a file name without extension), made empty the
// first time with its place.
Chart& chart(const std::string& name, const ChartPlace& place);
// Shows the chart's window and repaints it soon (with windows); `reopen`
// shows it again if the user closed it.
void chart_changed(const std::string& name, bool reopen = false);

struct NamedChart {
    std::string name;
    ChartPlace place;
    Chart chart;
};
std::vector<const NamedChart*> charts();
// Drops every chart; no window may be showing one (tests).
void forget_charts();

}  // namespace rt
