#include "learning/live_display.hpp"

#include <span>

#include "figutil/surf.hpp"
#include "figutil/title.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/array/text.hpp"
#include "runtime/graphics/graphics.hpp"

namespace sys {

namespace {

// [a b ...] of double scalars: what rt::horzcat gives for them, without the
// general concatenation's checks and lists, since a step builds three.
template <typename... Scalars>
RT_INLINE rt::Value row_of(const Scalars&... scalars) {
    return rt::Value::small_row({scalars.scalar()...});
}

void set_pair(const rt::Value& h, const rt::Value& name, const rt::Value& value) {
    const rt::Value pair[] = {name, value};
    rt::set(h, pair);
}

}  // namespace

void LiveDisplay::make_current(const rt::Value& window) const { rt::figure(std::span<const rt::Value>(&window, 1)); }

void LiveDisplay::open_windows() {
    const RunConstantsView k = k_;
    h1_ = rt::figure();
    rt::axis(k[kCartAxisLimits]);
    set_pair(rt::gca(), k[kDataAspectRatio], k[kUnitRatio]);
    set_pair(h1_, k[kPosition], k[kCartWindowPlace]);
    set_pair(h1_, k[kDoubleBuffer], k[kOn]);
    set_pair(rt::gca(), k[kPlotBoxAspectRatio], k[kUnitRatio]);
    h2_ = rt::figure();
    set_pair(h2_, k[kPosition], k[kMeshWindowPlace]);
    set_pair(h2_, k[kRenderer], k[kOpenGL]);
    rt::view(k[kMeshAzimuth].scalar(), k[kMeshElevation].scalar());
}

void LiveDisplay::build_grids() {
    // A step draws with three rows and gives two back only after drawing.
    rt::Value::reserve_small_blocks(8);
    rt::meshgrid(k_[kGridColumns], k_[kGridRows], GX_, GY_);
    GZ_ = rt::zeros(k_[kBoxRows].scalar(), k_[kBoxColumns].scalar());
}

// In line wherever it is used.
RT_INLINE void LiveDisplay::draw(const rt::Value& x, const rt::Value& theta, const rt::Value& F) {
    using namespace rt;
    const RunConstantsView k = k_;
    make_current(h1_);
    // The pole: length 1 from the hinge on top of the cart, theta from upright.
    const Value X = row_of(x, plus(x, cos(minus(k[kHalfPi], theta))));
    const Value Y = row_of(k[kHingeHeight], plus(k[kHingeHeight], sin(minus(k[kHalfPi], theta))));

    Value& cart_place = cart_pairs_[1];
    cart_place = row_of(minus(x, k[kCartHalfWidth]), k[kCartBottom], k[kCartWidth], k[kCartHeight]);
    const Value obj = rectangle(cart_pairs_);
    const Value obj2 = line(X, Y);
    hold(k[kOn]);
    // The marker stands at the edge the push comes from and points its way.
    const Value obj3 = gt_bool(F, k[kNoForce])
                           ? plot(minus(x, k[kCartHalfWidth]), k[kMarkerHeight], k[kPushRightMarker])
                           : plot(plus(x, k[kCartHalfWidth]), k[kMarkerHeight], k[kPushLeftMarker]);
    pause(k[kStepPause]);
    delete_(obj);
    delete_(obj2);
    delete_(obj3);
}

// Every step of a run has double scalars: the drawing then reads copies the
// compiler knows to be scalars (rt::on_scalar_copies), so that the
// arithmetic of the cart's and the pole's places runs in registers.
[[gnu::flatten]] void LiveDisplay::draw_step(const rt::Value& x, const rt::Value& theta, const rt::Value& F) {
    rt::on_scalar_copies([this](const rt::Value& x, const rt::Value& theta, const rt::Value& F) { draw(x, theta, F); },
                         x, theta, F);
}

void LiveDisplay::redraw_failure(const rt::Value& trial, const rt::Value& best, const rt::Value& q_val) {
    using namespace rt;
    const RunConstantsView k = k_;
    make_current(h1_);
    title(0, strcat({k[kTrials], num2str(trial), k[kBestSuccess], num2str(best)}));
    make_current(h2_);
    title(0, k[kMeshTitle]);

    const double rows = k[kBoxRows].scalar(), cols = k[kBoxColumns].scalar();
    for (double i = 1; i <= 2; ++i) {
        double n = 1;
        for (double j = 1; j <= rows; ++j) {
            for (double c = 1; c <= cols; ++c) {
                array_assign2(GZ_, j, c, array_ref2(q_val, n, i) + i);
                n = n + 1;
            }
        }
        surf(0, {GX_, GY_, GZ_});
        view(k[kTrialMeshAzimuth].scalar(), k[kTrialMeshElevation].scalar());
        hold(k[kOn]);
    }
}

void LiveDisplay::show_success(const rt::Value& trial) {
    make_current(h1_);
    title(0, rt::strcat({k_[kSuccessAt], rt::num2str(trial), k_[kTrialsSuffix]}));
}

}  // namespace sys
