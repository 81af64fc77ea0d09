// The system's tables started as the program starts them, and the observers
// that let a person watch a run learn.
#include "app/learned_policy.hpp"
#include "app/learning_curve.hpp"
#include "app/trials_csv.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/call/globals.hpp"
#include "runtime/main/charts.hpp"
#include "tests/app/running_program.hpp"
#include "tests/error_text.hpp"

namespace {

using sys_test::arity;
using StartedProgram = sys_test::RunningProgram;

// What a call by name with one output, or one fixed input, too many says,
// for every function with a declared count (negative: variable, never too
// many), local functions as "owner/local"; in function-table order.
struct Declared {
    std::string name;
    int line, inputs, outputs;
    bool operator==(const Declared&) const = default;
};
const std::vector<Declared> declared = {{"get_action", 1, 13, 5},
                                        {"get_box", 2, 4, 1},
                                        {"guidata", 1, 2, 1},
                                        {"guidata/getParentFigure", 99, 1, 1},
                                        {"guihandles", 1, 1, 1},
                                        {"guihandles/getParentFigure", 78, 1, 1},
                                        {"guihandles/createHandles", 86, 1, 1},
                                        {"openfig", 1, 2, 1},
                                        {"opengl", 1, 1, 1},
                                        {"reset_cart", 1, 1, 8},
                                        {"surf", 1, -1, 1},
                                        {"title", 1, -2, 1},
                                        {"isvarname", 1, 1, 1},
                                        {"movegui", 1, -1, 0},
                                        {"movegui/get_parent_fig", 166, 1, 1},
                                        {"grid", 1, 2, 0},
                                        {"iskeyword", 1, 1, 1}};

TEST_F(StartedProgram, EveryFunctionRefusesOneOutputOrInputTooManyWithItsOwnMessage) {
    const std::vector<rt::Value> many(14, rt::Value(0.0));
    std::vector<Declared> checked;
    auto check = [&](const std::string& name, rt::ByNameEntry entry, int inputs, int outputs) {
        if (inputs < 0 && outputs < 0) return;  // tavrin and its callbacks
        const auto it = std::ranges::find(declared, name, &Declared::name);
        checked.push_back({name, it == declared.end() ? 0 : it->line, inputs, outputs});
        if (it == declared.end()) return;
        std::vector<rt::Value> out(static_cast<std::size_t>(outputs) + 2);
        if (outputs >= 0) {
            EXPECT_EQ(error_of([&] { entry(outputs + 1, out.data(), 0, many.data()); }),
                      arity(name, it->line, "outputs", outputs));
        }
        if (inputs >= 0) {
            EXPECT_EQ(error_of([&] { entry(outputs, out.data(), inputs + 1, many.data()); }),
                      arity(name, it->line, "inputs", inputs));
        }
    };
    for (int i = 0; i < sys::function_count; ++i) {
        const rt::FunctionEntry& f = sys::function_table[i];
        check(f.name, f.entry, f.declared_inputs, f.declared_outputs);
        for (int j = 0; j < f.locals.count; ++j) {
            const rt::FunctionEntry& local = f.locals.entries[j];
            check(std::string(f.name) + "/" + local.name, local.entry, local.declared_inputs, local.declared_outputs);
        }
    }
    EXPECT_EQ(checked, declared);

    // Through the function table, and only there: the local names mean
    // nothing outside their module's body.
    EXPECT_EQ(error_of([&] { rt::feval("get_box", 2, std::span(many.data(), 4)); }), arity("get_box", 2, "outputs", 1));
    EXPECT_EQ(rt::resolve("getParentFigure"), nullptr);
    EXPECT_EQ(rt::resolve("get_parent_fig"), nullptr);
}

using Event = std::tuple<std::string, std::size_t, bool>;
std::vector<Event> events;
void record(const char* module, std::size_t index, bool created) { events.emplace_back(module, index, created); }

TEST(MainInformation, AStartedProgramResolvesItsNamesAndCreatesEveryConstantFirstAndReleasesItOnce) {
    events.clear();
    rt::set_constants_observer(record);
    rt::start_program(sys::main_information);
    const std::size_t created = events.size();
    EXPECT_NE(rt::resolve("get_box"), nullptr);
    EXPECT_NE(rt::resolve("strcmp"), nullptr);
    rt::global_slot("BETA") = 0.25;
    EXPECT_EQ(rt::global_value(rt::global_slot("BETA"), "BETA")[0], 0.25);
    rt::end_program(sys::main_information);
    rt::set_constants_observer(nullptr);
    EXPECT_EQ(rt::resolve("get_box"), nullptr);
    EXPECT_EQ(rt::resolve("strcmp"), nullptr);

    // Modules initialise in function-table order, each creating its
    // constants in index order.
    std::vector<std::string> module_order;
    std::map<std::string, std::size_t> count;
    for (std::size_t i = 0; i < created; ++i) {
        const auto& [module, index, is_creation] = events[i];
        ASSERT_TRUE(is_creation);
        if (module_order.empty() || module_order.back() != module) module_order.push_back(module);
        EXPECT_EQ(index, count[module]++) << module;
    }
    std::vector<std::string> table_order;
    for (int i = 0; i < sys::function_count; ++i) table_order.push_back(sys::function_table[i].name);
    EXPECT_EQ(module_order, table_order);

    // Releases: each constant once, each module from its last constant down.
    ASSERT_EQ(events.size(), 2 * created);
    std::map<std::string, std::size_t> left = count;
    for (std::size_t i = created; i < events.size(); ++i) {
        const auto& [module, index, is_creation] = events[i];
        ASSERT_FALSE(is_creation);
        ASSERT_GT(left[module], 0u) << module << " released too often";
        EXPECT_EQ(index, --left[module]) << module;
    }
}

// The observers that let a person watch a run learn, on real runs headless:
// the trials file and the learning curve must tell the same trials.

class WatchObservers : public sys_test::ControlWindowOpen {
protected:
    void TearDown() override {
        ControlWindowOpen::TearDown();
        rt::forget_charts();
    }
};

TEST_F(WatchObservers, TheCurveHoldsTheTrialsOfTheFileAndKeepsEarlierRunsLabelled) {
    const std::string folder = sys_test::make_temp_folder(), file = folder + "/trials.csv";
    sys::TrialsCsv csv;
    std::string problem;
    ASSERT_TRUE(csv.open(file, problem)) << problem;
    sys::LearningCurve curve;
    sys_test::TrialBound bound(40);
    const sys::ScopedRunObserver a(csv), b(curve), c(bound);

    choose_deterministic_run();
    ASSERT_TRUE(press_start_within());
    set_values({{"alpha_sl", 0.5}, {"reinf_sl", -0.5}});
    ASSERT_TRUE(press_start_within());

    // The rows after the header, split at commas.
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : sys_test::lines_of(file))
        rows.push_back(sys_test::split(line.substr(0, line.find('\r')), ','));
    rows.erase(rows.begin());
    ASSERT_EQ(rows.size(), 80u);
    const rt::Chart& chart = curve.chart();
    // The first run in grey under its settings, the second with its best.
    ASSERT_EQ(chart.lines.size(), 3u);
    const std::string first_run = rows.front()[0], second_run = rows.back()[0];
    EXPECT_EQ(chart.lines[0].label, "run " + first_run + ": ALPHA 0.3, BETA 0, GAMMA 0.95, reinf -1");
    // Column `c` of the 40 rows of run `run` (0 or 1).
    const auto column = [&](std::size_t run, std::size_t c) {
        std::vector<double> v;
        for (std::size_t i = 40 * run; i < 40 * run + 40; ++i) v.push_back(std::stod(rows[i][c]));
        return v;
    };
    EXPECT_EQ(std::tuple(chart.lines[0].x, chart.lines[0].y, chart.lines[1].x, chart.lines[1].y),
              std::tuple(column(0, 1), column(0, 2), column(1, 1), column(1, 2)));
    std::vector<double> best = column(1, 2);
    for (std::size_t k = 1; k < best.size(); ++k) best[k] = std::max(best[k - 1], best[k]);
    EXPECT_EQ(chart.lines[2].y, best);
    EXPECT_EQ(rows.back()[4] + " " + rows.back()[8], "0.5 -0.5");
    EXPECT_NE(first_run, second_run);
    std::filesystem::remove_all(folder);
}

