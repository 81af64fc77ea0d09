#pragma once
// Pictures of the open windows as PNG files, painted by the renderer with
// their controls, with windows or headless alike.

#include <string>
#include <vector>

#include "runtime/render/chart.hpp"

namespace rt {

// Writes every open window as DIR/figure-N.png, N its number, creating DIR
// when missing, and gives the paths written. Uses the running toolkit or,
// when none runs, Qt's offscreen platform for the length of the call, so no
// display is needed. Raises an rt::Error naming the folder or file that
// could not be written.
std::vector<std::string> save_figures(const std::string& dir);

// Writes `chart` as DIR/NAME.png at width by height pixels, in the same way.
std::string save_chart(const std::string& dir, const std::string& name, const Chart& chart, int width, int height);

}  // namespace rt
