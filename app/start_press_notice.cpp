#include "app/start_press_notice.hpp"

#include <string>

#include "runtime/call/console.hpp"
#include "runtime/graphics/callbacks.hpp"
#include "runtime/graphics/graphics.hpp"

namespace sys {

namespace {

// The start button: its callback is the learning run.
constexpr const char* kStartTag = "pushbutton1";

void tell(double handle, std::string_view property) {
    if (property != "Callback" || !rt::ishandle(handle) || rt::get(handle, "Tag").text() != kStartTag) return;
    const std::string label = rt::get(handle, "String").text();
    rt::console() << "A learning run is already going: this press of "
                  << (label.empty() ? std::string(kStartTag) : "'" + label + "'")
                  << " is ignored; the run goes on until it ends or its window is closed." << std::endl;
}

}  // namespace

void StartPressNotice::started(const rt::ProgramOptions&) { rt::set_ignored_delivery_notice(tell); }

void StartPressNotice::ending() { rt::set_ignored_delivery_notice({}); }

}  // namespace sys
