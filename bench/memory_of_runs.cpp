// Memory of long runs, and what the action-value window costs to repaint.
//
// The action-value window keeps the surfaces of a run, two per failure, up
// to the axes' cap (4000); beyond it the oldest go, so a run's memory stops
// growing however long it fails. Each scenario runs in a process
// of its own (this program again, with --scenario), so that the peak
// resident size it reports is its own:
//   deterministic   the README's check run: 322 failures, then success
//   failures N      a run that never learns (ALPHA 0, random terms off: the
//                   cart is pushed the same way every step), ended after N
//                   failures by closing the cart window, as a person might
// Each reports its peak resident size (getrusage) and the heap in use when
// the run has ended, its windows still open. The table gives the growth per
// failure from the longest runs.
//
// Then Google Benchmark times painting the action-value window through the
// renderer with 2 and with 4000 surfaces: a full paint (a fresh painter, as
// after a resize or a change of view), the same within a window's paint
// budget (one paint of several), and the repaint after a failure, which adds
// two surfaces over the painter's remembered picture; and the cart window's
// paint at every step.

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_information.hpp"
#include "gui/tavrin.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/program.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/main/startup_actions.hpp"
#include "runtime/render/figure_painter.hpp"

namespace {

// The program started as rt::run_main starts it headless, its control
// window open, console output thrown away.
class Program {
public:
    Program() {
        previous_ = rt::set_console(&discard_);
        rt::start_program(sys::main_information);
        rt::set_resource_folders({TAVRIN_RESOURCE_DIR});
        rt::feval_entry(sys::entry_tavrin, 0, {});
    }
    ~Program() {
        rt::end_program(sys::main_information);
        rt::set_console(previous_);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    void set(const char* tag, double value) { act(rt::StartupAction::Kind::Set, tag, value); }
    void press_start() { act(rt::StartupAction::Kind::Click, "pushbutton1", 0); }

private:
    void act(rt::StartupAction::Kind kind, const char* tag, double value) {
        rt::StartupAction a;
        a.kind = kind;
        a.tag = tag;
        a.value = value;
        rt::EvalContext variables;
        rt::run_startup_action(a, variables);
        discard_.str({});
    }
    std::ostringstream discard_;
    std::ostream* previous_ = nullptr;
};

// Ends a run after `failures` failures: once the action-value window holds
// two surfaces per failure, the cart window is asked to close, so the run
// stops at its next step and the action-value window stays.
class FailureBudget final : public rt::WindowBackend {
public:
    explicit FailureBudget(long failures) : failures_(failures) {}
    void object_created(const rt::GraphicsObject& obj) override {
        if (obj.type() == rt::ObjectType::Figure) (cart_ == 0 ? cart_ : mesh_) = obj.handle();
        if (obj.type() == rt::ObjectType::Surface) ++surfaces_;
    }
    void pause(double) override {
        if (!asked_ && cart_ != 0 && surfaces_ >= 2 * failures_) {
            rt::request_close(cart_);
            asked_ = true;
        }
    }
    double mesh() const noexcept { return mesh_; }
    long surfaces() const noexcept { return surfaces_; }

private:
    long failures_;
    double cart_ = 0, mesh_ = 0;
    long surfaces_ = 0;
    bool asked_ = false;
};

// A run that never learns, ended after `failures` failures; gives the
// action-value window.
double run_failures(Program& program, long failures) {
    program.set("radiobutton1", 0);
    program.set("alpha_sl", 0);
    FailureBudget budget(failures);
    rt::set_window_backend(&budget);
    program.press_start();
    rt::set_window_backend(nullptr);
    return budget.mesh();
}

// The plotted objects of the action-value window: its surfaces.
long surfaces_in(double mesh) {
    return static_cast<long>(rt::get(rt::get(mesh, "CurrentAxes").scalar(), "Children").numel());
}

double peak_resident_kb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss);
}

// In the child: runs one scenario and prints "heap_kb peak_kb surfaces".
int run_scenario(const std::string& name, long failures) {
    Program program;
    long surfaces = 0;
    if (name == "deterministic") {
        program.set("radiobutton1", 0);
        program.set("alpha_sl", 0.3);
        program.set("gamma_sl", 0.95);
        program.set("reinf_sl", -1);
        FailureBudget count(1L << 40);
        rt::set_window_backend(&count);
        program.press_start();
        rt::set_window_backend(nullptr);
        surfaces = count.surfaces();
    } else {
        surfaces = surfaces_in(run_failures(program, failures));
    }
    const double heap_kb = static_cast<double>(mallinfo2().uordblks) / 1024;
    // Then closing every window, the action-value window with all its
    // surfaces among them.
    const auto start = std::chrono::steady_clock::now();
    const rt::Value all[] = {rt::Value::string("all")};
    rt::close(all);
    const double close_ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.0f %.0f %ld %.2f\n", heap_kb, peak_resident_kb(), surfaces, close_ms);
    return 0;
}

