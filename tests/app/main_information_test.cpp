#include "app/main_information.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/call/globals.hpp"
#include "runtime/call/program.hpp"
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
    const std::map<std::string, std::size_t> some = {
        {"get_box", 27}, {"get_action", 6}, {"reset_cart", 4}, {"isvarname", 6}, {"iskeyword", 3}};
    for (const auto& [module, n] : some) EXPECT_EQ(count[module], n) << module;

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

}  // namespace
