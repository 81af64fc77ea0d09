#pragma once
// What the object tree needs of callback delivery (callbacks.cpp).

#include <cstddef>
#include <vector>

#include "runtime/graphics/property_id.hpp"

namespace rt {

// Queues the object's callback property for the next delivery.
void queue_callback(double handle, PropertyId property);
// The number of queued deliveries, kept by callbacks.cpp for the check
// below: every deleted object asks, and the queue is nearly always empty.
inline std::size_t queued_deliveries = 0;
void forget_queued_callbacks(double handle);
// Drops the queued deliveries of a handle that dies.
inline void forget_callbacks(double handle) {
    if (queued_deliveries != 0) forget_queued_callbacks(handle);
}
// Runs the non-empty "DeleteFcn"s of the objects in order. An error in one
// is shown as a warning: the deletion goes on. A CallbackDepthError is
// passed on once all have run.
void run_delete_callbacks(const std::vector<double>& handles);
// Runs the "CreateFcn"s of new objects, whose properties are all set, in
// order, with gcbo the object; one deleted meanwhile is skipped. An error in
// one is shown as a warning: the object stays created.
void run_create_callbacks(const std::vector<double>& handles);
// Empties the queue and the running marks (library termination).
void clear_callbacks();

}  // namespace rt

namespace rt {
// True while a callback runs (objects whose "HandleVisibility" is
// "callback" are then visible).
bool callback_running() noexcept;
}  // namespace rt
