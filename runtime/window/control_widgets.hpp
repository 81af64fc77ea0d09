#pragma once
// The Qt widget of a uicontrol, kept in step with its properties both ways.
//
// Styles: a slider maps Min to Max onto 1000 steps and, when the user lets
// go of it or steps it, sets "Value" and posts its callback; a push button
// posts its callback; a toggle button, radio button or check box toggles
// "Value" between Min and Max and posts; an edit sets "String" when editing
// ends and posts; a pop-up menu or list box sets "Value" to the chosen item
// (from 1) and posts; a text is a label and a frame a frame. Callbacks go
// through the runtime's queue and run at its next delivery, never from
// inside the toolkit's event handling.

#include <optional>

#include <QWidget>

#include "runtime/graphics/graphics_object.hpp"

namespace rt {

// Steps of a slider between Min and Max.
inline constexpr int kSliderSteps = 1000;

// A new widget for `control`, a child of `window`, with all its properties
// applied.
QWidget* make_control_widget(const GraphicsObject& control, QWidget* window);

// Brings `widget` in step with one property of `control` (every property
// when `id` is empty). Never reports back to the runtime.
void sync_control_widget(QWidget* widget, const GraphicsObject& control, std::optional<PropertyId> id = std::nullopt);

// The style `widget` was made for; a change of "Style" needs a new widget.
bool widget_matches_style(const QWidget* widget, const GraphicsObject& control);

// A slider's step for a value, and the value of a step (exact at both ends).
int slider_step_of(double value, double min, double max) noexcept;
double slider_value_of(int step, double min, double max) noexcept;

}  // namespace rt
