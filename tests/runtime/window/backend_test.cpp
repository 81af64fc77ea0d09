// Windows and widgets kept in step with the object tree, and pictures of
// the windows written as files.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>

#include "runtime/window/control_widgets.hpp"
#include "runtime/window/display_check.hpp"
#include "runtime/window/figure_export.hpp"
#include "runtime/window/refresh_schedule.hpp"
#include "runtime/window/run_pace.hpp"
#include "tests/error_text.hpp"
#include "tests/runtime/window/window_fixture.hpp"

namespace {

using namespace window_test;

double control(std::initializer_list<Value> pairs) { return rt::uicontrol(std::vector<Value>(pairs))[0]; }

class Backend : public WindowTest {};

TEST_F(Backend, WindowsStandWhereTheirPositionSaysAndReportMoves) {
    const double h = rt::figure()[0];
    rt::set(h, "Position", Value::row({10, 100, 500, 200}));
    rt::drawnow();
    rt::FigureWindow* w = backend_->window_of(h);
    ASSERT_NE(w, nullptr);
    const QRect screen = rt::primary_screen_rect();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->geometry(), QRect(10, screen.height() - 300, 500, 200));

    // A move by the user (or the window system) shows in "Position", and
    // "OuterPosition" takes in the window's frame.
    w->move(40, 60);
    settle();
    const QRect inner = w->geometry(), outer = w->frameGeometry();
    EXPECT_NE(inner.topLeft(), QPoint(10, screen.height() - 300));
    EXPECT_EQ(rect_of(h, "Position"), QRectF(inner.left(), screen.height() - inner.top() - 200, 500, 200));
    EXPECT_EQ(rect_of(h, "OuterPosition"),
              QRectF(outer.left(), screen.height() - outer.top() - outer.height(), outer.width(), outer.height()));

    // Hidden and shown again with "Visible".
    rt::set(h, "Visible", S("off"));
    EXPECT_FALSE(w->isVisible());
    rt::set(h, "Visible", S("on"));
    rt::drawnow();
    EXPECT_TRUE(w->isVisible());
}

TEST_F(Backend, WidgetsFollowTheirPropertiesAndReportWhatTheUserDid) {
    rt::figure();
    const double text = control({S("Style"), S("text"), S("String"), S("before")});
    const double slider = control({S("Style"), S("slider"), S("Min"), Value(-1.0), S("Max"), Value(1.0), S("Value"),
                                   Value(0.0), S("Position"), Value::row({10, 10, 20, 150})});
    auto* label = qobject_cast<QLabel*>(backend_->widget_of(text));
    auto* bar = qobject_cast<QSlider*>(backend_->widget_of(slider));
    ASSERT_TRUE(label && bar);
    EXPECT_EQ(bar->orientation(), Qt::Vertical);  // taller than wide
    EXPECT_EQ(bar->value(), 500);

    rt::set(text, "String", S("after"));
    rt::set(slider, "Value", Value(1.0));
    rt::set(slider, "Enable", S("off"));
    rt::set(text, "Visible", S("off"));
    EXPECT_EQ(std::tuple(label->text().toStdString(), bar->value(), bar->isEnabled(),
                         label->isVisibleTo(label->parentWidget())),
              std::tuple("after", 1000, false, false));

    // A new style needs a new widget; the old one goes.
    QPointer<QWidget> old = label;
    rt::set(text, "Style", S("checkbox"));
    EXPECT_NE(qobject_cast<QCheckBox*>(backend_->widget_of(text)), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());

    // Moved to another window, it gets a widget there.
    const double other = rt::figure()[0];
    rt::set(text, "Parent", Value(other));
    ASSERT_NE(backend_->widget_of(text), nullptr);
    EXPECT_EQ(backend_->widget_of(text)->parentWidget(), backend_->window_of(other));

    rt::delete_(Value(slider));
    EXPECT_EQ(backend_->widget_of(slider), nullptr);

    // An edit field and a check box report what the user did.
    const double edit = control({S("Style"), S("edit"), S("String"), S("abc"), S("Callback"), S("disp('edited')")});
    const double box = control({S("Style"), S("checkbox"), S("Min"), Value(2.0), S("Max"), Value(5.0), S("Value"),
                                Value(2.0), S("Callback"), S("disp('checked')")});
    auto* line = qobject_cast<QLineEdit*>(backend_->widget_of(edit));
    auto* check = qobject_cast<QCheckBox*>(backend_->widget_of(box));
    ASSERT_TRUE(line && check);
    line->setText("xyz");
    emit line->editingFinished();
    check->click();
    settle();
    EXPECT_EQ(std::tuple(text_of(edit, "String"), rt::get(box, "Value")[0], console_.str()),
              std::tuple("xyz", 5.0, "edited\nchecked\n"));
}

