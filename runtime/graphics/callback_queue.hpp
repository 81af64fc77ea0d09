#pragma once
// What the object tree needs of callback delivery (callbacks.cpp).

#include <vector>

#include "runtime/graphics/property_id.hpp"

namespace rt {

// Queues the object's callback property for the next delivery.
void queue_callback(double handle, PropertyId property);
// Drops queued deliveries and running marks of a handle that dies.
void forget_callbacks(double handle);
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
