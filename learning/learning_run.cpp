#include "learning/learning_run.hpp"

#include <algorithm>

#include "figutil/opengl.hpp"
#include "learning/cart_pole_step.hpp"
#include "learning/get_action.hpp"
#include "learning/get_box.hpp"
#include "learning/live_display.hpp"
#include "learning/reset_cart.hpp"
#include "learning/run_observer.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/globals.hpp"
#include "runtime/graphics/graphics.hpp"

namespace sys {

namespace {

// A learning parameter held in a global variable.
class Parameter {
public:
    explicit Parameter(const char* name) : name_(name), slot_(rt::global_slot(name)) {}
    void assign(rt::Value v) { rt::init_global(slot_) = std::move(v); }
    const rt::Value& value() const { return rt::global_value(slot_, name_); }
    void show() const { rt::print_array(value(), name_); }

private:
    const char* name_;
    rt::Value& slot_;
};

// The "Value" of the control in field `field` of handles, read now.
rt::Value control_value(RunConstantsView k, const rt::Value& handles, const char* field) {
    return rt::get(handles.field(field), k[kValue]);
}

// Tells the installed observers of the run; costs one test of an empty list
// per step when there are none.
class RunReports {
public:
    explicit RunReports(RunSettings settings) : observers_(run_observers()), settings_(settings) {
        for (RunObserver* o : observers_) {
            if (o->watches_steps()) steppers_.push_back(o);
            o->run_started(settings_);
        }
    }
    bool any() const { return !observers_.empty(); }
    bool any_steps() const { return !steppers_.empty(); }

    void step(double trial, double steps, double best, const CartPoleState& s, const rt::Value& box) const {
        const StepReport r{settings_.run,      trial,       steps, best, s.x.scalar(), s.v_x.scalar(), s.theta.scalar(),
                           s.v_theta.scalar(), box.scalar()};
        for (RunObserver* o : steppers_) o->step(r);
    }
    // True when an observer asks the run to stop.
    bool trial_ended(const TrialReport& r) const {
        bool stop = false;
        for (RunObserver* o : observers_) stop = (o->trial_ended(r) == RunCourse::stop) || stop;
        return stop;
    }
    void run_ended(const TrialReport& last, bool converged) const {
        for (RunObserver* o : observers_) o->run_ended(last, converged);
    }
    int run() const { return settings_.run; }

private:
    const std::vector<RunObserver*> observers_;  // a copy: an observer may remove itself
    std::vector<RunObserver*> steppers_;         // those of them that watch steps
    RunSettings settings_;
};

int next_run_number() {
    static int runs = 0;
    return ++runs;
}

}  // namespace

void failure_update(RunConstantsView k, rt::Value& q_val, const rt::Value& pre_state, const rt::Value& pre_action,
                    const rt::Value& reinf, const rt::Value& ALPHA, const rt::Value& GAMMA) {
    using namespace rt;
    const Value& predicted_value = k[kFailureValue];
    if (!ne_bool(pre_action, k[kNoAction])) return;
    const Value q = array_ref2(q_val, pre_state, pre_action);
    const Value target = plus(reinf, mtimes(GAMMA, predicted_value));
    const Value step = mtimes(ALPHA, minus(target, q));
    array_assign2(q_val, pre_state, pre_action, plus(array_ref2(q_val, pre_state, pre_action), step));
}

// Flattened: a step's bodies (each with its own run on local copies) are in
// line in the loop, so that the state and the decision pass from one to the
// next without a call between them.
[[gnu::flatten]] void learning_run(const RunConstants& constants, const rt::Value& handles) {
    const RunConstantsView k = constants;
    using namespace rt;
    Parameter ALPHA("ALPHA"), BETA("BETA"), GAMMA("GAMMA");

    opengl(0, k[kAutoselect]);
    ALPHA.assign(control_value(k, handles, "alpha_sl"));
    ALPHA.show();
    BETA.assign(control_value(k, handles, "beta_sl"));
    BETA.show();
    GAMMA.assign(control_value(k, handles, "gamma_sl"));
    GAMMA.show();
    if (eq_bool(control_value(k, handles, "radiobutton1"), k[kUnchecked])) {
        BETA.assign(k[kNoExploration]);
        BETA.show();
    }

    const CartPole plant = standard_cart_pole(k);
    CartPoleState s;
    Decision d;
    d.pre_state =
        reset_cart(BETA.value(), &d.cur_state, &d.pre_action, &d.cur_action, &s.x, &s.v_x, &s.theta, &s.v_theta);
    d.q_val = zeros(k[kBoxCount].scalar(), k[kActionCount].scalar());

    LiveDisplay display(k);
    display.open_windows();
    Value success = k[kStartCount], reinf = k[kNoReinforcement], trial = k[kStartCount];
    display.build_grids();
    Value best = k[kStartCount];
    const bool exploring = !eq_bool(control_value(k, handles, "radiobutton1"), k[kUnchecked]);
    const RunReports reports(
        {next_run_number(), ALPHA.value().scalar(), BETA.value().scalar(), GAMMA.value().scalar(), exploring});

    while (lt_bool(success, k[kSuccessLimit])) {
        next_decision(d, s.x, s.v_x, s.theta, s.v_theta, reinf, {ALPHA.value(), BETA.value(), GAMMA.value()});
        const Value F = cart_pole_step(k, plant, d.cur_action, s);
        display.draw_step(s.x, s.theta, F);
        const Value box = get_box(s.x, s.v_x, s.theta, s.v_theta);
        if (reports.any_steps()) reports.step(trial.scalar(), success.scalar() + 1, best.scalar(), s, box);

        if (eq_bool(box, k[kFailureBox])) {
            const double last_steps = success.scalar();
            reinf = control_value(k, handles, "reinf_sl");
            failure_update(k, d.q_val, d.pre_state, d.pre_action, reinf, ALPHA.value(), GAMMA.value());
            d.pre_state = reset_cart(BETA.value(), &d.cur_state, &d.pre_action, &d.cur_action, &s.x, &s.v_x, &s.theta,
                                     &s.v_theta);
            trial = plus(trial, k[kOneMore]);
            if (gt_bool(success, best)) best = success;
            success = k[kStartCount];
            display.redraw_failure(trial, best, d.q_val);
            if (reports.any()) {
                const TrialReport r{reports.run(), trial.scalar(), last_steps, best.scalar(),
                                    false,         reinf.scalar(), &d.q_val};
                if (reports.trial_ended(r)) {
                    reports.run_ended(r, false);
                    return;
                }
            }
        } else {
            success = plus(success, k[kOneMore]);
            reinf = k[kNoReinforcement];
        }
    }
    display.show_success(trial);
    if (reports.any()) {
        const TrialReport r{
            reports.run(), trial.scalar() + 1, success.scalar(), std::max(best.scalar(), success.scalar()), true, 0.0,
            &d.q_val};
        reports.trial_ended(r);
        reports.run_ended(r, true);
    }
}

}  // namespace sys