TEST_F(Backend, WindowsGoByTheirCloseBoxOrFromAControlsCallback) {
    const double keep = rt::figure()[0];
    rt::set(keep, "CloseRequestFcn", S("disp('not now')"));
    const double plain = rt::figure()[0];
    const double h = rt::figure()[0];
    const double button = control({S("Style"), S("pushbutton"), S("Callback"), S("delete(gcbf)")});
    QPointer<QPushButton> widget = qobject_cast<QPushButton*>(backend_->widget_of(button));
    ASSERT_TRUE(widget);
    rt::drawnow();
    backend_->window_of(keep)->close();
    backend_->window_of(plain)->close();
    widget->click();
    widget->click();  // a second press queued before the first ran
    settle();
    const Value alive = rt::ishandle(Value::row({keep, plain, h, button}));
    EXPECT_EQ(std::vector<double>(alive.data(), alive.data() + 4), (std::vector<double>{1, 0, 0, 0}));
    EXPECT_EQ(console_.str(), "not now\n");
    EXPECT_EQ(backend_->window_of(h), nullptr);
    EXPECT_TRUE(widget.isNull());  // gone after the callback, not during it
    EXPECT_EQ(warnings_.str(), "");
}

// What the pictures show is checked on a whole run; here, the refusal.
TEST_F(Backend, SaveFiguresNamesAFolderItCannotMake) {
    rt::figure();
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "window_test_figures";
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / "plain-file";
    std::ofstream(file) << "x";
    EXPECT_NE(error_of([&] { rt::save_figures((file / "sub").string()); }).find("plain-file"), std::string::npos);
    std::filesystem::remove_all(dir);
}

// The timing rules of the event pump and repainting, the slider's scale and
// the display check.

using namespace std::chrono_literals;
using rt::RefreshClock;

TEST(EventPollSchedule, AsksOncePerIntervalAndReadsTheClockOnlyNowAndThen) {
    EXPECT_EQ(rt::EventPollSchedule::interval_for(60),
              std::chrono::duration_cast<RefreshClock::duration>(std::chrono::duration<double>(1.0 / 120)));
    EXPECT_EQ(rt::EventPollSchedule::interval_for(5000), 1ms);
    EXPECT_EQ(rt::EventPollSchedule::interval_for(1), 10ms);

    rt::EventPollSchedule polls(8ms);
    const RefreshClock::time_point t0{};
    EXPECT_TRUE(polls.due(t0));
    EXPECT_FALSE(polls.due(t0 + 7ms));
    EXPECT_TRUE(polls.due(t0 + 8ms));
    EXPECT_FALSE(polls.due(t0 + 8ms + 10us));  // counted from the last one asked

    // Calls 1 us apart: the calls per clock read grow until a read spans
    // about an eighth of the interval, and a pump still comes every 8 ms.
    RefreshClock::time_point now = t0 + 20ms;
    int reads = 0, pumps = 0;
    const auto clock = [&] {
        ++reads;
        return now;
    };
    for (int i = 0; i < 100000; ++i, now += 1us) pumps += polls.due_counting(clock);
    EXPECT_EQ(polls.calls_per_read(), 256);  // at most
    EXPECT_LT(reads, 1000);
    EXPECT_NEAR(pumps, 100000.0 / 8000, 2);  // a pump every 8000 calls
    // Slow calls bring it down within the reads' spacing of calls.
    for (int i = 0; i < 520; ++i, now += 1ms) pumps += polls.due_counting(clock);
    EXPECT_LE(polls.calls_per_read(), 2);
    polls.count_afresh();
    EXPECT_EQ(polls.calls_per_read(), 1);
}

TEST(RunPace, PresetsStepInOrderAndNamesReadBack) {
    rt::RunPace pace(0.005);  // between Normal and Real time, as --pace may set it
    EXPECT_EQ(pace.speed(), std::nullopt);
    pace.faster();
    EXPECT_EQ(pace.speed(), rt::Speed::normal);
    pace.faster();
    pace.faster();  // Fast is as far as it goes
    EXPECT_EQ(pace.pace(), 0);
    pace.set_pace(0.005);
    pace.slower();
    EXPECT_EQ(pace.speed(), rt::Speed::realtime);
    pace.slower();
    EXPECT_EQ(pace.pace(), 0.02);
    for (rt::Speed s : {rt::Speed::realtime, rt::Speed::normal, rt::Speed::fast})
        EXPECT_EQ(rt::speed_named(rt::name_of(s)), s);
    EXPECT_EQ(rt::speed_named("slow"), std::nullopt);
    EXPECT_EQ(rt::speed_named("Fast"), std::nullopt);
}

