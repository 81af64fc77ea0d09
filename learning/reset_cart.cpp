#include "learning/reset_cart.hpp"

#include "runtime/array/ops.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/call/random.hpp"

namespace sys {

namespace {

#define RESET_CART_CONSTANTS(X) \
    X(kStartBox, 1.0)           \
    X(kNoAction, -1.0)

enum Constant : std::size_t { RESET_CART_CONSTANTS(SYS_CONSTANT_NAME) };

Constants<Constant, reset_cart_module> constants;

rt::Value body(int nargout, const rt::Value& BETA, rt::Value* cur_state_out, rt::Value* pre_action_out,
               rt::Value* cur_action_out, rt::Value* x_out, rt::Value* v_x_out, rt::Value* theta_out,
               rt::Value* v_theta_out) {
    using namespace rt;
    BodyFrame frame(reset_cart_module.name(), &reset_cart_module.locals, nargout);
    Value pre_state, cur_state, pre_action, cur_action, x, v_x, theta, v_theta;

    pre_state = constants[kStartBox];
    cur_state = constants[kStartBox];
    pre_action = constants[kNoAction];
    cur_action = constants[kNoAction];
    x = mtimes(Value(rt::rand()), require_input(BETA, "BETA"));
    v_x = mtimes(Value(rt::rand()), require_input(BETA, "BETA"));
    theta = mtimes(Value(rt::rand()), require_input(BETA, "BETA"));
    v_theta = mtimes(Value(rt::rand()), require_input(BETA, "BETA"));

    frame.check_output(pre_state, 1, "pre_state");
    frame.check_output(cur_state, 2, "cur_state");
    frame.check_output(pre_action, 3, "pre_action");
    frame.check_output(cur_action, 4, "cur_action");
    frame.check_output(x, 5, "x");
    frame.check_output(v_x, 6, "v_x");
    frame.check_output(theta, 7, "theta");
    frame.check_output(v_theta, 8, "v_theta");
    hand_out(cur_state_out, std::move(cur_state));
    hand_out(pre_action_out, std::move(pre_action));
    hand_out(cur_action_out, std::move(cur_action));
    hand_out(x_out, std::move(x));
    hand_out(v_x_out, std::move(v_x));
    hand_out(theta_out, std::move(theta));
    hand_out(v_theta_out, std::move(v_theta));
    return pre_state;
}

}  // namespace

rt::Value reset_cart(rt::Value BETA, rt::Value* cur_state, rt::Value* pre_action, rt::Value* cur_action, rt::Value* x,
                     rt::Value* v_x, rt::Value* theta, rt::Value* v_theta) {
    return body(rt::requested_outputs(cur_state, pre_action, cur_action, x, v_x, theta, v_theta), BETA, cur_state,
                pre_action, cur_action, x, v_x, theta, v_theta);
}

void entry_reset_cart(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call(constants.arity(), nargout, outputs, nargin, inputs);
    call.finish(body(call.nargout(), call.input(1), call.output(2), call.output(3), call.output(4), call.output(5),
                     call.output(6), call.output(7), call.output(8)));
}

void reset_cart_initialize() { constants.create({RESET_CART_CONSTANTS(SYS_CONSTANT_VALUE)}); }

void reset_cart_terminate() { constants.release(); }

}  // namespace sys
