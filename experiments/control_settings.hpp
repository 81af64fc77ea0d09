#pragma once
// The four sliders and the radio button a sweep sets, with their ranges and
// start values as the control window's layout file gives them, so a sweep's
// defaults and checks follow the window and are never written down twice.

#include <string>
#include <vector>

namespace sys::sweep {

struct Slider {
    std::string tag;  // alpha_sl, ...
    double min = 0, max = 0, start = 0;
};

struct ControlSettings {
    Slider alpha, beta, gamma, reinf;
    bool random_start = true;  // the radio button's start value
};

// The layout file the program itself would open: tavrin.fig in the working
// folder, else beside the executable in `program_folder`. Raises BadInput
// when there is none.
std::string find_layout_file(const std::string& program_folder);

// Reads the tagged controls of the layout file at `path`; raises BadInput
// naming the file when it cannot be read or lacks one of them.
ControlSettings read_control_settings(const std::string& path);

}  // namespace sys::sweep