TEST_F(WatchObservers, ReplayingTheLearnedPolicyChangesNeitherTableNorCountsNorTree) {
    sys::LearnedPolicy policy;
    const sys::ScopedRunObserver installed(policy);
    choose_deterministic_run();
    EXPECT_FALSE(policy.ready());
    ASSERT_TRUE(press_start_within());
    ASSERT_TRUE(policy.ready());

    const auto title = [] {
        return rt::get(rt::get(rt::gca(), rt::Value::string("Title")), rt::Value::string("String")).text();
    };
    const std::string title_before = title();
    const double objects_before = static_cast<double>(rt::findall(rt::Value(0.0)).numel());
    const sys::ReplayEnd first = policy.replay(400), second = policy.replay(400);
    // The same table gives the same course, and nothing of it stays.
    EXPECT_GT(first.steps, 0);
    EXPECT_EQ(std::tuple(first.steps, first.x, first.theta), std::tuple(second.steps, second.x, second.theta));
    EXPECT_EQ(title_before + " / " + title(), "Success at 322 trials / Success at 322 trials");
    EXPECT_EQ(static_cast<double>(rt::findall(rt::Value(0.0)).numel()), objects_before);
    // A stop asked for ends it before its first step.
    EXPECT_EQ(policy.replay(400, [] { return true; }).steps, 0);
}

// Counts are written whole: the system test reads them in a run's file.
TEST(TrialsCsvNumbers, ReadBackAsTheSameDouble) {
    for (double v : {0.1, 1.0 / 3, -1.0, 0.95, 1e-300, 5e-324, 1.7976931348623157e308, 123456.789})
        EXPECT_EQ(std::strtod(sys::csv_number(v).c_str(), nullptr), v) << sys::csv_number(v);
}

}  // namespace