TEST(RunPace, SpacesPausesByThePaceCatchingUpSmallDelaysOnly) {
    using Clock = rt::RunPace::Clock;
    const auto at = [](double s) {
        return Clock::time_point{} +
               std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(100 + s));
    };
    rt::RunPace pace(0.02);
    EXPECT_NEAR(pace.wait_at(at(0)), 0.02, 1e-9);
    EXPECT_NEAR(pace.wait_at(at(0.025)), 0.015, 1e-9);  // the step's own 5 ms count
    EXPECT_NEAR(pace.wait_at(at(0.065)), 0.0, 1e-9);    // woken 5 ms late: no wait ...
    EXPECT_NEAR(pace.wait_at(at(0.066)), 0.014, 1e-9);  // ... and the next one is on time again
    EXPECT_EQ(pace.wait_at(at(5)), 0);                  // far behind: no race to catch up
    EXPECT_NEAR(pace.wait_at(at(5.001)), 0.019, 1e-9);
    pace.set_held(true);
    pace.set_held(false);  // a hold's length is no debt
    EXPECT_NEAR(pace.wait_at(at(9)), 0.02, 1e-9);
    pace.set_speed(rt::Speed::fast);
    EXPECT_EQ(pace.wait_at(at(9.001)), 0);
}

TEST(RepaintSchedule, KeepsToTheFrameRateAndToAShareOfTheTime) {
    rt::RepaintSchedule schedule(50);  // a frame every 20 ms
    const RefreshClock::time_point t = RefreshClock::time_point{} + 1s;
    EXPECT_TRUE(schedule.due(t));
    schedule.painted(t, t + 2ms);  // a cheap paint
    EXPECT_FALSE(schedule.due(t + 19ms));
    EXPECT_TRUE(schedule.due(t + 20ms));
    schedule.painted(t + 20ms, t + 60ms);  // a costly one: 40 ms
    EXPECT_FALSE(schedule.due(t + 200ms));
    EXPECT_TRUE(schedule.due(t + 20ms + 200ms));
    // While the program runs unpaced: a sixteenth of the time.
    EXPECT_FALSE(schedule.due(t + 20ms + 599ms, rt::PaintShare::busy));
    EXPECT_TRUE(schedule.due(t + 20ms + 600ms, rt::PaintShare::busy));
}

TEST(SliderScale, EndsAreExactAndValuesClamp) {
    // (value, min, max, step), the fifth an empty range.
    for (auto [v, lo, hi, step] : {std::tuple{0.5, 0.0, 1.0, 500},
                                   {-1.0, -1.0, 0.0, 0},
                                   {7.0, 0.0, 1.0, 1000},
                                   {NAN, 0.0, 1.0, 0},
                                   {1.0, 1.0, 1.0, 0},
                                   {-7.0, 0.0, 1.0, 0}})
        EXPECT_EQ(rt::slider_step_of(v, lo, hi), step) << v << " in " << lo << ".." << hi;
    for (auto [step, lo, hi, v] :
         {std::tuple{0, -1.0, 0.0, -1.0}, {1000, 0.0, 0.1, 0.1}, {300, 0.0, 1.0, 0.3}, {100, 0.0, 0.1, 0.01}})
        EXPECT_EQ(rt::slider_value_of(step, lo, hi), v) << step << " in " << lo << ".." << hi;
    for (int step : {1, 250, 999}) EXPECT_EQ(rt::slider_step_of(rt::slider_value_of(step, -1, 0), -1, 0), step);
}

TEST(DisplayCheck, SaysWhyNoDisplayCanBeReached) {
    const char* names[] = {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"};
    std::vector<std::optional<std::string>> saved;
    for (const char* n : names) {
        saved.push_back(std::getenv(n) ? std::optional<std::string>(std::getenv(n)) : std::nullopt);
        ::unsetenv(n);
    }
    EXPECT_EQ(rt::display_problem(), "DISPLAY is not set");
    for (std::string display : {":64999", "no-colon"}) {
        ::setenv("DISPLAY", display.c_str(), 1);
        EXPECT_EQ(rt::display_problem(), "cannot connect to display " + display);
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    EXPECT_EQ(rt::display_problem(), std::nullopt);
    for (std::size_t i = 0; i < saved.size(); ++i) {
        if (saved[i]) ::setenv(names[i], saved[i]->c_str(), 1);
        else ::unsetenv(names[i]);
    }
}

}  // namespace
