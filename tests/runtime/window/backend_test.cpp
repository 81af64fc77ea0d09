// Windows and widgets kept in step with the object tree, and pictures of
// the windows written as files.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>

#include "runtime/window/figure_export.hpp"
#include "tests/error_text.hpp"
#include "tests/runtime/window/window_fixture.hpp"

namespace {

using namespace window_test;
using rt::Value;

Value S(const char* s) { return Value::string(s); }

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
    EXPECT_EQ(label->text(), "after");
    rt::set(slider, "Value", Value(1.0));
    EXPECT_EQ(bar->value(), 1000);
    rt::set(slider, "Enable", S("off"));
    EXPECT_FALSE(bar->isEnabled());
    rt::set(text, "Visible", S("off"));
    EXPECT_FALSE(label->isVisibleTo(label->parentWidget()));

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
    EXPECT_EQ(text_of(edit, "String"), "xyz");
    EXPECT_EQ(rt::get(box, "Value")[0], 5);
    EXPECT_EQ(console_.str(), "edited\nchecked\n");
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
    EXPECT_NE(sys_test::error_of([&] { rt::save_figures((file / "sub").string()); }).find("plain-file"),
              std::string::npos);
    std::filesystem::remove_all(dir);
}

}  // namespace
