#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "runtime/call/frame.hpp"
#include "tests/error_text.hpp"

namespace {

using Event = std::tuple<std::string, std::size_t, bool>;
std::vector<Event> events;

void record(const char* module, std::size_t index, bool created) { events.emplace_back(module, index, created); }

TEST(ModuleConstants, ReleasedOnceEachInReverseOfCreationAndReadEarlyNamesTheModule) {
    events.clear();
    rt::set_constants_observer(record);
    rt::ModuleConstants c("m");
    EXPECT_EQ(c.add(rt::Value::string("message")), 0u);
    EXPECT_EQ(c.add(rt::Value(0.5)), 1u);
    EXPECT_EQ(c.add(rt::Value(2.0)), 2u);
    EXPECT_EQ(c[1][0], 0.5);
    c.release();
    c.release();  // a second release finds nothing left
    rt::set_constants_observer(nullptr);
    const std::vector<Event> expected = {{"m", 0, true},  {"m", 1, true},  {"m", 2, true},
                                         {"m", 2, false}, {"m", 1, false}, {"m", 0, false}};
    EXPECT_EQ(events, expected);

    rt::ModuleConstants early("get_box");
    EXPECT_NE(sys_test::error_of([&] { (void)early[3]; }).find("get_box"), std::string::npos);
}

}  // namespace
