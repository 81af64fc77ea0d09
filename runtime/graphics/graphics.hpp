#pragma once
// The graphics runtime: windows, axes, controls and plotted objects with
// their properties, the current objects, application data, refresh and
// runtime switches. No toolkit here: real windows attach through
// window_backend.hpp.
//
// Handles: the root is 0; windows are the lowest free positive whole numbers;
// every other object gets a non-integer handle (k + 0.5) that is never reused
// while the process runs.
//
// Property names are case-insensitive and read back in their stored case. An
// unknown name or a bad value raises an rt::Error naming the object's type
// and the property, e.g.
//   "There is no 'Valu' property on the uicontrol object."
//   "Bad value for the figure property 'Visible': expected 'on' or 'off'."
// Positions are [left bottom width height] in the object's "Units" (pixels,
// normalized, inches, centimeters, points or characters) from the
// bottom-left of the screen (a window) or of the window (axes, controls);
// changing "Units" converts the stored position. A window's "OuterPosition"
// includes its frame (window_backend.hpp).
//
// Every function raises an rt::Error with a clear message for bad input; a
// failed creation call leaves no object behind.

#include <cstddef>
#include <span>
#include <string_view>

#include "runtime/array/value.hpp"
#include "runtime/graphics/callbacks.hpp"
#include "runtime/graphics/graphics_object.hpp"
#include "runtime/graphics/layout_loader.hpp"
#include "runtime/graphics/line_style.hpp"
#include "runtime/graphics/property_id.hpp"
#include "runtime/graphics/window_backend.hpp"

