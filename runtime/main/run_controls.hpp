#pragma once
// The run controls of the program's windows (a toolbar with pause and speed,
// a status line; runtime/window/run_controls_bar.hpp), for the program's own
// code, which sees no toolkit. Headless, or in a build without windows,
// these do nothing.

#include <functional>
#include <string>

namespace rt {

// Puts the run controls on the window of `figure`, taking them from the
// window that had them.
void attach_run_controls(double figure);
// The text of the status line.
void show_run_status(const std::string& text);
// Whether the run is held by the Pause button.
bool run_held();

}  // namespace rt
