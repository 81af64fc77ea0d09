// The run controls on a run's cart window, driven while a learning run goes:
// holding, speed presets and the status line.
#include <QAction>
#include <QLabel>
#include <QSlider>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <functional>

#include "app/policy_map.hpp"
#include "app/run_status_line.hpp"
#include "learning/get_box.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/main/charts.hpp"
#include "runtime/main/time_limit.hpp"
#include "runtime/render/chart_painter.hpp"
#include "learning/run_observer.hpp"
#include "tests/runtime/render/render_fixture.hpp"
#include "tests/runtime/window/window_fixture.hpp"

namespace {

using namespace window_test;
using Clock = std::chrono::steady_clock;

// Counts a run's steps, calls `at_step` after each, and ends the run after
// `trials` failures so no fault can make a test run long.
class StepWatch final : public sys::RunObserver {
public:
    explicit StepWatch(double trials) : trials_(trials) {}
    void step(const sys::StepReport&) override {
        ++steps;
        if (at_step) at_step(steps);
    }
    sys::RunCourse trial_ended(const sys::TrialReport& r) override {
        last = r;
        return r.trial >= trials_ || stop_soon ? sys::RunCourse::stop : sys::RunCourse::go_on;
    }
    long steps = 0;
    bool stop_soon = false;  // end the run at the next failure
    sys::TrialReport last{};
    std::function<void(long)> at_step;

private:
    double trials_;
};

class RunControls : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        launch_plain(0.3);  // the same run every time
    }
    QAction* action(rt::Speed s) { return backend_->run_controls()->speed_action(s); }

    sys::RunStatusLine status_;
    sys::ScopedRunObserver status_installed_{status_};
};

TEST_F(RunControls, SpeedPresetsChangeThePaceMidRun) {
    StepWatch watch(200);
    sys::ScopedRunObserver installed(watch);
    Clock::time_point slow_from{}, slow_to{}, fast_from{}, fast_to{};
    watch.at_step = [&](long n) {
        if (n == 20) {
            action(rt::Speed::realtime)->trigger();
            slow_from = Clock::now();
        } else if (n == 45) {
            slow_to = Clock::now();
            action(rt::Speed::fast)->trigger();
            fast_from = Clock::now();
        } else if (n == 1045) {
            fast_to = Clock::now();
            watch.stop_soon = true;
        }
    };
    start_run();

    ASSERT_GE(watch.steps, 1045);
    // 25 steps at 0.02 s, and a thousand unpaced ones in well under what
    // real time would take (20 s).
    EXPECT_GE(std::chrono::duration<double>(slow_to - slow_from).count(), 0.45);
    EXPECT_LT(std::chrono::duration<double>(fast_to - fast_from).count(), 5.0);
    EXPECT_TRUE(action(rt::Speed::fast)->isChecked() && !action(rt::Speed::realtime)->isChecked());
}

