#pragma once
// A chart outside the graphics object tree: lines over a linear x axis and a
// linear or logarithmic y axis, horizontal marks (a goal line) and a legend
// of the labelled lines; or a grid of coloured cells. Plain data, no toolkit: the program fills it in and
// chart_painter.hpp paints it in the look of the figures' axes.

#include <array>
#include <string>
#include <vector>

namespace rt {

struct ChartLine {
    std::vector<double> x, y;
    std::array<double, 3> color{0, 0.447, 0.741};
    double width = 1;  // pixels
    bool dashed = false;
    bool stepped = false;  // holds each value until the next x (a running best)
    std::string label;     // in the legend when not empty
};

struct ChartMark {
    double y = 0;
    std::string label;
};

// A grid of coloured cells in place of the lines: a diverging colour scale
// (blue negative, white zero, red positive) with a colour bar, cells grouped
// in blocks with a label for each block along each axis.
struct ChartGrid {
    int rows = 0, cols = 0;                           // 0: no grid
    std::vector<double> values;                       // rows * cols, the top row first; NaN: no colour
    double limit = 1;                                 // the colour scale runs from -limit to +limit
    int outlined = -1;                                // the cell row * cols + col drawn with a frame, or -1
    int block_rows = 1, block_cols = 1;               // cells per block, lines between blocks
    std::vector<std::string> col_blocks, row_blocks;  // the blocks' labels, left to right, top to bottom
    std::string note;                                 // how the cells inside a block read
    std::string color_label;                          // beside the colour bar
};

struct Chart {
    std::string title, x_label, y_label;
    bool log_y = false;
    double y_min = 0, y_max = 1;   // the y axis' limits (positive when log_y)
    double x_min = 0;              // x runs from here to the largest x, at least x_min + 1
    std::vector<ChartLine> lines;  // painted in order, the last on top
    std::vector<ChartMark> marks;
    ChartGrid grid;
};

}  // namespace rt
