#pragma once
// Callback delivery. A callback property ("Callback", "ResizeFcn",
// "CloseRequestFcn", "DeleteFcn", ...) holds a statement in the expression
// language (runtime/expression/expression.hpp), for example
//   tavrin('alpha_sl_Callback',gcbo,[],guidata(gcbo))
// While it runs, gcbo and gcbf give the object and its window; both are
// restored afterwards, also when the callback raises an error, which then
// propagates to whoever delivered it.
//
// An object's callback is not started again while that same callback of the
// object is still running (for instance while a long run waits in pause): such
// a delivery is ignored. An empty "CloseRequestFcn" deletes the window.
//
// Callbacks that start callbacks (a DeleteFcn that closes a window whose
// DeleteFcn closes another ...) nest at most kMaxCallbackDepth deep: the
// delivery beyond raises CallbackDepthError, which unwinds like any error,
// through DeleteFcns too (those otherwise turn an error into a warning), so
// the stack never runs out.

#include <cstddef>
#include <functional>
#include <string_view>

#include "runtime/array/error.hpp"
#include "runtime/array/value.hpp"

namespace rt {

inline constexpr std::size_t kMaxCallbackDepth = 100;

class CallbackDepthError : public Error {
public:
    using Error::Error;
};

// Queues a delivery for the next drawnow, pause or deliver_pending_callbacks.
// Raises for an invalid handle or a name that is no callback property of the
// object.
void post_callback(double handle, std::string_view property);
// Runs the callback now. Raises as post_callback does, and passes on an error
// of the callback itself. Ignored (returns false) when the same callback of
// the object is already running; true when it ran or was empty.
bool deliver_callback(double handle, std::string_view property);
// Delivers the queued callbacks in order, skipping those whose object has
// been deleted meanwhile. An error stops the delivery and propagates; the
// rest stay queued.
void deliver_pending_callbacks();
std::size_t pending_callback_count() noexcept;

// Told of each delivery ignored because the same callback of the object is
// still running (a second press while the first one's work goes on); the
// runtime itself says nothing of it. An empty function: nobody is told.
using IgnoredDeliveryNotice = std::function<void(double handle, std::string_view property)>;
void set_ignored_delivery_notice(IgnoredDeliveryNotice notice);

// The object and window of the running callback; empty matrices when none
// runs.
Value gcbo();
Value gcbf();

}  // namespace rt
