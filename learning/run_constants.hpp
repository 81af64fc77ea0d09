#pragma once
// The constants of the learning run, the cart-pole step and the live display.
// They belong to the module of the main function, whose start button runs
// the learning: that module's initialiser hands its container to
// add_run_constants, which appends these in the order below, after the
// module's own. Keeping them in the caller's container (rather than a
// container of learning/ itself) is what makes one initialiser create, and
// one terminator release, every constant of that module.

#include <array>
#include <cstddef>

#include "figutil/module.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/array/value.hpp"
#include "runtime/call/frame.hpp"

namespace sys {

// In the order add_run_constants creates them (values in terms of rt::Value).
#define SYS_RUN_CONSTANTS(X)                                                             \
    X(kAutoselect, Value::string("autoselect"))                                          \
    X(kValue, Value::string("Value"))                                                    \
    X(kStartCount, 0.0)                                                                  \
    X(kMass, 1.1) /* cart and pole together */                                           \
    X(kPoleMass, 0.1)                                                                    \
    X(kGravity, 9.8)                                                                     \
    X(kPoleLength, 0.5)                                                                  \
    X(kForce, 10.0)                                                                      \
    X(kTimeStep, 0.02)                                                                   \
    X(kBoxCount, 162.0)                                                                  \
    X(kActionCount, 2.0)                                                                 \
    X(kCartAxisLimits, Value::row({-3, 3, 0, 1.5}))                                      \
    X(kDataAspectRatio, Value::string("DataAspectRatio"))                                \
    X(kUnitRatio, Value::row({1, 1, 1}))                                                 \
    X(kPosition, Value::string("Position"))                                              \
    X(kCartWindowPlace, Value::row({10, 100, 500, 200}))                                 \
    X(kDoubleBuffer, Value::string("DoubleBuffer"))                                      \
    X(kOn, Value::string("on"))                                                          \
    X(kPlotBoxAspectRatio, Value::string("PlotBoxAspectRatio"))                          \
    X(kMeshWindowPlace, Value::row({510, 50, 400, 400}))                                 \
    X(kRenderer, Value::string("Renderer"))                                              \
    X(kOpenGL, Value::string("OpenGL"))                                                  \
    X(kMeshAzimuth, 40.0)                                                                \
    X(kMeshElevation, -30.0)                                                             \
    X(kGridColumns, rt::colon(1, 18))                                                    \
    X(kGridRows, rt::colon(1, 9))                                                        \
    X(kBoxRows, 9.0)                                                                     \
    X(kBoxColumns, 18.0)                                                                 \
    X(kSuccessLimit, 100000.0)                                                           \
    X(kPushLeft, 1.0)                                                                    \
    X(kFailureBox, -1.0)                                                                 \
    X(kFourThirds, 1.3333333333333333)                                                   \
    X(kHalfPi, 1.5707963267948966)                                                       \
    X(kHingeHeight, 0.2)                                                                 \
    X(kCartHalfWidth, 0.4)                                                               \
    X(kCartWidth, 0.8)                                                                   \
    X(kFaceColor, Value::string("facecolor"))                                            \
    X(kBlue, Value::string("b"))                                                         \
    X(kMarkerHeight, 0.11)                                                               \
    X(kPushRightMarker, Value::string("r>"))                                             \
    X(kPushLeftMarker, Value::string("r<"))                                              \
    X(kStepPause, 1e-11)                                                                 \
    X(kTrials, Value::string("Trials  "))                                                \
    X(kBestSuccess, Value::string(", Best success : "))                                  \
    X(kMeshTitle, Value::string("Q-value mesh : up is push right, bottom is push left")) \
    X(kTrialMeshAzimuth, 30.0)                                                           \
    X(kTrialMeshElevation, -15.0)                                                        \
    X(kSuccessAt, Value::string("Success at "))                                          \
    X(kTrialsSuffix, Value::string(" trials"))

enum RunConstant : std::size_t {
    SYS_RUN_CONSTANTS(SYS_CONSTANT_NAME) kCount,  // how many there are

    // Slots that carry more than one meaning: the same number where another
    // part of the run uses it.
    kNoReinforcement = kStartCount,  // 0
    kUnchecked = kStartCount,        // 0, a radio button's "Value" when off
    kNoExploration = kStartCount,    // 0, BETA without the random bonus
    kFailureValue = kStartCount,     // 0, the value predicted for the failure box
    kRestState = kStartCount,        // 0, every state variable of a replay's start
    kNoForce = kStartCount,          // 0, the force between the two directions
    kCartBottom = kPoleMass,         // 0.1, the drawn cart's lower edge
    kCartHeight = kPoleMass,         // 0.1, the drawn cart's height
    kPushRight = kActionCount,       // 2, the second action
    kSquare = kActionCount,          // 2, the power of a square
    kOneMore = kPushLeft,            // 1, a count's step
    kNoAction = kFailureBox,         // -1, before the first action of a trial
    kLeftward = kFailureBox,         // -1, the sign of a push to the left
};

// A view of the run's constants inside their module's container.
class RunConstants {
public:
    // A view of nothing: every read raises the runtime's message for
    // constants whose module has not been initialised.
    RunConstants();
    const rt::Value& operator[](RunConstant c) const { return (*module_)[first_ + c]; }
    // The first of them, once it is tested that they all exist.
    const rt::Value* checked_first() const { return module_->checked_first(first_ + kCount) + first_; }

private:
    friend RunConstants add_run_constants(rt::ModuleConstants& module);
    RunConstants(const rt::ModuleConstants& module, std::size_t first) : module_(&module), first_(first) {}

    const rt::ModuleConstants* module_;
    std::size_t first_ = 0;
};

// The same constants read without a test each, for the code of every step:
// made from a RunConstants, which is tested once then. Valid while the
// module's constants stay as they are (nothing adds or releases any during a
// run).
// The plain numbers among them are read as numbers known when compiling
// (sys::ConstantNumber), by value.
class RunConstantsView {
public:
    RunConstantsView(const RunConstants& k) : first_(k.checked_first()) {}  // NOLINT(google-explicit-constructor)
    RT_INLINE rt::Value operator[](RunConstant c) const {
        if (kNumbers[c].known) return rt::Value(kNumbers[c].value);
        return first_[c];
    }

private:
    static constexpr auto kNumbers = [] {
        using rt::Value;
        return std::array<ConstantNumber, kCount>{SYS_RUN_CONSTANTS(SYS_CONSTANT_NUMBER)};
    }();
    const rt::Value* first_;
};

// Appends the run's constants to `module`, which must outlive the view; the
// module's terminator releases them with the rest, in reverse.
RunConstants add_run_constants(rt::ModuleConstants& module);

}  // namespace sys