struct ScenarioResult {
    double heap_kb = 0, peak_kb = 0;
    long surfaces = 0;
    double close_ms = 0;
};

ScenarioResult spawn_scenario(const std::string& self, const std::string& args) {
    ScenarioResult r;
    const std::string command = "'" + self + "' --scenario " + args;
    FILE* child = popen(command.c_str(), "r");
    if (!child) return r;
    if (std::fscanf(child, "%lf %lf %ld %lf", &r.heap_kb, &r.peak_kb, &r.surfaces, &r.close_ms) != 4) r = {};
    pclose(child);
    return r;
}

void print_row(const char* name, const ScenarioResult& r) {
    std::printf("%-22s %10ld %11.1f MB %13.1f MB %11.1f ms\n", name, r.surfaces, r.heap_kb / 1024, r.peak_kb / 1024,
                r.close_ms);
}

void print_memory_table(const std::string& self) {
    std::printf("%-22s %10s %14s %16s %14s\n", "run", "surfaces", "heap in use", "peak resident", "closing all");
    print_row("deterministic (322)", spawn_scenario(self, "deterministic"));
    std::vector<std::pair<long, ScenarioResult>> runs;
    for (long failures : {0L, 500L, 1000L, 2000L, 20000L, 200000L, 1000000L}) {
        const ScenarioResult r = spawn_scenario(self, "failures " + std::to_string(failures));
        runs.emplace_back(failures, r);
        print_row(("failures " + std::to_string(failures)).c_str(), r);
    }
    const auto& [f1, r1] = runs[4];
    const auto& [f2, r2] = runs[6];
    std::printf("growth per failure (from %ld to %ld failures): heap %.1f KB, peak resident %.1f KB\n\n", f1, f2,
                (r2.heap_kb - r1.heap_kb) / static_cast<double>(f2 - f1),
                (r2.peak_kb - r1.peak_kb) / static_cast<double>(f2 - f1));
    std::fflush(stdout);
}

// ---- repainting the action-value window ----

QSize window_size(double figure) {
    const rt::Value place = rt::get(figure, "Position");
    return QSize(static_cast<int>(place[2]), static_cast<int>(place[3]));
}

// Two more surfaces, as the run draws them after a failure.
void add_failure(double mesh) {
    static const rt::Value grids = [] {
        const rt::Value in[] = {rt::Value::row({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}),
                                rt::Value::row({1, 2, 3, 4, 5, 6, 7, 8, 9})};
        std::vector<rt::Value> out = rt::feval("meshgrid", 2, in);
        return rt::Value::cell_row({out[0], out[1]});
    }();
    const rt::Value window[] = {rt::Value(mesh)};
    rt::figure(window);
    for (double level = 1; level <= 2; ++level) {
        const rt::Value in[] = {grids.cell_at(0), grids.cell_at(1), rt::Value::zeros(9, 18)};
        rt::Value z = in[2];
        double* d = z.mutable_data();
        for (std::size_t k = 0; k < z.numel(); ++k) d[k] = level + 0.001 * static_cast<double>(k);
        const rt::Value surf_in[] = {in[0], in[1], z};
        rt::feval("surf", 0, surf_in);
        rt::view(30, -15);
        rt::hold(rt::Value::string("on"));
    }
}

// The paint alone is timed, in CPU time of this thread: what surrounds it
// (a failure's surfaces, a step's objects) is no part of it.
double thread_cpu_seconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

void BM_PaintActionValueWindow(benchmark::State& state, double mesh) {
    const rt::GraphicsObject* figure = rt::find_object(mesh);
    const QSize size = window_size(mesh);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const double start = thread_cpu_seconds();
        {
            rt::FigurePainter painter;
            QPainter p(&image);
            painter.paint(*figure, p, size, rt::PaintControls::Skip);
        }
        state.SetIterationTime(thread_cpu_seconds() - start);
    }
    state.counters["surfaces"] = static_cast<double>(surfaces_in(mesh));
}

// One paint of a window, which stops after the window's budget.
void BM_PaintWithinBudget(benchmark::State& state, double mesh) {
    const rt::GraphicsObject* figure = rt::find_object(mesh);
    const QSize size = window_size(mesh);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    std::size_t paints = 0;
    for (auto _ : state) {
        rt::FigurePainter painter;
        QPainter p(&image);
        const double start = thread_cpu_seconds();
        painter.paint(*figure, p, size, rt::PaintControls::Skip, std::chrono::milliseconds(40));
        state.SetIterationTime(thread_cpu_seconds() - start);
        paints = 1;
        while (!painter.complete()) {  // the paints that finish the picture
            painter.paint(*figure, p, size, rt::PaintControls::Skip, std::chrono::milliseconds(40));
            ++paints;
        }
    }
    state.counters["paints_to_finish"] = static_cast<double>(paints);
}

