// Every label of the control window is readable whole at the window's size,
// in the font the program gets here and in DejaVu Sans, which scripts/setup
// installs and which stands in for the layout's Helvetica where no narrower
// face is installed (it runs widest of the usual fallbacks).
#include <QAbstractButton>
#include <QLabel>

#include "tests/runtime/window/window_fixture.hpp"

namespace {

using namespace window_test;

TEST_F(WindowTest, EveryControlLabelFitsItsWidgetInTheWidestUsualFont) {
    launch();
    const std::vector<rt::Value> pairs{rt::Value::string("Type"), rt::Value::string("uicontrol")};
    const rt::Value controls = rt::findall(rt::Value(0.0), pairs);
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

}  // namespace
