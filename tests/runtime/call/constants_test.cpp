#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "runtime/array/error.hpp"
#include "runtime/call/frame.hpp"

namespace {

using Event = std::tuple<std::string, std::size_t, bool>;
std::vector<Event> events;

void record(const char* module, std::size_t index, bool created) { events.emplace_back(module, index, created); }

class ConstantsTest : public ::testing::Test {
protected:
    void SetUp() override {
        events.clear();
        rt::set_constants_observer(record);
    }
    void TearDown() override { rt::set_constants_observer(nullptr); }
};

TEST_F(ConstantsTest, ReleasedOnceEachInReverseOfCreation) {
    rt::ModuleConstants c("m");
    EXPECT_EQ(c.add(rt::Value::string("message")), 0u);
    EXPECT_EQ(c.add(rt::Value(0.5)), 1u);
    EXPECT_EQ(c.add(rt::Value(2.0)), 2u);
    EXPECT_EQ(c[1][0], 0.5);
    c.release();
    c.release();  // a second release finds nothing left
    const std::vector<Event> expected = {{"m", 0, true},  {"m", 1, true},  {"m", 2, true},
                                         {"m", 2, false}, {"m", 1, false}, {"m", 0, false}};
    EXPECT_EQ(events, expected);
}

TEST_F(ConstantsTest, ReadingBeforeInitialisingRaisesNamingTheModule) {
    rt::ModuleConstants c("get_box");
    try {
        (void)c[3];
        FAIL() << "no error";
    } catch (const rt::Error& e) {
        EXPECT_NE(e.message().find("get_box"), std::string::npos);
    }
}

}  // namespace