// The cart window as the run paints it at every step: the cart, the pole and
// the push marker, new each time, over the remembered axes.
void BM_PaintCartWindow(benchmark::State& state) {
    const rt::Value window = rt::figure();
    rt::axis(rt::Value::row({-3, 3, 0, 1.5}));
    const rt::Value ax = rt::gca();
    rt::set(ax.scalar(), "DataAspectRatio", rt::Value::row({1, 1, 1}));
    rt::set(window.scalar(), "Position", rt::Value::row({10, 100, 500, 200}));
    const rt::GraphicsObject* figure = rt::find_object(window.scalar());
    const QSize size = window_size(window.scalar());
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    rt::FigurePainter painter;
    double x = 0;
    for (auto _ : state) {
        x = x > 2 ? -2 : x + 0.01;
        const rt::Value rect_in[] = {rt::Value::string("Position"), rt::Value::row({x - 0.4, 0.1, 0.8, 0.1}),
                                     rt::Value::string("facecolor"), rt::Value::string("b")};
        const rt::Value cart = rt::rectangle(rect_in);
        const rt::Value pole = rt::line(rt::Value::row({x, x + 0.1}), rt::Value::row({0.2, 1.2}));
        rt::hold(rt::Value::string("on"));
        const rt::Value marker = rt::plot(rt::Value(x - 0.4), rt::Value(0.11), rt::Value::string("r>"));
        const double start = thread_cpu_seconds();
        {
            QPainter p(&image);
            painter.paint(*figure, p, size, rt::PaintControls::Skip, std::chrono::milliseconds(40));
        }
        state.SetIterationTime(thread_cpu_seconds() - start);
        for (const rt::Value& h : {cart, pole, marker}) rt::delete_(h);
    }
    rt::delete_(window);
}

void BM_RepaintAfterAFailure(benchmark::State& state, double mesh) {
    const QSize size = window_size(mesh);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    rt::FigurePainter painter;
    // The surfaces added below reach higher than a run's that never learns:
    // one of them first, so that the limits the repaints see stay put. Then
    // two paints, as a window makes: objects go into the remembered picture
    // at the first paint that finds them unchanged.
    add_failure(mesh);
    for (int i = 0; i < 2; ++i) {
        QPainter p(&image);
        painter.paint(*rt::find_object(mesh), p, size, rt::PaintControls::Skip);
    }
    std::vector<double> times;
    for (auto _ : state) {
        add_failure(mesh);
        const double start = thread_cpu_seconds();
        {
            QPainter p(&image);
            painter.paint(*rt::find_object(mesh), p, size, rt::PaintControls::Skip);
        }
        times.push_back(thread_cpu_seconds() - start);
        state.SetIterationTime(times.back());
    }
    // On a shared machine a few paints take many times as long as the rest;
    // the median says what a repaint costs.
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times.empty() ? 0 : 1e3 * times[times.size() / 2];
    state.counters["painted"] = static_cast<double>(painter.objects_painted());
    state.counters["surfaces"] = static_cast<double>(surfaces_in(mesh));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--scenario")
        return run_scenario(argv[2], argc >= 4 ? std::atol(argv[3]) : 0);

    // --paint-only: the painting benchmarks alone, without the runs' table.
    const bool table = !(argc >= 2 && std::string(argv[1]) == "--paint-only");
    if (!table) {
        --argc;
        ++argv;
    }
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    if (table) print_memory_table(self);

    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    Program program;
    const double small = run_failures(program, 1);
    // 3900 surfaces, and 4000 after the repaints' 50 failures: at the cap,
    // where no batch of old surfaces goes yet.
    const double large = run_failures(program, 1949);
    for (const auto& [name, mesh] : {std::pair{"2", small}, std::pair{"4000", large}}) {
        benchmark::RegisterBenchmark((std::string("BM_PaintActionValueWindow/surfaces:") + name).c_str(),
                                     BM_PaintActionValueWindow, mesh)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("BM_PaintWithinBudget/surfaces:") + name).c_str(),
                                     BM_PaintWithinBudget, mesh)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("BM_RepaintAfterAFailure/surfaces:") + name).c_str(),
                                     BM_RepaintAfterAFailure, mesh)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(50);
    }
    benchmark::RegisterBenchmark("BM_PaintCartWindow", BM_PaintCartWindow)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
