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
// Chrome of any figure's window: a caption after "Figure N: " while the
// figure has no "Name", a note line under the figure, and a control's
// tooltip. None of them is a property.
void set_window_caption(double figure, const std::string& caption);
void set_window_note(double figure, const std::string& note);
void set_control_tooltip(double control, const std::string& tip);
// Sets the pace to a preset ("realtime", "normal", "fast"), as its button
// would.
void set_run_speed(const std::string& preset);
// Offers "Watch learned policy" on the run controls: `action` runs when it
// is pressed (an empty one withdraws the offer). While it runs the button
// reads "Stop watching", and pressing it makes replay_stop_requested true.
void offer_replay(std::function<void()> action);
bool replay_stop_requested();

}  // namespace rt
