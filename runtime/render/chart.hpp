#pragma once
// A chart outside the graphics object tree: lines over a linear x axis and a
// linear or logarithmic y axis, horizontal marks (a goal line) and a legend
// of the labelled lines. Plain data, no toolkit: the program fills it in and
// chart_painter.hpp paints it in the look of the figures' axes.

#include <array>
#include <string>
#include <vector>

namespace rt {

struct ChartLine {
    std::vector<double> x, y;
    std::array<double, 3> color{0, 0.447, 0.741};
    double width = 1;        // pixels
    bool dashed = false;
    bool stepped = false;    // holds each value until the next x (a running best)
    std::string label;       // in the legend when not empty
};

struct ChartMark {
    double y = 0;
    std::string label;
};

struct Chart {
    std::string title, x_label, y_label;
    bool log_y = false;
    double y_min = 0, y_max = 1;  // the y axis' limits (positive when log_y)
    double x_min = 0;             // x runs from here to the largest x, at least x_min + 1
    std::vector<ChartLine> lines; // painted in order, the last on top
    std::vector<ChartMark> marks;
};

}  // namespace rt
