// Every label of the control window is readable whole at the window's size:
// in the font the program gets here, and in DejaVu Sans, which scripts/setup
// installs and which stands in for the layout's Helvetica where no narrower
// face is installed (its text runs widest of the usual fallbacks).
#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>

#include "tests/runtime/window/window_fixture.hpp"

namespace {

using namespace window_test;

class LabelFit : public WindowTest {};

// The width the widget's own text needs in `font`.
int needed_width(QWidget* w, const QFont& font) {
    const QFont kept = w->font();
    w->setFont(font);
    int needed = 0;
    if (auto* button = qobject_cast<QAbstractButton*>(w)) needed = button->sizeHint().width();
    else if (auto* label = qobject_cast<QLabel*>(w)) needed = QFontMetrics(font).horizontalAdvance(label->text());
    w->setFont(kept);
    return needed;
}

TEST_F(LabelFit, EveryControlLabelFitsItsWidgetInTheWidestUsualFont) {
    launch();
    const std::vector<rt::Value> pairs{rt::Value::string("Type"), rt::Value::string("uicontrol")};
    const rt::Value controls = rt::findall(rt::Value(0.0), pairs);
    ASSERT_GT(controls.numel(), 10u);
    int checked = 0;
    for (std::size_t i = 0; i < controls.numel(); ++i) {
        QWidget* w = backend_->widget_of(controls[i]);
        ASSERT_NE(w, nullptr);
        const std::string text = text_of(controls[i], "String");
        if (text.empty() || !(qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w))) continue;
        ++checked;
        QFont widest = w->font();
        widest.setFamily("DejaVu Sans");
        for (const QFont& font : {w->font(), widest}) {
            EXPECT_LE(needed_width(w, font), w->width())
                << "'" << text << "' in " << font.family().toStdString() << " " << font.pixelSize() << " px";
        }
    }
    EXPECT_GE(checked, 8);
}

}  // namespace
