// A press of Start while its run is going is still dropped, and the console
// now says so; other controls' dropped presses stay silent.
#include "app/start_press_notice.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/graphics/callbacks.hpp"
#include "runtime/main/command_line.hpp"
#include "tests/runtime/graphics/graphics_fixture.hpp"

namespace {

std::vector<bool> second_press_ran;

// The work of a press, during which the same control is pressed again.
void press_again(int, rt::Value*, int, const rt::Value*) {
    second_press_ran.push_back(rt::deliver_callback(rt::gcbo().scalar(), "Callback"));
}

TEST_F(GraphicsTest, ASecondPressOfStartIsDroppedWithOneConsoleLine) {
    rt::register_builtin("press_again", press_again);
    sys::StartPressNotice notice;
    notice.started(rt::ProgramOptions{});
    rt::figure();
    auto button = [](const char* tag) {
        return rt::uicontrol(V({S("Tag"), S(tag), S("String"), S("Start"), S("Callback"), S("press_again")}))[0];
    };
    const double start = button("pushbutton1"), other = button("pushbutton2");
    rt::deliver_callback(start, "Callback");
    rt::deliver_callback(other, "Callback");
    notice.ending();
    rt::deliver_callback(start, "Callback");
    EXPECT_EQ(second_press_ran, std::vector<bool>(3, false));
    EXPECT_EQ(console_.str(), "A learning run is already going: this press of 'Start' is ignored; the run goes on "
                              "until it ends or its window is closed.\n");
    rt::unregister_builtin("press_again");
}

}  // namespace
