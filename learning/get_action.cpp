#include "learning/get_action.hpp"

#include "learning/get_box.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/call/random.hpp"

namespace sys {

namespace {

#define GET_ACTION_CONSTANTS(X) \
    X(kNoAction, -1.0)          \
    X(kFailureValue, 0.0)       \
    X(kPushLeft, 1.0)           \
    X(kPushRight, 2.0)

enum Constant : std::size_t {
    GET_ACTION_CONSTANTS(SYS_CONSTANT_NAME)
    // One slot, two meanings.
    kFailureBox = kNoAction,  // -1
};

constexpr std::array kNumbers{GET_ACTION_CONSTANTS(SYS_CONSTANT_NUMBER)};
Constants<Constant, get_action_module, kNumbers> constants;

// q_val(row, col), read seven times a call: the runtime reads a whole
// index of a double table inline.
RT_INLINE rt::Value entry_of(const rt::Value& table, const rt::Value& row, const rt::Value& col) {
    return rt::array_ref2(table, row, col);
}

// The five outputs each start as the input of their name. In line wherever
// it is used.
RT_INLINE void body(int nargout, rt::Value& q_val, rt::Value& pre_state, rt::Value& pre_action, rt::Value& cur_state,
                    rt::Value& cur_action, const rt::Value& x, const rt::Value& v_x, const rt::Value& theta,
                    const rt::Value& v_theta, const rt::Value& reinf_in, const LearningParameters& parameters) {
    using namespace rt;
    BodyFrame frame(get_action_module.name(), &get_action_module.locals, nargout);
    const auto K = constants.view();
    auto in = [](const Value& v, const char* name) -> const Value& { return require_input(v, name); };
    const Value &ALPHA_in = parameters.alpha, &BETA_in = parameters.beta, &GAMMA_in = parameters.gamma;
    Value predicted_value;

    pre_state = in(cur_state, "cur_state");
    pre_action = in(cur_action, "cur_action");
    cur_state = get_box(in(x, "x"), in(v_x, "v_x"), in(theta, "theta"), in(v_theta, "v_theta"));

    if (ne_bool(in(pre_action, "pre_action"), K(kNoAction))) {
        if (eq_bool(in(cur_state, "cur_state"), K(kFailureBox))) {
            predicted_value = K(kFailureValue);
        } else if (le_bool(entry_of(in(q_val, "q_val"), cur_state, K(kPushLeft)),
                           entry_of(q_val, cur_state, K(kPushRight)))) {
            predicted_value = entry_of(q_val, cur_state, K(kPushRight));
        } else {
            predicted_value = entry_of(q_val, cur_state, K(kPushLeft));
        }
        const Value t1 = mtimes(in(GAMMA_in, "GAMMA"), predicted_value);
        const Value t2 = plus(in(reinf_in, "reinf"), t1);
        const Value q = entry_of(in(q_val, "q_val"), in(pre_state, "pre_state"), pre_action);
        const Value t3 = minus(t2, q);
        const Value t4 = mtimes(in(ALPHA_in, "ALPHA"), t3);
        const Value updated = plus(entry_of(q_val, pre_state, pre_action), t4);
        array_assign2(q_val, pre_state, pre_action, updated);
    }

    const Value q2 = entry_of(in(q_val, "q_val"), in(cur_state, "cur_state"), K(kPushRight));
    const Value bonus = mtimes(Value(rt::rand()), in(BETA_in, "BETA"));
    const Value q1 = entry_of(q_val, cur_state, K(kPushLeft));
    cur_action = le_bool(plus(q1, bonus), q2) ? K(kPushRight) : K(kPushLeft);

    frame.check_output(q_val, 1, "q_val");
    frame.check_output(pre_state, 2, "pre_state");
    frame.check_output(pre_action, 3, "pre_action");
    frame.check_output(cur_state, 4, "cur_state");
    frame.check_output(cur_action, 5, "cur_action");
}

RT_INLINE void body(int nargout, Decision& d, const rt::Value& x, const rt::Value& v_x, const rt::Value& theta,
                    const rt::Value& v_theta, const rt::Value& reinf, const LearningParameters& parameters) {
    body(nargout, d.q_val, d.pre_state, d.pre_action, d.cur_state, d.cur_action, x, v_x, theta, v_theta, reinf,
         parameters);
}

}  // namespace

// Every step of a run has a table of doubles and double scalars for the rest:
// the body then works on copies in locals, each a variable of its own, which
// the compiler knows to be what they are, so that its arithmetic runs in
// registers. The table and the other outputs are moved in and out, so that
// the table is never shared and its store writes in place; they go back
// however the body ends. Flattened, so that the copies' own code is in line
// too.
[[gnu::flatten]] void next_decision(Decision& d, const rt::Value& x, const rt::Value& v_x, const rt::Value& theta,
                                    const rt::Value& v_theta, const rt::Value& reinf,
                                    const LearningParameters& parameters) {
    // Every output is wanted.
    const int nargout = get_action_functions[0].declared_outputs;
    if (d.q_val.is_stored_double() && rt::all_double_scalars(d.cur_state, d.cur_action, x, v_x, theta, v_theta, reinf,
                                                             parameters.alpha, parameters.beta, parameters.gamma))
        [[likely]] {
        const rt::Value xl = rt::local_copy(x), v_xl = rt::local_copy(v_x), thetal = rt::local_copy(theta),
                        v_thetal = rt::local_copy(v_theta), reinfl = rt::local_copy(reinf);
        const rt::Value alpha = rt::local_copy(parameters.alpha), beta = rt::local_copy(parameters.beta),
                        gamma = rt::local_copy(parameters.gamma);
        rt::Value q_val = std::move(d.q_val), pre_state = std::move(d.pre_state), pre_action = std::move(d.pre_action),
                  cur_state = std::move(d.cur_state), cur_action = std::move(d.cur_action);
        const auto put_back = [&] {
            d.q_val = std::move(q_val);
            d.pre_state = std::move(pre_state);
            d.pre_action = std::move(pre_action);
            d.cur_state = std::move(cur_state);
            d.cur_action = std::move(cur_action);
        };
        try {
            body(nargout, q_val, pre_state, pre_action, cur_state, cur_action, xl, v_xl, thetal, v_thetal, reinfl,
                 {alpha, beta, gamma});
        } catch (...) {
            put_back();
            throw;
        }
        put_back();
        return;
    }
    body(nargout, d, x, v_x, theta, v_theta, reinf, parameters);
}

Decision get_action(Decision d, const rt::Value& x, const rt::Value& v_x, const rt::Value& theta,
                    const rt::Value& v_theta, const rt::Value& reinf, const LearningParameters& parameters) {
    next_decision(d, x, v_x, theta, v_theta, reinf, parameters);
    return d;
}

void entry_get_action(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call(constants.arity(), nargout, outputs, nargin, inputs);
    Decision d{call.input(6), call.input(7), call.input(9), call.input(8), call.input(10)};
    body(call.nargout(), d, call.input(1), call.input(2), call.input(3), call.input(4), call.input(5),
         {call.input(11), call.input(12), call.input(13)});
    *call.output(2) = std::move(d.pre_state);
    *call.output(3) = std::move(d.pre_action);
    *call.output(4) = std::move(d.cur_state);
    *call.output(5) = std::move(d.cur_action);
    call.finish(std::move(d.q_val));
}

void get_action_initialize() { constants.create({GET_ACTION_CONSTANTS(SYS_CONSTANT_VALUE)}); }

void get_action_terminate() { constants.release(); }

}  // namespace sys
