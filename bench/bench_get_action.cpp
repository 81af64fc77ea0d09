// Cost of one learning step's decision (get_action with its get_box, through
// the direct call forms) and of the scalar arithmetic the step is made of,
// with the heap allocations each makes. Goal: no allocation in scalar
// arithmetic, and get_action with its get_box under 60 ns.

#include <benchmark/benchmark.h>

#include <vector>

#include "app/main_information.hpp"
#include "bench/heap_count.hpp"
#include "learning/get_action.hpp"
#include "learning/get_box.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/call/program.hpp"
#include "runtime/call/random.hpp"

namespace {

struct RunningSystem {
    RunningSystem() { rt::start_program(sys::main_information); }
    ~RunningSystem() { rt::end_program(sys::main_information); }
};

void report_allocations(benchmark::State& state, std::size_t before) {
    state.counters["allocs_per_iter"] =
        benchmark::Counter(static_cast<double>(heap_allocations() - before) / static_cast<double>(state.iterations()));
}

// The cart-pole step's arithmetic, one line of the equations after another.
void BM_ScalarArithmetic(benchmark::State& state) {
    rt::Value x = 0.01, v_x = 0.02, theta = 0.03, v_theta = 0.04;
    const rt::Value g = 9.8, m = 1.1, mp = 0.1, length = 0.5, T = 0.02, F = 10.0, two = 2.0;
    const std::size_t before = heap_allocations();
    for (auto _ : state) {
        const rt::Value s = rt::sin(theta), c = rt::cos(theta);
        const rt::Value t = rt::mrdivide(rt::plus(F, rt::mtimes(rt::mtimes(mp, length), rt::mpower(v_theta, two))), m);
        const rt::Value a_theta = rt::mrdivide(rt::minus(rt::mtimes(g, s), rt::mtimes(c, t)), length);
        const rt::Value a_x = rt::minus(t, rt::mrdivide(rt::mtimes(rt::mtimes(mp, length), rt::mtimes(a_theta, c)), m));
        x = rt::plus(x, rt::mtimes(T, v_x));
        v_x = rt::plus(v_x, rt::mtimes(T, a_x));
        theta = rt::plus(theta, rt::mtimes(T, v_theta));
        v_theta = rt::plus(v_theta, rt::mtimes(T, a_theta));
        if (rt::gt_bool(rt::abs(theta), 1.0)) theta = 0.0;
        if (rt::gt_bool(rt::abs(x), 1.0)) x = 0.0;
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(v_theta);
    }
    report_allocations(state, before);
}
BENCHMARK(BM_ScalarArithmetic);

// States inside the grid, so every call updates one entry and chooses.
std::vector<rt::Value> grid_states() {
    rt::seed_rand(1);
    std::vector<rt::Value> out;
    for (int i = 0; i < 256; ++i) {
        out.push_back((rt::rand() - 0.5) * 4.0);
        out.push_back((rt::rand() - 0.5) * 2.0);
        out.push_back((rt::rand() - 0.5) * 0.4);
        out.push_back((rt::rand() - 0.5) * 2.0);
    }
    return out;
}

void BM_GetAction(benchmark::State& state) {
    RunningSystem system;
    const std::vector<rt::Value> states = grid_states();
    sys::Decision d{rt::zeros(162, 2), 1.0, -1.0, 1.0, -1.0};
    const rt::Value reinf = 0.0, ALPHA = 0.5, BETA = 0.1, GAMMA = 0.9;
    std::size_t k = 0;
    const std::size_t before = heap_allocations();
    for (auto _ : state) {
        const rt::Value* s = &states[k];
        k = (k + 4) % states.size();
        // The parameters read afresh each step, as the learning run reads them.
        d = sys::get_action(std::move(d), s[0], s[1], s[2], s[3], reinf, {ALPHA, BETA, GAMMA});
    }
    report_allocations(state, before);
    benchmark::DoNotOptimize(d.q_val);
}
BENCHMARK(BM_GetAction);

void BM_GetBox(benchmark::State& state) {
    RunningSystem system;
    const std::vector<rt::Value> states = grid_states();
    std::size_t k = 0;
    const std::size_t before = heap_allocations();
    for (auto _ : state) {
        const rt::Value* s = &states[k];
        k = (k + 4) % states.size();
        benchmark::DoNotOptimize(sys::get_box(s[0], s[1], s[2], s[3]));
    }
    report_allocations(state, before);
}
BENCHMARK(BM_GetBox);

}  // namespace

BENCHMARK_MAIN();