// A time limit stands in front of the windows' backend, as --max-seconds
// puts it; the run controls must still find their windows.
TEST_F(RunControls, PauseHoldsTheStepsWhileCallbacksAreStillDeliveredAndTheStatusLineCounts) {
    rt::TimeLimit limit(600);
    limit.watch_pauses();
    StepWatch watch(5);
    sys::ScopedRunObserver installed(watch);
    long steps_early = -1, steps_late = -1;
    std::string beta_text;
    QTimer safety;  // a hold that never ends fails the test instead of hanging it
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [&] { backend_->run_pace().set_held(false); });
    watch.at_step = [&](long n) {
        if (n != 50) return;
        ASSERT_NE(backend_->run_controls(), nullptr);
        backend_->run_controls()->pause_action()->trigger();
        safety.start(10000);
        QTimer::singleShot(200, [&] {
            steps_early = watch.steps;
            widget<QSlider>("beta_sl")->triggerAction(QAbstractSlider::SliderToMaximum);
        });
        QTimer::singleShot(500, [&] {
            steps_late = watch.steps;
            beta_text = text_of(tagged("beta"), "String");
            backend_->run_controls()->pause_action()->trigger();  // Resume
        });
    };
    start_run();
    safety.stop();

    EXPECT_EQ(std::pair(steps_early, steps_late), std::pair(50L, 50L));
    EXPECT_EQ(beta_text, "0.1");  // the slider's callback ran during the hold
    EXPECT_EQ(watch.last.trial, 5);  // and the run went on after it
    EXPECT_FALSE(backend_->run_pace().held());
    EXPECT_EQ(backend_->run_controls()->pause_action()->text(), "Pause");

    // The toolbar and status line are chrome of the cart window: the figure
    // keeps its size, the window grows around it.
    rt::FigureWindow* cart = backend_->window_of(2);
    ASSERT_NE(cart, nullptr);
    EXPECT_EQ(backend_->run_controls()->toolbar()->parentWidget(), cart);
    EXPECT_EQ(cart->figure_area().size(), QSize(500, 200));
    EXPECT_EQ(rt::get(2.0, "Position")[3], 200);
    // The title bars say what the windows show; the figures' names stay.
    EXPECT_EQ(cart->windowTitle(), "Figure 2: cart");
    EXPECT_EQ(backend_->window_of(3)->windowTitle(), "Figure 3: action values");
    EXPECT_EQ(text_of(2, "Name") + text_of(3, "Name"), "");
    // The last trial's numbers, as the run's own title counts them.
    const std::string text = backend_->run_controls()->status()->text().toStdString();
    EXPECT_EQ(text, status_.text());
    const std::string best = std::to_string(static_cast<long>(watch.last.best));
    EXPECT_EQ(text.rfind("Run " + std::to_string(watch.last.run) + "   Trial 6   Steps 0 / 100000   Best " + best + "   ", 0),
              0u)
        << text;
    EXPECT_NE(title_of(2).find("Trials  5, Best success : " + best), std::string::npos) << title_of(2);
}

TEST_F(RunControls, PolicyMapCellsFollowTheBoxesAndColourTheTablesSign) {
    // Every box has a cell of its own, where its bins say.
    std::vector<int> seen(162, 0);
    for (int box = 1; box <= 162; ++box) ++seen.at(static_cast<std::size_t>(sys::policy_map_cell(box)));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), 162);
    const double degree = 3.141592653589793 / 180;
    const double box = sys::get_box(rt::Value(-1.0), rt::Value(1.0), rt::Value(0.5 * degree), rt::Value(0.0)).scalar();
    // Left block of positions (column block 0), pole angle 0 to 1 degree
    // (cell 3), fastest cart (row block 0), middle angular velocity (row 1).
    EXPECT_EQ(sys::policy_map_cell(static_cast<int>(box)), 1 * 18 + 3);

    // Push right better in the left third of positions, push left elsewhere.
    rt::Value q = rt::zeros(162, 2);
    for (int b = 1; b <= 162; ++b) rt::array_assign2(q, b, 2.0, (b - 1) % 3 == 0 ? 1.0 : -1.0);
    sys::PolicyMap map;
    map.trial_ended(sys::TrialReport{1, 1, 10, 10, false, -1, &q});
    for (int b = 1; b <= 162; ++b) {
        EXPECT_EQ(map.chart().grid.values[static_cast<std::size_t>(sys::policy_map_cell(b))],
                  (b - 1) % 3 == 0 ? 1.0 : -1.0);
    }
    const QImage picture = rt::render_chart(map.chart(), QSize(390, 400)).copy(0, 0, 390 - 80, 400);  // no colour bar
    const int red = render_test::pixels_where(picture, [](QColor c) { return c.red() > 150 && c.blue() < 80; }).count;
    const int blue = render_test::pixels_where(picture, [](QColor c) { return c.blue() > 150 && c.red() < 80; }).count;
    ASSERT_GT(red, 1000);
    EXPECT_NEAR(static_cast<double>(blue) / static_cast<double>(red), 2.0, 0.3);
    rt::forget_charts();
}

}  // namespace
