#include "learning/get_box.hpp"

#include "runtime/array/ops.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/frame.hpp"

namespace sys {

namespace {

// In the order the initialiser creates them. Bins count from 0, lowest
// first; "degrees" constants are multiplied by kDegree where used.
#define GET_BOX_CONSTANTS(X)         \
    X(kDegree, 0.017453292519943295) \
    X(kXLowEdge, -0.8)               \
    X(kXBin0Box, 1.0)                \
    X(kXHighEdge, 0.8)               \
    X(kXBin1Box, 2.0)                \
    X(kXBin2Box, 3.0)                \
    X(kVxLowEdge, -0.5)              \
    X(kVxHighEdge, 0.5)              \
    X(kVxBin2Offset, 6.0)            \
    X(kThetaLowEdgeDegrees, -6.0)    \
    X(kThetaBin1Offset, 9.0)         \
    X(kThetaMiddleEdge, 0.0)         \
    X(kThetaBin2Offset, 18.0)        \
    X(kThetaBin3Offset, 27.0)        \
    X(kThetaBin4Offset, 36.0)        \
    X(kThetaBin5Offset, 45.0)        \
    X(kVThetaLowEdgeDegrees, -50.0)  \
    X(kVThetaHighEdgeDegrees, 50.0)  \
    X(kVThetaBin1Offset, 54.0)       \
    X(kVThetaBin2Offset, 108.0)      \
    X(kCartLimit, 2.4)               \
    X(kPoleLowLimitDegrees, -12.0)   \
    X(kPoleLimitDegrees, 12.0)       \
    X(kFailureBox, -1.0)             \
    X(kCartLowLimit, -2.4)

enum Constant : std::size_t {
    GET_BOX_CONSTANTS(SYS_CONSTANT_NAME)
    // One slot, two meanings.
    kVxBin1Offset = kXBin2Box,              // 3
    kThetaHighEdgeDegrees = kVxBin2Offset,  // 6
};

constexpr std::array kNumbers{GET_BOX_CONSTANTS(SYS_CONSTANT_NUMBER)};
Constants<Constant, get_box_module, kNumbers> constants;

// In line wherever it is used.
RT_INLINE rt::Value body(int nargout, const rt::Value& x_in, const rt::Value& v_x_in, const rt::Value& theta_in,
                         const rt::Value& v_theta_in) {
    using namespace rt;
    BodyFrame frame(get_box_module.name(), &get_box_module.locals, nargout);
    const auto K = constants.view();
    // Each reads its own copy, which no call can change, so that an input
    // is tested once however often it is read.
    auto x = [x_in]() -> const Value& { return require_input(x_in, "x"); };
    auto v_x = [v_x_in]() -> const Value& { return require_input(v_x_in, "v_x"); };
    auto theta = [theta_in]() -> const Value& { return require_input(theta_in, "theta"); };
    auto v_theta = [v_theta_in]() -> const Value& { return require_input(v_theta_in, "v_theta"); };

    Value box;
    const Value degree = K(kDegree);

    // The lowest bin of each variable after the first adds nothing.
    if (lt_bool(x(), K(kXLowEdge))) box = K(kXBin0Box);
    else if (lt_bool(x(), K(kXHighEdge))) box = K(kXBin1Box);
    else box = K(kXBin2Box);

    if (lt_bool(v_x(), K(kVxLowEdge))) {
    } else if (lt_bool(v_x(), K(kVxHighEdge))) box = plus(box, K(kVxBin1Offset));
    else box = plus(box, K(kVxBin2Offset));

    if (lt_bool(theta(), mtimes(K(kThetaLowEdgeDegrees), degree))) {
    } else if (lt_bool(theta(), uminus(degree))) box = plus(box, K(kThetaBin1Offset));
    else if (lt_bool(theta(), K(kThetaMiddleEdge))) box = plus(box, K(kThetaBin2Offset));
    else if (lt_bool(theta(), degree)) box = plus(box, K(kThetaBin3Offset));
    else if (lt_bool(theta(), mtimes(K(kThetaHighEdgeDegrees), degree))) box = plus(box, K(kThetaBin4Offset));
    else box = plus(box, K(kThetaBin5Offset));

    if (lt_bool(v_theta(), mtimes(K(kVThetaLowEdgeDegrees), degree))) {
    } else if (lt_bool(v_theta(), mtimes(K(kVThetaHighEdgeDegrees), degree))) box = plus(box, K(kVThetaBin1Offset));
    else box = plus(box, K(kVThetaBin2Offset));

    // Each clause only when the ones before it were false. lt_bool is the
    // truth of the element-wise lt, without building the logical array.
    if (lt_bool(x(), K(kCartLowLimit)) || gt_bool(x(), K(kCartLimit)) ||
        lt_bool(theta(), mtimes(K(kPoleLowLimitDegrees), degree)) ||
        gt_bool(theta(), mtimes(K(kPoleLimitDegrees), degree)))
        box = K(kFailureBox);

    frame.check_output(box, 1, "box");
    // Moved out rather than built in the caller's place, so that box stays
    // in registers until here.
    return Value(std::move(box));
}

}  // namespace

// Every step of a run has double scalars: the body then reads copies the
// compiler knows to be scalars (rt::on_scalar_copies), comparisons of
// numbers in registers.
[[gnu::flatten]] rt::Value get_box(const rt::Value& x, const rt::Value& v_x, const rt::Value& theta,
                                   const rt::Value& v_theta) {
    return rt::on_scalar_copies([](const rt::Value& x, const rt::Value& v_x, const rt::Value& theta,
                                   const rt::Value& v_theta) { return body(1, x, v_x, theta, v_theta); },
                                x, v_x, theta, v_theta);
}

void entry_get_box(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call(constants.arity(), nargout, outputs, nargin, inputs);
    call.finish(body(call.nargout(), call.input(1), call.input(2), call.input(3), call.input(4)));
}

void get_box_initialize() { constants.create({GET_BOX_CONSTANTS(SYS_CONSTANT_VALUE)}); }

void get_box_terminate() { constants.release(); }

}  // namespace sys
