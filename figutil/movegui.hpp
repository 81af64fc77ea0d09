#pragma once
// movegui: moves a window on the screen, keeping its outer size (limited to
// the screen's). Inputs, up to three, in any order, a later one overriding an
// earlier one of its kind:
//   - a graphics handle: the window that holds it is moved;
//   - a position name, exactly one of "north", "south", "east", "west",
//     "northeast", "southeast", "northwest", "southwest", "center",
//     "onscreen" (letter case counts);
//   - two numbers [left bottom] for the outer rectangle, a negative one
//     counting back from the screen's right or top edge.
// With no window given it moves the window of the running callback, else the
// current one; with no position, "onscreen": the least move that puts the
// whole outer rectangle on the screen. As a callback it ignores its second
// input (the event data) when that fits none of the kinds above.
//
// The inputs are all checked before anything moves: "handle of figure or
// descendant required", "unrecognized position", "unrecognized input
// argument", or the runtime's count message for four or more. The window's
// and the root's "units" and the window's "activepositionproperty" end as
// they were. "north" also shows the new left and bottom on the console as
// "newpos".

#include <initializer_list>
#include <span>

#include "figutil/module.hpp"
#include "runtime/array/value.hpp"

namespace sys {

// Direct call forms; an absent value ends the list.
void movegui(std::span<const rt::Value> inputs);
inline void movegui(std::initializer_list<rt::Value> inputs) {
    movegui(std::span<const rt::Value>(inputs.begin(), inputs.size()));
}

void entry_movegui(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

void movegui_initialize();
void movegui_terminate();

// The local function get_parent_fig, callable by name only while movegui's
// body runs.
void entry_movegui_get_parent_fig(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

inline constexpr FunctionDescriptor movegui_functions[] = {
    {"movegui", entry_movegui, -1, 0, 1},
    {"movegui/get_parent_fig", entry_movegui_get_parent_fig, 1, 1, 166},
};
inline constexpr ModuleDescriptor movegui_module =
    describe_module<movegui_functions>(movegui_initialize, movegui_terminate);
inline constexpr const rt::LocalFunctionTable& movegui_locals = movegui_module.locals;

}  // namespace sys
