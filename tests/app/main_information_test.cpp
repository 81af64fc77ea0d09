#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "app/main_information.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/call/library.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/call/globals.hpp"
#include "runtime/call/program.hpp"

namespace {

TEST(MainInformation, RecordFieldsAndTablesInTheirOrder) {
    const rt::MainInformation& info = sys::main_information;
    EXPECT_EQ(info.format, 1);
    EXPECT_EQ(info.function_count, sys::function_count);
    EXPECT_EQ(info.further_count, 0);
    EXPECT_EQ(info.further, nullptr);
    ASSERT_EQ(info.global_count, 3);
    EXPECT_STREQ(info.globals[0].name, "ALPHA");
    EXPECT_STREQ(info.globals[1].name, "BETA");
    EXPECT_STREQ(info.globals[2].name, "GAMMA");

    // Declared counts of every function present, and the order of the table.
    const std::vector<std::tuple<std::string, int, int>> declared = {
        {"tavrin", -1, -1},  {"get_action", 13, 5}, {"get_box", 4, 1},  {"guidata", 2, 1},
        {"guihandles", 1, 1}, {"openfig", 2, 1},    {"opengl", 1, 1},   {"reset_cart", 1, 8},
        {"surf", -1, 1},      {"title", -2, 1},     {"isvarname", 1, 1}, {"movegui", -1, 0},
        {"grid", 2, 0},       {"iskeyword", 1, 1}};
    std::size_t next = 0;
    for (int i = 0; i < info.function_count; ++i) {
        const rt::FunctionEntry& e = info.functions[i];
        while (next < declared.size() && std::get<0>(declared[next]) != e.name) ++next;
        ASSERT_LT(next, declared.size()) << e.name << " is missing or out of order";
        EXPECT_EQ(e.declared_inputs, std::get<1>(declared[next])) << e.name;
        EXPECT_EQ(e.declared_outputs, std::get<2>(declared[next])) << e.name;
        EXPECT_NE(e.entry, nullptr);
    }
    // The two runtime libraries and one pair per module.
    ASSERT_EQ(info.init_term_count, info.function_count + 2);
    EXPECT_EQ(info.init_term[0].initialize, &rt::array_library_initialize);
    EXPECT_EQ(info.init_term[1].initialize, &rt::graphics_library_initialize);
}

using Event = std::tuple<std::string, std::size_t, bool>;
std::vector<Event> events;
void record(const char* module, std::size_t index, bool created) { events.emplace_back(module, index, created); }

TEST(MainInformation, EveryConstantCreatedFirstAndReleasedOnceLastCreatedFirst) {
    events.clear();
    rt::set_constants_observer(record);
    rt::start_program(sys::main_information);
    const std::size_t created = events.size();
    rt::end_program(sys::main_information);
    rt::set_constants_observer(nullptr);

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
    EXPECT_EQ(count["get_box"], 27u);
    EXPECT_EQ(count["get_action"], 6u);
    EXPECT_EQ(count["reset_cart"], 4u);
    EXPECT_EQ(count["isvarname"], 6u);
    EXPECT_EQ(count["iskeyword"], 3u);

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

TEST(MainInformation, StartedProgramResolvesItsFunctionsAndGlobals) {
    rt::start_program(sys::main_information);
    EXPECT_NE(rt::resolve("get_box"), nullptr);
    EXPECT_NE(rt::resolve("iskeyword"), nullptr);
    EXPECT_NE(rt::resolve("strcmp"), nullptr);
    rt::Value& beta = rt::global_slot("BETA");
    beta = 0.25;
    EXPECT_EQ(rt::global_value(rt::global_slot("BETA"), "BETA")[0], 0.25);
    rt::end_program(sys::main_information);
    EXPECT_EQ(rt::resolve("get_box"), nullptr);
    EXPECT_EQ(rt::resolve("strcmp"), nullptr);
}

}  // namespace