namespace rt {

// ---- the library's life ----
// Registers the graphics functions callable by name (rt::register_builtin).
void graphics_library_initialize();
// Deletes every object (no callbacks run), empties the queue and the
// registries, and resets the switches and the screen to their start values.
void graphics_library_terminate();
// The by-name entry of ishandle (the others are reached through rt::feval).
void entry_ishandle(int nargout, Value* outputs, int nargin, const Value* inputs);

// ---- handles ----
bool ishandle(double h) noexcept;
// True for a number that was a handle and whose object has been deleted.
bool is_deleted_handle(double h) noexcept;
// Element by element; a logical array of the input's shape (false for
// anything that is not numeric).
Value ishandle(const Value& h);

// ---- properties ----
// One property of one object; with several handles, a column cell of their
// values.
Value get(const Value& h, const Value& name);
Value get(double h, std::string_view name);
// A structure of every property of one object, in the type's order.
Value get(const Value& h);
// Name/value pairs (or structures of them) applied in order to each handle.
void set(const Value& h, std::span<const Value> pairs);
void set(double h, std::string_view name, const Value& value);

// ---- windows and objects ----
// A new window, made current; its handle.
Value figure();
// figure(h): makes window h current and brings it to the front; a handle
// naming no window raises "figure: 7 is not a valid window handle.".
// figure(pairs...) creates a window with those properties; figure(h,
// pairs...) makes h current and sets them.
Value figure(std::span<const Value> args);
// axes(pairs...) creates axes in the current window and makes them current;
// axes(h) makes axes h (and its window) current.
Value axes(std::span<const Value> args);
// uicontrol(pairs...) in the current window, or uicontrol(parent, pairs...).
Value uicontrol(std::span<const Value> args);
// The following create one object in the current axes (made if need be).
// rectangle(pairs...): "Position" [0 0 1 1] unless given.
Value rectangle(std::span<const Value> args);
// line(x, y), line(x, y, z), each optionally followed by pairs; or
// line(pairs...).
Value line(std::span<const Value> args);
Value line(const Value& x, const Value& y);
// plot(y), plot(x, y), plot(x, y, linespec), then pairs; goes through
// newplot. A matrix gives one line per column; the result is then a column
// of handles.
Value plot(std::span<const Value> args);
Value plot(const Value& x, const Value& y, const Value& linespec);
// surface(Z), surface(X, Y, Z), surface(X, Y, Z, C), then pairs. X and Y may
// be matrices of Z's size or vectors (X as long as Z has columns, Y as long
// as it has rows); either way "XData" and "YData" are stored as matrices of
// Z's size (column and row numbers for surface(Z)). "CData" is Z unless C is
// given.
//
// An axes keeps at most kMaxSurfaces surfaces: a program that adds them
// without end (a learning run that never converges adds two per failure)
// would otherwise exhaust memory. Beyond the cap the oldest
// kSurfacesDroppedAtOnce are deleted, a batch at a time so that a window's
// remembered picture is rebuilt seldom; the first time in a process this
// says so in one line on the console.
inline constexpr std::size_t kMaxSurfaces = 4000;
inline constexpr std::size_t kSurfacesDroppedAtOnce = 1000;
Value surface(std::span<const Value> args);
// text(x, y, string), text(x, y, z, string), then pairs.
Value text(std::span<const Value> args);
// Deletes each object and everything beneath it (their "DeleteFcn"s run
// first). Deleting a window makes the most recent other window current.
// Raises for a handle naming no object; 0 (the root) cannot be deleted.
void delete_(const Value& h);
// close: the current window; close(h): those windows; close('all'): every
// window. Each runs its "CloseRequestFcn" (empty: delete).
void close(std::span<const Value> args);

// ---- finding objects ----
// A column: the object first, then every object beneath it in creation
// order, hidden ones included; optional name/value pairs keep only the
// objects whose property equals the value (texts compared exactly).
Value findall(const Value& h, std::span<const Value> pairs = {});
// findobj(pairs...) from the root, or findobj(h, pairs...): as findall but
// without objects whose "HandleVisibility" is "off".
Value findobj(std::span<const Value> args);

// ---- current objects ----
// The current window, created when there is none.
Value gcf();
// The current axes of the current window, created when there are none.
Value gca();
// The current axes prepared for a new plot, by the window's and then the
// axes' "NextPlot": "add" leaves them; "replace" deletes their children and
// resets their properties to defaults, except Position, OuterPosition,
// ActivePositionProperty, Units and Tag (the title's text is emptied);
// "replacechildren" only deletes the children.
Value newplot();
// hold('on'), hold('off'), hold() toggles; hold(ax, option) for given axes.
void hold();
void hold(const Value& option);
void hold(const Value& axes, const Value& option);
// True when the current axes and their window both add to the plot.
bool ishold();
bool ishold(const Value& axes);
// axis([xmin xmax ymin ymax]) or with [zmin zmax] too: sets the limits and
// makes their modes manual. axis('auto'), axis('manual'), axis('equal')
// (data aspect ratio [1 1 1]), axis('normal'), axis('on'), axis('off').
void axis(const Value& arg);
// The current limits [xmin xmax ymin ymax].
Value axis();
// view(az, el); view([az el]); view(3) is [-37.5 30], view(2) is [0 90].
void view(double azimuth, double elevation);
void view(const Value& arg);
// The current [az el].
Value view();

// ---- application data ----
// A name never set reads as [].
Value getappdata(const Value& h, const Value& name);
// A structure of every name set on the object.
Value getappdata(const Value& h);
void setappdata(const Value& h, const Value& name, const Value& value);
bool isappdata(const Value& h, const Value& name);
void rmappdata(const Value& h, const Value& name);

// ---- refresh ----
// Delivers the queued callbacks and lets the backend repaint what changed.
void drawnow();
// Waits (the backend does the waiting; headless it returns at once) and
// delivers the queued callbacks. A negative, NaN or non-numeric duration is
// refused.
void pause(double seconds);
void pause(const Value& seconds);

// ---- runtime switches ----
// feature(nargout, name) reads a switch; feature(nargout, name, value) sets
// it and gives nothing. Names (any case):
//   "openglmode"     a number, 2 at start (0 never, 1 advise, 2 autoselect)
//   "getopenglinfo"  a structure describing the renderer in use (fields
//                    Version, Vendor, Renderer, Software); with nargout 0 it
//                    is shown on the console instead
//   "getopengldata"  the same structure
// An unknown name raises "feature: unknown feature 'NAME'.".
Value feature(int nargout, const Value& name, const Value& value = Value::absent());

}  // namespace rt
