#include "learning/get_box.hpp"

#include "runtime/array/ops.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/frame.hpp"

namespace sys {

namespace {

rt::ModuleConstants constants("get_box");

// In the order the initialiser creates them.
enum Constant : std::size_t {
    kOutputsMessage,
    kInputsMessage,
    kDegree,
    kMinus0_8,
    k1,
    k0_8,
    k2,
    k3,
    kMinus0_5,
    k0_5,
    k6,
    kMinus6,
    k9,
    k0,
    k18,
    k27,
    k36,
    k45,
    kMinus50,
    k50,
    k54,
    k108,
    k2_4,
    kMinus12,
    k12,
    kMinus1,
    kMinus2_4,
};

const rt::Value& K(Constant c) { return constants[c]; }

rt::Value body(int nargout, const rt::Value& x_in, const rt::Value& v_x_in, const rt::Value& theta_in,
               const rt::Value& v_theta_in) {
    using namespace rt;
    BodyFrame frame("get_box", &get_box_locals, nargout);
    auto x = [&]() -> const Value& { return require_input(x_in, "x"); };
    auto v_x = [&]() -> const Value& { return require_input(v_x_in, "v_x"); };
    auto theta = [&]() -> const Value& { return require_input(theta_in, "theta"); };
    auto v_theta = [&]() -> const Value& { return require_input(v_theta_in, "v_theta"); };

    Value box;
    const Value degree = K(kDegree);

    // The lowest bin of each variable after the first adds nothing.
    if (lt_bool(x(), K(kMinus0_8))) box = K(k1);
    else if (lt_bool(x(), K(k0_8))) box = K(k2);
    else box = K(k3);

    if (lt_bool(v_x(), K(kMinus0_5))) {
    } else if (lt_bool(v_x(), K(k0_5))) box = plus(box, K(k3));
    else box = plus(box, K(k6));

    if (lt_bool(theta(), mtimes(K(kMinus6), degree))) {
    } else if (lt_bool(theta(), uminus(degree))) box = plus(box, K(k9));
    else if (lt_bool(theta(), K(k0))) box = plus(box, K(k18));
    else if (lt_bool(theta(), degree)) box = plus(box, K(k27));
    else if (lt_bool(theta(), mtimes(K(k6), degree))) box = plus(box, K(k36));
    else box = plus(box, K(k45));

    if (lt_bool(v_theta(), mtimes(K(kMinus50), degree))) {
    } else if (lt_bool(v_theta(), mtimes(K(k50), degree))) box = plus(box, K(k54));
    else box = plus(box, K(k108));

    // Each clause only when the ones before it were false. lt_bool is the
    // truth of the element-wise lt, without building the logical array.
    if (lt_bool(x(), K(kMinus2_4)) || gt_bool(x(), K(k2_4)) || lt_bool(theta(), mtimes(K(kMinus12), degree)) ||
        gt_bool(theta(), mtimes(K(k12), degree)))
        box = K(kMinus1);

    frame.check_output(box, 1, "box");
    return box;
}

}  // namespace

rt::Value get_box(rt::Value x, rt::Value v_x, rt::Value theta, rt::Value v_theta) {
    return body(1, x, v_x, theta, v_theta);
}

void entry_get_box(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call({"get_box", 4, 1, &constants[kOutputsMessage], &constants[kInputsMessage]}, nargout,
                        outputs, nargin, inputs);
    call.finish(body(call.nargout(), call.input(1), call.input(2), call.input(3), call.input(4)));
}

void get_box_initialize() {
    constants.add(rt::Value::string(rt::arity_message("get_box", 2, rt::ArityKind::Outputs, 1)));
    constants.add(rt::Value::string(rt::arity_message("get_box", 2, rt::ArityKind::Inputs, 4)));
    for (double d : {0.017453292519943295, -0.8, 1.0, 0.8, 2.0, 3.0, -0.5, 0.5, 6.0, -6.0, 9.0, 0.0, 18.0, 27.0, 36.0,
                     45.0, -50.0, 50.0, 54.0, 108.0, 2.4, -12.0, 12.0, -1.0, -2.4})
        constants.add(rt::Value(d));
}

void get_box_terminate() { constants.release(); }

}  // namespace sys
