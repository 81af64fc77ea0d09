// The line added when a person closes a window during a learning run.
#include "app/window_closed_note.hpp"
#include "learning/run_observer.hpp"
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

}  // namespace
