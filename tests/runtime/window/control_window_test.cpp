// The control window driven through its widgets, as a person would, and the
// run controls on a run's cart window, driven while a learning run goes:
// holding and the status line.
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QLabel>
#include <QSlider>
#include <QTimer>

#include "app/policy_map.hpp"
#include "app/run_status_line.hpp"
#include "learning/get_box.hpp"
#include "learning/run_observer.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/main/charts.hpp"
#include "runtime/main/time_limit.hpp"
#include "runtime/render/chart_painter.hpp"
#include "tests/runtime/render/render_fixture.hpp"
#include "tests/runtime/window/window_fixture.hpp"

namespace {

using namespace window_test;

class ControlWindow : public WindowTest {};

// Every label is readable whole at the window's size, in the font the
// program gets here and in DejaVu Sans, which scripts/setup installs and
// which stands in for the layout's Helvetica where no narrower face is
// installed (it runs widest of the usual fallbacks).
TEST_F(ControlWindow, EveryLabelFitsItsWidgetInTheWidestUsualFont) {
    launch();
    const rt::Value controls =
        rt::findall(rt::Value(0.0), std::vector{rt::Value::string("Type"), rt::Value::string("uicontrol")});
    int checked = 0;
    for (std::size_t i = 0; i < controls.numel(); ++i) {
        QWidget* w = backend_->widget_of(controls[i]);
        auto* button = qobject_cast<QAbstractButton*>(w);
        auto* label = qobject_cast<QLabel*>(w);
        if (!button && !label) continue;
        ++checked;
        QFont widest = w->font();
        widest.setFamily("DejaVu Sans");
        for (const QFont& font : {w->font(), widest}) {
            w->setFont(font);
            const int needed = button ? button->sizeHint().width() : w->fontMetrics().horizontalAdvance(label->text());
            EXPECT_LE(needed, w->width()) << text_of(controls[i], "String") << " in " << font.family().toStdString();
        }
    }
    EXPECT_GE(checked, 12);
}

TEST_F(ControlWindow, SlidersUpdateTheirTextFieldsTheRadioButtonTogglesAndResizingKeepsControlsInPlace) {
    launch();
    auto* alpha = widget<QSlider>("alpha_sl");
    auto* gamma = widget<QSlider>("gamma_sl");
    auto* random = widget<QRadioButton>("radiobutton1");
    ASSERT_TRUE(alpha && gamma && random);
    EXPECT_EQ(std::tuple(alpha->orientation(), alpha->value(), widget<QLabel>("alpha")->text().toStdString(),
                         random->isChecked()),
              std::tuple(Qt::Horizontal, 500, "0.5", true));

    // A drag only counts when the slider is let go.
    alpha->setSliderDown(true);
    alpha->setSliderPosition(300);
    settle();
    EXPECT_EQ(rt::get(tagged("alpha_sl"), "Value")[0], 0.5);
    alpha->setSliderDown(false);
    settle();
    EXPECT_EQ(std::tuple(rt::get(tagged("alpha_sl"), "Value")[0], widget<QLabel>("alpha")->text().toStdString()),
              std::tuple(0.3, "0.3"));

    // A step (a page click or a key) counts at once; the other fields keep
    // their texts.
    gamma->triggerAction(QAbstractSlider::SliderPageStepSub);
    settle();
    EXPECT_EQ(text_of(tagged("gamma"), "String") + " " + text_of(tagged("alpha"), "String") + " " +
                  text_of(tagged("beta"), "String"),
              "0.989 0.3 0.01");

    for (double want : {0.0, 1.0}) {
        random->click();
        settle();
        EXPECT_EQ(rt::get(tagged("radiobutton1"), "Value")[0], want);
    }
    // A change made by the program shows in the widget.
    rt::set(tagged("radiobutton1"), "Value", rt::Value(0.0));
    EXPECT_FALSE(random->isChecked());

    // Resizing runs the resize callback and keeps the controls in place.
    rt::FigureWindow* window = backend_->window_of(1);
    ASSERT_NE(window, nullptr);
    window->show();
    settle();
    window->resize(500, 330);
    settle();
    EXPECT_NE(console_.str().find("figure1 ResizeFcn not implemented yet."), std::string::npos);
    EXPECT_EQ(rect_of(1, "Position").size(), QSizeF(500, 330));
    // Controls are placed by their pixel positions from the window's bottom
    // left, so they keep their distance from it.
    const rt::PixelRect p = rt::pixel_position(*rt::find_object(tagged("pushbutton1")));
    EXPECT_EQ(p.bottom, 15);
    EXPECT_EQ(QRectF(widget<QPushButton>("pushbutton1")->geometry()),
              QRectF(p.left, 330 - p.bottom - p.height, p.width, p.height));
}

// The run controls.

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

    // No step during the hold, the slider's callback ran during it, and the
    // run went on after it.
    EXPECT_EQ(std::tuple(steps_early, steps_late, beta_text, watch.last.trial, backend_->run_pace().held(),
                         backend_->run_controls()->pause_action()->text().toStdString()),
              std::tuple(50L, 50L, "0.1", 5.0, false, "Pause"));

    // The toolbar and status line are chrome of the cart window: the figure
    // keeps its size, the window grows around it.
    rt::FigureWindow* cart = backend_->window_of(2);
    ASSERT_NE(cart, nullptr);
    EXPECT_EQ(backend_->run_controls()->toolbar()->parentWidget(), cart);
    EXPECT_EQ(cart->figure_area().size(), QSize(500, 200));
    EXPECT_EQ(rt::get(2.0, "Position")[3], 200);
    // The title bars say what the windows show; the figures' names stay.
    EXPECT_EQ(cart->windowTitle(), "Figure 2: cart");
    ASSERT_NE(backend_->window_of(3), nullptr);
    EXPECT_EQ(backend_->window_of(3)->windowTitle(), "Figure 3: action values");
    // Placed where the run put it.
    const QRect mesh = backend_->window_of(3)->geometry();
    EXPECT_EQ(QRect(mesh.topLeft(), QSize(mesh.width(), 400)),
              QRect(510, rt::primary_screen_rect().height() - 450, 400, 400));
    EXPECT_EQ(text_of(2, "Name") + text_of(3, "Name"), "");
    // The last trial's numbers, as the run's own title counts them.
    const std::string text = backend_->run_controls()->status()->text().toStdString();
    EXPECT_EQ(text, status_.text());
    const std::string best = std::to_string(static_cast<long>(watch.last.best));
    EXPECT_EQ(
        text.rfind("Run " + std::to_string(watch.last.run) + "   Trial 6   Steps 0 / 100000   Best " + best + "   ", 0),
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
