#pragma once
// The live display of a learning run: two windows of the run's own.
//
//  - the cart window: the cart, its pole and the push marker of the step,
//    created after every step, shown during the step's pause and deleted
//    right after it; its title counts the trials and the best trial so far,
//    and at the end reports the success;
//  - the action-value window: the whole table drawn as two surfaces over a
//    9-by-18 grid of boxes (push left below, push right one unit above),
//    redrawn after every failure on top of the earlier ones.
//
// The display reads the run's values and changes none of them. Windows are
// never closed or reused by it; a window closed by the user makes the next
// drawing into it raise the runtime's error, which ends the run.

#include "learning/run_constants.hpp"
#include "runtime/array/value.hpp"

namespace sys {

class LiveDisplay {
public:
    // The constants must stay as they are while the display draws.
    explicit LiveDisplay(RunConstantsView k) : k_(k), cart_pairs_{k[kPosition], rt::Value(), k[kFaceColor], k[kBlue]} {}

    // Creates and arranges the cart window, then the action-value window.
    void open_windows();
    // Draws into the cart window of an earlier display instead (a replay).
    void attach_cart_window(const rt::Value& window) { h1_ = window; }
    // The mesh's grids: GX(j, k) = k, GY(j, k) = j over 9 rows and 18 columns;
    // and the runtime's blocks for the rows of the steps to come, made ready.
    void build_grids();
    // Draws the cart at x with its pole at theta and the marker of the push
    // F, pauses so the window can show them, and deletes them again.
    void draw_step(const rt::Value& x, const rt::Value& theta, const rt::Value& F);
    // New titles from the counts, and the table's two surfaces.
    void redraw_failure(const rt::Value& trial, const rt::Value& best, const rt::Value& q_val);
    // "Success at N trials" over the cart.
    void show_success(const rt::Value& trial);

    const rt::Value& cart_window() const { return h1_; }
    const rt::Value& mesh_window() const { return h2_; }

private:
    void make_current(const rt::Value& window) const;
    // draw_step's body.
    void draw(const rt::Value& x, const rt::Value& theta, const rt::Value& F);

    RunConstantsView k_;
    rt::Value h1_, h2_;
    rt::Value GX_, GY_, GZ_;
    // The cart's rectangle's name/value pairs; each step puts in its place.
    rt::Value cart_pairs_[4];
};

}  // namespace sys
