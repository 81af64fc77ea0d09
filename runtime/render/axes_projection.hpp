#pragma once
// Where an axes' data lands on the paint device.
//
// The data inside the limits fill a box whose sides follow the axes' aspect
// settings: with "DataAspectRatioMode" manual the sides are the limit ranges
// divided by "DataAspectRatio" (equal data units on screen; the plot box gives
// way), else with "PlotBoxAspectRatioMode" manual they are
// "PlotBoxAspectRatio", else a 3-D box is a cube and a 2-D box stretches to
// fill the axes' position. The box is turned to the "View" (azimuth about z,
// counted from the negative y axis; elevation above the x-y plane), projected
// orthographically and fitted, centred, into the position rectangle.
//
// Device coordinates have their origin at the top left, y growing downwards.

#include <array>

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include "runtime/graphics/graphics_object.hpp"

namespace rt {

class AxesProjection {
public:
    // `axes` must be an axes object; `device` is the size of the window's
    // inner area it is painted into. `limits` are the axes' effective limits.
    AxesProjection(const GraphicsObject& axes, const AxesLimits& limits, QSizeF device);

    const AxesLimits& limits() const noexcept { return lim_; }
    // False for the plain 2-D view (azimuth 0, elevation 90).
    bool three_d() const noexcept { return three_d_; }
    double azimuth() const noexcept { return az_; }
    double elevation() const noexcept { return el_; }
    // The axes' position rectangle on the device.
    const QRectF& position() const noexcept { return position_; }

    QPointF map(double x, double y, double z = 0) const noexcept;
    // Larger is nearer the viewer.
    double depth(double x, double y, double z) const noexcept;
    // map and depth at once.
    QPointF project(double x, double y, double z, double& depth) const noexcept;
    // The 2-D plot box (x right, y up); for a 3-D view the bounds of the
    // projected box.
    QRectF plot_box() const noexcept { return box_; }
    // Corner k of the data box has x at limit (k & 1), y at (k >> 1 & 1), z
    // at (k >> 2 & 1).
    QPointF corner(int k) const noexcept;
    double corner_depth(int k) const noexcept;

private:
    void rotate(double nx, double ny, double nz, double& sx, double& sy, double& d) const noexcept;
    double nx(double x) const noexcept { return ((x * pre_[0] - low_[0]) * inv_[0] - 0.5) * side_[0]; }
    double ny(double y) const noexcept { return ((y * pre_[1] - low_[1]) * inv_[1] - 0.5) * side_[1]; }
    double nz(double z) const noexcept { return ((z * pre_[2] - low_[2]) * inv_[2] - 0.5) * side_[2]; }

    AxesLimits lim_;
    double az_ = 0, el_ = 90;
    bool three_d_ = false;
    QRectF position_;
    QRectF box_;
    double side_[3] = {1, 1, 1};  // the box's sides, the longest 1
    double inv_[3] = {1, 1, 1};   // 1 / limit range, computed once per paint
    // Data are scaled by pre_ before the lower limit (low_, scaled alike) is
    // taken off: 1 for every range but one too wide for a double (limits near
    // +-1e308), which is halved first. A range too narrow for its inverse to
    // be a double has inv_ 0: everything lies on the lower side.
    double pre_[3] = {1, 1, 1};
    double low_[3] = {0, 0, 0};
    double ca_ = 1, sa_ = 0, ce_ = 0, se_ = 1;
    double scale_x_ = 1, scale_y_ = 1, centre_sx_ = 0, centre_sy_ = 0;
    QPointF centre_;
};

// An axes' position rectangle on a device of the given size (top-left
// origin): "Position", or inside "OuterPosition" when that is the active one.
QRectF axes_position_rect(const GraphicsObject& axes, QSizeF device);

}  // namespace rt
