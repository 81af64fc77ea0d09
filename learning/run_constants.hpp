#pragma once
// The constants of the learning run, the cart-pole step and the live display.
// They belong to the module of the main function, whose start button runs
// the learning: that module's initialiser hands its container to
// add_run_constants, which appends these in the order below, after the
// module's own. Keeping them in the caller's container (rather than a
// container of learning/ itself) is what makes one initialiser create, and
// one terminator release, every constant of that module.

#include <cstddef>

#include "runtime/array/value.hpp"
#include "runtime/call/frame.hpp"

namespace sys {

// In the order add_run_constants creates them.
enum RunConstant : std::size_t {
    kAutoselect,        // "autoselect"
    kValue,             // "Value"
    k0,
    kMass,              // 1.1, cart and pole together
    kPoleMass,          // 0.1
    kGravity,           // 9.8
    kPoleLength,        // 0.5
    kForce,             // 10
    kTimeStep,          // 0.02
    k162,
    k2,
    kCartAxisLimits,    // [-3 3 0 1.5]
    kDataAspectRatio,   // "DataAspectRatio"
    kUnitRatio,         // [1 1 1]
    kPosition,          // "Position"
    kCartWindowPlace,   // [10 100 500 200]
    kDoubleBuffer,      // "DoubleBuffer"
    kOn,                // "on"
    kPlotBoxAspectRatio,  // "PlotBoxAspectRatio"
    kMeshWindowPlace,   // [510 50 400 400]
    kRenderer,          // "Renderer"
    kOpenGL,            // "OpenGL"
    k40,
    kMinus30,
    kGridColumns,       // 1:18
    kGridRows,          // 1:9
    k9,
    k18,
    kSuccessLimit,      // 100000
    k1,
    kMinus1,
    kFourThirds,        // 1.3333333333333333
    kHalfPi,            // 1.5707963267948966
    kHingeHeight,       // 0.2
    kCartHalfWidth,     // 0.4
    kCartWidth,         // 0.8
    kFaceColor,         // "facecolor"
    kBlue,              // "b"
    kMarkerHeight,      // 0.11
    kPushRight,         // "r>"
    kPushLeft,          // "r<"
    kStepPause,         // 1e-11
    kTrials,            // "Trials  "
    kBestSuccess,       // ", Best success : "
    kMeshTitle,         // "Q-value mesh : up is push right, bottom is push left"
    k30,
    kMinus15,
    kSuccessAt,         // "Success at "
    kTrialsSuffix,      // " trials"
    kRunConstantCount,

    // The same numbers where the drawing uses them.
    kCartBottom = kPoleMass,  // 0.1
    kCartHeight = kPoleMass,  // 0.1
};

// A view of the run's constants inside their module's container.
class RunConstants {
public:
    // A view of nothing: every read raises the runtime's message for
    // constants whose module has not been initialised.
    RunConstants();
    const rt::Value& operator[](RunConstant c) const { return (*module_)[first_ + c]; }

private:
    friend RunConstants add_run_constants(rt::ModuleConstants& module);
    RunConstants(const rt::ModuleConstants& module, std::size_t first) : module_(&module), first_(first) {}

    const rt::ModuleConstants* module_;
    std::size_t first_ = 0;
};

// Appends the run's constants to `module`, which must outlive the view; the
// module's terminator releases them with the rest, in reverse.
RunConstants add_run_constants(rt::ModuleConstants& module);

}  // namespace sys
