#include "runtime/main/time_limit.hpp"

#include <algorithm>

#include "runtime/array/deadline.hpp"
#include "runtime/array/error.hpp"
#include "runtime/graphics/graphics.hpp"

namespace rt {

TimeLimit::TimeLimit(double seconds)
    : seconds_(seconds),
      deadline_(std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                                       std::chrono::duration<double>(std::clamp(seconds, 0.0, 1e9)))) {
    set_deadline(deadline_);
}

TimeLimit::~TimeLimit() {
    if (installed_) set_window_backend(inner_);
    set_deadline(std::nullopt);
}

void TimeLimit::watch_pauses() {
    if (installed_) return;
    inner_ = set_window_backend(this);
    installed_ = true;
}

void TimeLimit::expire() noexcept {
    if (expired_) return;
    expired_ = true;
    try {
        const Value pairs[] = {Value::string("Type"), Value::string("figure")};
        const Value windows = findall(Value(0.0), pairs);
        for (std::size_t i = 0; i < windows.numel(); ++i) request_close(windows[i]);
    } catch (...) {
        // Only windows that exist are asked, so nothing is expected here;
        // an event pump may be the caller, and it must not see an error.
    }
}

void TimeLimit::check_clock() noexcept {
    if (!expired_ && std::chrono::steady_clock::now() >= deadline_) expire();
}

bool TimeLimit::ran_out() noexcept {
    check_clock();
    return expired_;
}

bool TimeLimit::grace_over() const noexcept {
    return expired_ && std::chrono::steady_clock::now() >=
                           deadline_ + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                           std::chrono::duration<double>(kTimeLimitGrace));
}

void TimeLimit::stop_after_grace() const {
    if (grace_over()) raise(kDeadlineMessage);
}

void TimeLimit::object_created(const GraphicsObject& obj) {
    if (inner_) inner_->object_created(obj);
}

void TimeLimit::property_changed(const GraphicsObject& obj, PropertyId id) {
    if (inner_) inner_->property_changed(obj, id);
}

void TimeLimit::object_deleted(const GraphicsObject& obj) {
    if (inner_) inner_->object_deleted(obj);
}

void TimeLimit::figure_raised(const GraphicsObject& obj) {
    if (inner_) inner_->figure_raised(obj);
}

void TimeLimit::drawnow() {
    if (inner_) inner_->drawnow();
    check_clock();
    stop_after_grace();
}

void TimeLimit::pause(double seconds) {
    if (inner_) inner_->pause(seconds);
    check_clock();
    stop_after_grace();
}

FrameMargins TimeLimit::frame_margins(const GraphicsObject& obj) const {
    return inner_ ? inner_->frame_margins(obj) : kHeadlessFrameMargins;
}

}  // namespace rt
