#include "runtime/render/axes_projection.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "runtime/graphics/property_id.hpp"

namespace rt {

namespace {

using P = PropertyId;

// What an axes keeps around its plot box for tick labels and the title when
// it is laid out by its outer position, as fractions of that rectangle.
constexpr double kInsetLeft = 0.13, kInsetBottom = 0.11, kInsetRight = 0.095, kInsetTop = 0.075;

bool manual(const GraphicsObject& axes, PropertyId mode) { return axes.is(mode, "manual"); }

double finite_or(double v, double fallback) { return std::isfinite(v) && v > 0 ? v : fallback; }

}  // namespace

QRectF axes_position_rect(const GraphicsObject& axes, QSizeF device) {
    PixelRect r = pixel_position(axes);
    if (axes.is(P::ActivePositionProperty, "outerposition")) {
        PixelRect o = outer_pixel_position(axes);
        r = {o.left + o.width * kInsetLeft, o.bottom + o.height * kInsetBottom,
             o.width * (1 - kInsetLeft - kInsetRight), o.height * (1 - kInsetBottom - kInsetTop)};
    }
    return QRectF(r.left, device.height() - (r.bottom + r.height), std::max(r.width, 0.0), std::max(r.height, 0.0));
}

AxesProjection::AxesProjection(const GraphicsObject& axes, const AxesLimits& limits, QSizeF device)
    : lim_(limits), position_(axes_position_rect(axes, device)) {
    const Value& view = axes.value(P::View);
    if (view.numel() == 2 && std::isfinite(view[0]) && std::isfinite(view[1])) {
        az_ = view[0];
        el_ = view[1];
    }
    three_d_ = !(el_ == 90 && std::fmod(az_, 360.0) == 0);
    const double deg = std::numbers::pi / 180;
    ca_ = std::cos(az_ * deg);
    sa_ = std::sin(az_ * deg);
    ce_ = std::cos(el_ * deg);
    se_ = std::sin(el_ * deg);
    if (!three_d_) {  // exactly, so that 2-D edges fall on whole pixels
        ca_ = 1, sa_ = 0, ce_ = 0, se_ = 1;
    }

    const double* limit[3] = {lim_.x, lim_.y, lim_.z};
    double range[3];
    for (int i = 0; i < 3; ++i) {
        const double lo = limit[i][0], hi = limit[i][1];
        range[i] = hi - lo;
        if (!std::isfinite(lo) || !std::isfinite(hi)) continue;  // pre 1, low 0, inv 1
        if (std::isinf(range[i])) pre_[i] = 0.5;
        low_[i] = lo * pre_[i];
        const double scaled = hi * pre_[i] - low_[i];
        if (scaled > 0) inv_[i] = std::isfinite(1 / scaled) ? 1 / scaled : 0;
    }
    bool keep_shape = true;
    if (manual(axes, P::DataAspectRatioMode)) {
        const Value& dar = axes.value(P::DataAspectRatio);
        for (int i = 0; i < 3; ++i) {
            side_[i] = finite_or(range[i], 1) / (dar.numel() == 3 ? finite_or(dar[i], 1) : 1);
        }
    } else if (manual(axes, P::PlotBoxAspectRatioMode)) {
        const Value& pbar = axes.value(P::PlotBoxAspectRatio);
        for (int i = 0; i < 3; ++i) side_[i] = pbar.numel() == 3 ? finite_or(pbar[i], 1) : 1;
    } else {
        keep_shape = three_d_;
    }
    double longest = std::max({side_[0], side_[1], side_[2]});
    for (double& s : side_) s /= longest;

    double lo_x = 1e300, hi_x = -1e300, lo_y = 1e300, hi_y = -1e300;
    for (int k = 0; k < 8; ++k) {
        double sx, sy, d;
        rotate((k & 1 ? 0.5 : -0.5) * side_[0], (k >> 1 & 1 ? 0.5 : -0.5) * side_[1],
               (k >> 2 & 1 ? 0.5 : -0.5) * side_[2], sx, sy, d);
        lo_x = std::min(lo_x, sx), hi_x = std::max(hi_x, sx);
        lo_y = std::min(lo_y, sy), hi_y = std::max(hi_y, sy);
    }
    const double w = std::max(hi_x - lo_x, 1e-12), h = std::max(hi_y - lo_y, 1e-12);
    scale_x_ = position_.width() / w;
    scale_y_ = position_.height() / h;
    if (keep_shape) scale_x_ = scale_y_ = std::min(scale_x_, scale_y_);
    centre_sx_ = (lo_x + hi_x) / 2;
    centre_sy_ = (lo_y + hi_y) / 2;
    centre_ = position_.center();
    box_ = QRectF(centre_.x() - w * scale_x_ / 2, centre_.y() - h * scale_y_ / 2, w * scale_x_, h * scale_y_);
}

void AxesProjection::rotate(double x, double y, double z, double& sx, double& sy, double& d) const noexcept {
    sx = x * ca_ + y * sa_;
    sy = -x * se_ * sa_ + y * se_ * ca_ + z * ce_;
    d = x * sa_ * ce_ - y * ca_ * ce_ + z * se_;
}

QPointF AxesProjection::map(double x, double y, double z) const noexcept {
    double sx, sy, d;
    rotate(nx(x), ny(y), nz(z), sx, sy, d);
    return QPointF(centre_.x() + (sx - centre_sx_) * scale_x_, centre_.y() - (sy - centre_sy_) * scale_y_);
}

QPointF AxesProjection::project(double x, double y, double z, double& depth) const noexcept {
    double sx, sy;
    rotate(nx(x), ny(y), nz(z), sx, sy, depth);
    return QPointF(centre_.x() + (sx - centre_sx_) * scale_x_, centre_.y() - (sy - centre_sy_) * scale_y_);
}

double AxesProjection::depth(double x, double y, double z) const noexcept {
    double sx, sy, d;
    rotate(nx(x), ny(y), nz(z), sx, sy, d);
    return d;
}

QPointF AxesProjection::corner(int k) const noexcept {
    return map(lim_.x[k & 1], lim_.y[k >> 1 & 1], lim_.z[k >> 2 & 1]);
}

double AxesProjection::corner_depth(int k) const noexcept {
    return depth(lim_.x[k & 1], lim_.y[k >> 1 & 1], lim_.z[k >> 2 & 1]);
}

}  // namespace rt
