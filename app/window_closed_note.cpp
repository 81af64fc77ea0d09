#include "app/window_closed_note.hpp"

#include "runtime/array/text.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/graphics/graphics_object.hpp"

namespace sys {

WindowClosedNote::~WindowClosedNote() {
    if (watching_) remove_run_observer(this);
}

void WindowClosedNote::started(const rt::ProgramOptions&) {
    if (!watching_) add_run_observer(this);
    watching_ = true;
}

void WindowClosedNote::ending() {
    if (watching_) remove_run_observer(this);
    watching_ = false;
}

void WindowClosedNote::run_started(const RunSettings&) {
    in_run_ = true;
    trial_ = 1;
    windows_.clear();
    const rt::Value pairs[] = {rt::Value::string("Type"), rt::Value::string("figure")};
    const rt::Value open = rt::findall(rt::Value(0.0), pairs);
    for (std::size_t i = 0; i < open.numel(); ++i) {
        const rt::GraphicsObject* window = rt::find_object(open[i]);
        windows_.emplace_back(open[i], window ? window->value(rt::PropertyId::Name).text() : std::string());
    }
}

RunCourse WindowClosedNote::trial_ended(const TrialReport& r) {
    trial_ = r.trial + 1;
    return RunCourse::go_on;
}

void WindowClosedNote::run_ended(const TrialReport&, bool) {
    in_run_ = false;
    windows_.clear();
}

void WindowClosedNote::error_reported() {
    if (!in_run_) return;
    // The run ended with that error: it will not be told of its end.
    in_run_ = false;
    std::vector<std::string> closed;
    for (const auto& [number, name] : windows_) {
        if (rt::find_object(number)) continue;
        closed.push_back("window " + rt::num2str(number) + (name.empty() ? "" : " (" + name + ")"));
    }
    windows_.clear();
    if (closed.empty()) return;
    std::string which = closed.front();
    for (std::size_t i = 1; i < closed.size(); ++i) which += (i + 1 == closed.size() ? " and " : ", ") + closed[i];
    out_ << "tavrin: " << which << (closed.size() == 1 ? " was" : " were")
         << " closed during the learning run, which stopped at trial " << rt::num2str(trial_) << "." << std::endl;
}

}  // namespace sys
