// A press of Start while its run is going: the press is still dropped, and
// the console now says so; other controls' dropped deliveries stay silent.
#include <gtest/gtest.h>

#include "app/start_press_notice.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/graphics/callbacks.hpp"
#include "runtime/main/command_line.hpp"
#include "tests/runtime/graphics/graphics_fixture.hpp"

using rt::Value;

namespace {

int presses = 0;
bool second_press_ran = true;

// The work of a press, during which the same control is pressed again.
void press_again(int, Value*, int, const Value*) {
    ++presses;
    second_press_ran = rt::deliver_callback(rt::gcbo().scalar(), "Callback");
}

class StartPressNoticeTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        presses = 0;
        second_press_ran = true;
        rt::register_builtin("press_again", press_again);
        notice_.started(rt::ProgramOptions{});
    }
    void TearDown() override {
        notice_.ending();
        rt::unregister_builtin("press_again");
        GraphicsTest::TearDown();
    }
    static Value button(const char* tag) {
        return rt::uicontrol(V({S("Style"), S("pushbutton"), S("Tag"), S(tag), S("String"), S("Start"),
                                S("Callback"), S("press_again")}));
    }

    sys::StartPressNotice notice_;
};

TEST_F(StartPressNoticeTest, ASecondPressOfStartIsDroppedWithOneConsoleLine) {
    rt::figure();
    const Value start = button("pushbutton1");
    EXPECT_TRUE(rt::deliver_callback(start.scalar(), "Callback"));
    EXPECT_EQ(presses, 1);
    EXPECT_FALSE(second_press_ran);
    EXPECT_EQ(console_.str(),
              "A learning run is already going: this press of 'Start' is ignored; the run goes on until it ends or "
              "its window is closed.\n");

    // Another control's dropped delivery, and any after the program's end, say nothing.
    console_.str("");
    const Value other = button("pushbutton2");
    rt::deliver_callback(other.scalar(), "Callback");
    notice_.ending();
    rt::deliver_callback(start.scalar(), "Callback");
    EXPECT_EQ(presses, 3);
    EXPECT_EQ(console_.str(), "");
}

}  // namespace
