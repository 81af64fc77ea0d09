#pragma once
// Whether windows can be shown, told before the toolkit starts: Qt ends the
// process when it cannot reach a display, so the program asks first and
// says so in one line instead.

#include <optional>
#include <string>
#include <string_view>

namespace rt {

// Nullopt when a display can be reached (or the platform needs none, such
// as Qt's offscreen one); else why not, e.g. "DISPLAY is not set" or
// "cannot connect to display :99".
std::optional<std::string> display_problem();

// The line the program prints then:
// "tavrin: no display found (DISPLAY is not set); run with --headless to use
// tavrin without windows".
std::string no_display_message(std::string_view program, std::string_view problem);

}  // namespace rt
