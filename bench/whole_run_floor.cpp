#include "bench/whole_run_floor.hpp"

#include <cmath>
#include <random>

namespace bench {

namespace {

constexpr double degree = 0.017453292519943295;

int box_of(double x, double v_x, double theta, double v_theta) {
    int box = x < -0.8 ? 1 : x < 0.8 ? 2 : 3;
    if (v_x < -0.5) {
    } else if (v_x < 0.5) box += 3;
    else box += 6;
    if (theta < -6 * degree) {
    } else if (theta < -degree) box += 9;
    else if (theta < 0) box += 18;
    else if (theta < degree) box += 27;
    else if (theta < 6 * degree) box += 36;
    else box += 45;
    if (v_theta < -50 * degree) {
    } else if (v_theta < 50 * degree) box += 54;
    else box += 108;
    if (x < -2.4 || x > 2.4 || theta < -12 * degree || theta > 12 * degree) box = -1;
    return box;
}

}  // namespace

PlainRunResult plain_learning_run(double ALPHA, double BETA, double GAMMA, double reinf_at_failure, std::uint64_t seed,
                                  long max_trials) {
    std::mt19937_64 engine(seed);
    auto rand = [&engine] { return static_cast<double>(engine() >> 11) * 0x1.0p-53; };

    const double m = 1.1, mp = 0.1, g = 9.8, length = 0.5, Force = 10, T = 0.02;
    double q_val[162][2] = {};
    int pre_state = 1, cur_state = 1, pre_action = -1, cur_action = -1;
    double x = 0, v_x = 0, theta = 0, v_theta = 0;
    auto reset = [&] {
        pre_state = cur_state = 1;
        pre_action = cur_action = -1;
        x = rand() * BETA;
        v_x = rand() * BETA;
        theta = rand() * BETA;
        v_theta = rand() * BETA;
    };
    reset();

    PlainRunResult r;
    long success = 0;
    double reinf = 0;
    while (success < 100000) {
        // get_action
        pre_state = cur_state;
        pre_action = cur_action;
        cur_state = box_of(x, v_x, theta, v_theta);
        if (pre_action != -1) {
            double predicted_value = 0;
            if (cur_state != -1) {
                const double* row = q_val[cur_state - 1];
                predicted_value = row[0] <= row[1] ? row[1] : row[0];
            }
            double& q = q_val[pre_state - 1][pre_action - 1];
            q = q + ALPHA * ((reinf + GAMMA * predicted_value) - q);
        }
        const double q2 = q_val[cur_state - 1][1];
        const double bonus = rand() * BETA;
        cur_action = q_val[cur_state - 1][0] + bonus <= q2 ? 2 : 1;

        // the cart-pole step
        const double F = cur_action == 1 ? -1 * Force : Force;
        const double s = std::sin(theta), c = std::cos(theta);
        const double a_theta = ((m * g) * s - c * (F + ((mp * length) * (v_theta * v_theta)) * s)) /
                               (((1.3333333333333333 * m) * length) - (mp * length) * (c * c));
        const double a_x = (F + (mp * length) * ((v_theta * v_theta) * s - a_theta * c)) / m;
        v_theta = v_theta + a_theta * T;
        theta = theta + v_theta * T;
        v_x = v_x + a_x * T;
        x = x + v_x * T;
        ++r.steps;

        if (box_of(x, v_x, theta, v_theta) == -1) {
            reinf = reinf_at_failure;
            if (pre_action != -1) {
                double& q = q_val[pre_state - 1][pre_action - 1];
                q = q + ALPHA * ((reinf + GAMMA * 0.0) - q);
            }
            reset();
            ++r.trials;
            if (success > r.best) r.best = success;
            success = 0;
            if (r.trials == max_trials) break;
        } else {
            ++success;
            reinf = 0;
        }
    }
    return r;
}

}  // namespace bench
