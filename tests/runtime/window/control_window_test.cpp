// The control window driven through its widgets, as a person would.
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QLabel>
#include <QSlider>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdlib>

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
    const rt::Value controls = rt::findall(rt::Value(0.0), std::vector{rt::Value::string("Type"), rt::Value::string("uicontrol")});
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
    EXPECT_EQ(alpha->orientation(), Qt::Horizontal);
    EXPECT_EQ(alpha->value(), 500);
    EXPECT_EQ(widget<QLabel>("alpha")->text(), "0.5");
    EXPECT_TRUE(random->isChecked());

    // A drag only counts when the slider is let go.
    alpha->setSliderDown(true);
    alpha->setSliderPosition(300);
    settle();
    EXPECT_EQ(rt::get(tagged("alpha_sl"), "Value")[0], 0.5);
    alpha->setSliderDown(false);
    settle();
    EXPECT_EQ(rt::get(tagged("alpha_sl"), "Value")[0], 0.3);
    EXPECT_EQ(widget<QLabel>("alpha")->text(), "0.3");

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
    EXPECT_EQ(QRectF(widget<QPushButton>("pushbutton1")->geometry()), QRectF(p.left, 330 - p.bottom - p.height, p.width, p.height));
}

TEST_F(ControlWindow, PressingStartRunsALearningRunWithItsWindows) {
    launch_plain(0.3);  // a short run
    // Pressed again while its run goes on: that press is not a second run.
    int presses = 0;
    QTimer presser;
    QObject::connect(&presser, &QTimer::timeout, [&] {
        if (presses == 0 && backend_->window_of(2)) {
            ++presses;
            widget<QPushButton>("pushbutton1")->click();
        }
    });
    presser.start(5);
    start_run();
    presser.stop();

    const std::string out = console_.str();
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(out.find("ALPHA", out.find("ALPHA") + 1), std::string::npos) << out;
    EXPECT_NE(out.find("ALPHA = 0.3"), std::string::npos) << out;
    EXPECT_NE(out.find("BETA = 0\n"), std::string::npos) << out;
    ASSERT_EQ(rt::open_figures().size(), 3u);
    EXPECT_EQ(title_of(2).rfind("Success at ", 0), 0u) << title_of(2);
    // Both windows of the run are real windows, placed where the run put them.
    for (double h : {2.0, 3.0}) EXPECT_TRUE(backend_->window_of(h) && backend_->window_of(h)->isVisible()) << h;
    ASSERT_NE(backend_->window_of(3), nullptr);
    const QRect screen = rt::primary_screen_rect();
    EXPECT_EQ(backend_->window_of(3)->geometry(), QRect(510, screen.height() - 450, 400, 400));
}

// A run that never converges (ALPHA 0, no random terms) past thousands of
// failures: the mesh window, resized so that its whole picture is painted
// again, keeps the event loop answering, and closing the cart window ends
// the run within a second, with an error; the other windows work on.
TEST_F(ControlWindow, ClosingTheCartWindowOfALongRunEndsItPromptlyWithAnError) {
    launch_plain(0.0);
    using Clock = std::chrono::steady_clock;
    const auto trials = [] {
        const std::string text = rt::ishandle(2.0) ? title_of(2) : "";
        return text.rfind("Trials  ", 0) == 0 ? std::atol(text.c_str() + 8) : 0L;
    };
    const auto started = Clock::now();
    Clock::time_point resized{}, asked{}, last_tick{};
    Clock::duration longest_gap{};
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        const auto now = Clock::now();
        if (resized != Clock::time_point{}) longest_gap = std::max(longest_gap, now - last_tick);
        last_tick = now;
        rt::FigureWindow* cart = backend_->window_of(2);
        rt::FigureWindow* mesh = backend_->window_of(3);
        if (!cart || !mesh) {
            if (now - started > std::chrono::seconds(60)) QCoreApplication::exit();  // no run: give up
        } else if (resized == Clock::time_point{} && trials() >= 6000) {
            mesh->resize(mesh->width() + 50, mesh->height() + 50);
            resized = now;
        } else if (asked == Clock::time_point{} && resized != Clock::time_point{} &&
                   now - resized > std::chrono::milliseconds(200)) {
            asked = now;
            cart->close();
        }
    });
    watcher.start(5);
    start_run();  // until the close ends it
    const auto ended = Clock::now();
    watcher.stop();

    ASSERT_NE(asked, Clock::time_point{}) << "the run never reached 6000 trials";
    EXPECT_LT(ended - asked, std::chrono::seconds(1));
    EXPECT_LT(longest_gap, std::chrono::seconds(1));
    // The run stopped at its next use of the window's objects, and said so.
    EXPECT_FALSE(rt::ishandle(2.0));
    EXPECT_NE(console_.str().find("is not a valid"), std::string::npos) << console_.str();
    EXPECT_LE(rt::get(rt::get(3.0, "CurrentAxes"), rt::Value::string("Children")).numel(), rt::kMaxSurfaces);
    EXPECT_TRUE(rt::ishandle(1.0));
    widget<QSlider>("beta_sl")->triggerAction(QAbstractSlider::SliderToMaximum);
    settle();
    EXPECT_EQ(text_of(tagged("beta"), "String"), "0.1");
}


}  // namespace
