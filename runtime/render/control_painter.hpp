#pragma once
// A simple picture of a uicontrol, so that an image of a control window looks
// like the window: buttons, texts, edits, sliders, radio buttons, check
// boxes, frames, list boxes and pop-up menus in their colours and font.

#include <QPainter>
#include <QRectF>
#include <QSizeF>

#include "runtime/graphics/graphics_object.hpp"

namespace rt {

// The control's rectangle on a device of the window's inner size
// (top-left origin).
QRectF control_device_rect(const GraphicsObject& control, QSizeF device);

// Paints a visible control into its rectangle; hidden ones paint nothing.
void paint_control(const GraphicsObject& control, QSizeF device, QPainter& painter);

}  // namespace rt
