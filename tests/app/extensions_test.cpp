// What the program's extensions tell a person: the line added when a window
// is closed during a learning run, and the notice of a dropped press of Start.
#include "app/start_press_notice.hpp"
#include "app/window_closed_note.hpp"
#include "learning/run_observer.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/graphics/callbacks.hpp"
#include "runtime/main/command_line.hpp"
#include "tests/runtime/graphics/graphics_fixture.hpp"

namespace {

// A run under way after `failures` failures.
void run_under_way(sys::RunObserver& o, double failures) {
    o.run_started(sys::RunSettings{});
    if (failures == 0) return;
    sys::TrialReport failure{};
    failure.trial = failures;
    o.trial_ended(failure);
}

TEST_F(GraphicsTest, WindowClosedNoteNamesTheClosedWindowsAndTheTrialOnlyWhenARunStoppedThatWay) {
    std::ostringstream out;
    sys::WindowClosedNote note(out);
    note.started(rt::ProgramOptions{});
    ASSERT_EQ(sys::run_observers().size(), 1u);
    sys::RunObserver& o = *sys::run_observers()[0];
    const rt::Value named[] = {rt::Value::string("Name"), rt::Value::string("controls")};
    const rt::Value control = rt::figure(named), cart = rt::figure(), mesh = rt::figure();

    run_under_way(o, 16);
    rt::delete_(cart);
    note.error_reported();
    EXPECT_EQ(out.str(), "tavrin: window 2 was closed during the learning run, which stopped at trial 17.\n");

    // An error of another cause, and an error once the run has ended: no line.
    out.str("");
    const rt::Value cart_again = rt::figure();
    run_under_way(o, 3);
    note.error_reported();
    run_under_way(o, 3);
    o.run_ended(sys::TrialReport{}, true);
    rt::delete_(cart_again);
    note.error_reported();
    EXPECT_EQ(out.str(), "");

    run_under_way(o, 0);
    rt::delete_(control);
    rt::delete_(mesh);
    note.error_reported();
    EXPECT_EQ(out.str(),
              "tavrin: window 1 (controls) and window 3 were closed during the learning run, which stopped at "
              "trial 1.\n");

    note.ending();
    EXPECT_TRUE(sys::run_observers().empty());
}

// A press of Start while its run is going is still dropped, and the console
// now says so; other controls' dropped presses stay silent.
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
    EXPECT_EQ(console_.str(),
              "A learning run is already going: this press of 'Start' is ignored; the run goes on "
              "until it ends or its window is closed.\n");
    rt::unregister_builtin("press_again");
}

}  // namespace
