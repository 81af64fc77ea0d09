#include "runtime/window/control_widgets.hpp"

#include <algorithm>
#include <cmath>
#include <exception>
#include <string>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

#include "runtime/call/console.hpp"
#include "runtime/graphics/callbacks.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/render/control_painter.hpp"
#include "runtime/render/paint_style.hpp"

namespace rt {

namespace {

using P = PropertyId;

constexpr const char* kStyleKey = "tavrin_style";

double number(const GraphicsObject& c, PropertyId id, double fallback) {
    const Value& v = c.value(id);
    return v.numel() >= 1 && std::isfinite(v[0]) ? v[0] : fallback;
}

std::string style_of(const GraphicsObject& c) { return c.value(P::Style).text(); }

// What a user did to a control: applied as rt::set would, then its callback
// queued. An error (the control went meanwhile) is shown, never thrown into
// the toolkit.
void user_action(double handle, const char* property, const Value& value) {
    try {
        if (!find_object(handle)) return;
        if (property) set(handle, property, value);
        post_callback(handle, "Callback");
    } catch (const std::exception& e) {
        warning(e.what());
    }
}

bool is_on(const GraphicsObject& c) { return number(c, P::Value, 0) == number(c, P::Max, 1); }

QStringList items_of(const GraphicsObject& c) {
    const Value& s = c.value(P::String);
    if (s.is_char() && s.rows() <= 1) return QString::fromStdString(s.text()).split('|');
    return display_text(s).split('\n');
}

Qt::Alignment horizontal(const GraphicsObject& c) {
    if (c.is(P::HorizontalAlignment, "left")) return Qt::AlignLeft;
    if (c.is(P::HorizontalAlignment, "right")) return Qt::AlignRight;
    return Qt::AlignHCenter;
}

QWidget* create(const GraphicsObject& c, QWidget* window) {
    const double h = c.handle();
    const std::string style = style_of(c);
    if (style == "slider") {
        auto* slider = new QSlider(Qt::Horizontal, window);
        slider->setRange(0, kSliderSteps);
        auto commit = [h](int step) {
            const GraphicsObject* obj = find_object(h);
            if (!obj) return;
            user_action(h, "Value", Value(slider_value_of(step, number(*obj, P::Min, 0), number(*obj, P::Max, 1))));
        };
        QObject::connect(slider, &QSlider::sliderReleased, slider, [slider, commit] { commit(slider->value()); });
        // Steps by keys, page clicks and the wheel; a drag commits on release.
        QObject::connect(slider, &QSlider::actionTriggered, slider, [slider, commit](int action) {
            if (action == QAbstractSlider::SliderMove && slider->isSliderDown()) return;
            if (action == QAbstractSlider::SliderNoAction) return;
            commit(slider->sliderPosition());
        });
        return slider;
    }
    if (style == "pushbutton") {
        auto* button = new QPushButton(window);
        QObject::connect(button, &QPushButton::clicked, button, [h] { user_action(h, nullptr, Value()); });
        return button;
    }
    if (style == "togglebutton" || style == "radiobutton" || style == "checkbox") {
        QAbstractButton* button = nullptr;
        if (style == "togglebutton") {
            button = new QPushButton(window);
            button->setCheckable(true);
        } else if (style == "radiobutton") {
            button = new QRadioButton(window);
            button->setAutoExclusive(false);  // each radio button stands alone
        } else {
            button = new QCheckBox(window);
        }
        QObject::connect(button, &QAbstractButton::clicked, button, [h](bool checked) {
            const GraphicsObject* obj = find_object(h);
            if (!obj) return;
            user_action(h, "Value", Value(checked ? number(*obj, P::Max, 1) : number(*obj, P::Min, 0)));
        });
        return button;
    }
    if (style == "edit") {
        auto* edit = new QLineEdit(window);
        QObject::connect(edit, &QLineEdit::editingFinished, edit, [edit, h] {
            const GraphicsObject* obj = find_object(h);
            if (!obj || QString::fromStdString(obj->value(P::String).text()) == edit->text()) return;
            user_action(h, "String", Value::string(edit->text().toStdString()));
        });
        return edit;
    }
    if (style == "popupmenu") {
        auto* combo = new QComboBox(window);
        QObject::connect(combo, &QComboBox::activated, combo,
                         [h](int index) { user_action(h, "Value", Value(static_cast<double>(index + 1))); });
        return combo;
    }
    if (style == "listbox") {
        auto* list = new QListWidget(window);
        QObject::connect(list, &QListWidget::itemSelectionChanged, list, [list, h] {
            if (list->currentRow() >= 0) user_action(h, "Value", Value(static_cast<double>(list->currentRow() + 1)));
        });
        return list;
    }
    if (style == "frame") {
        auto* frame = new QFrame(window);
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return frame;
    }
    auto* label = new QLabel(window);
    label->setWordWrap(true);
    return label;
}

void apply_colors(QWidget* w, const GraphicsObject& c) {
    const QColor bg = color_property(c, P::BackgroundColor).value_or(QColor(240, 240, 240));
    const QColor fg = color_property(c, P::ForegroundColor).value_or(Qt::black);
    QPalette pal = w->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base}) pal.setColor(role, bg);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        pal.setColor(role, fg);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

void apply_value(QWidget* w, const GraphicsObject& c) {
    const QSignalBlocker quiet(w);
    if (auto* slider = qobject_cast<QSlider*>(w)) {
        const double lo = number(c, P::Min, 0), hi = number(c, P::Max, 1);
        slider->setValue(slider_step_of(number(c, P::Value, lo), lo, hi));
        const Value& step = c.value(P::SliderStep);
        if (step.numel() == 2) {
            slider->setSingleStep(std::max(1, static_cast<int>(std::lround(std::min(step[0], 1.0) * kSliderSteps))));
            slider->setPageStep(std::max(1, static_cast<int>(std::lround(std::min(step[1], 1.0) * kSliderSteps))));
        }
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setCurrentIndex(static_cast<int>(number(c, P::Value, 1)) - 1);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        list->setCurrentRow(static_cast<int>(number(c, P::Value, 1)) - 1);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w); button && button->isCheckable()) {
        button->setChecked(is_on(c));
    }
}

void apply_string(QWidget* w, const GraphicsObject& c) {
    const QSignalBlocker quiet(w);
    const QString text = display_text(c.value(P::String));
    if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->clear();
        combo->addItems(items_of(c));
        apply_value(w, c);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        list->clear();
        list->addItems(items_of(c));
        apply_value(w, c);
    }
}

void apply_geometry(QWidget* w, const GraphicsObject& c) {
    if (!w->parentWidget()) return;
    const QRect r = control_device_rect(c, QSizeF(w->parentWidget()->size())).toRect();
    w->setGeometry(r);
    if (auto* slider = qobject_cast<QSlider*>(w)) {
        slider->setOrientation(r.width() >= r.height() ? Qt::Horizontal : Qt::Vertical);
    }
}

void apply_alignment(QWidget* w, const GraphicsObject& c) {
    if (auto* label = qobject_cast<QLabel*>(w)) label->setAlignment(horizontal(c) | Qt::AlignTop);
    else if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->setAlignment(horizontal(c) | Qt::AlignVCenter);
}

void apply_enable(QWidget* w, const GraphicsObject& c) {
    w->setEnabled(!c.is(P::Enable, "off"));
    w->setAttribute(Qt::WA_TransparentForMouseEvents, c.is(P::Enable, "inactive"));
}

}  // namespace

int slider_step_of(double value, double min, double max) noexcept {
    if (!(max > min) || !std::isfinite(value)) return 0;
    const double t = (value - min) / (max - min) * kSliderSteps;
    return static_cast<int>(std::lround(std::clamp(t, 0.0, static_cast<double>(kSliderSteps))));
}

double slider_value_of(int step, double min, double max) noexcept {
    if (step <= 0) return min;
    if (step >= kSliderSteps) return max;
    return min + (max - min) * step / kSliderSteps;
}

QWidget* make_control_widget(const GraphicsObject& control, QWidget* window) {
    QWidget* w = create(control, window);
    w->setProperty(kStyleKey, QString::fromStdString(style_of(control)));
    sync_control_widget(w, control);
    return w;
}

bool widget_matches_style(const QWidget* widget, const GraphicsObject& control) {
    return widget->property(kStyleKey).toString().toStdString() == style_of(control);
}

void sync_control_widget(QWidget* w, const GraphicsObject& c, std::optional<PropertyId> id) {
    auto touches = [&](std::initializer_list<PropertyId> ids) {
        return !id || std::find(ids.begin(), ids.end(), *id) != ids.end();
    };
    if (touches({P::Position, P::Units})) apply_geometry(w, c);
    if (touches({P::String})) apply_string(w, c);
    if (touches({P::Value, P::Min, P::Max, P::SliderStep})) apply_value(w, c);
    if (touches({P::BackgroundColor, P::ForegroundColor})) apply_colors(w, c);
    if (touches({P::FontName, P::FontSize, P::FontWeight, P::FontAngle, P::FontUnits})) {
        w->setFont(object_font(c, w->height()));
    }
    if (touches({P::HorizontalAlignment})) apply_alignment(w, c);
    if (touches({P::Enable})) apply_enable(w, c);
    if (touches({P::TooltipString})) w->setToolTip(QString::fromStdString(c.value(P::TooltipString).text()));
    if (touches({P::Visible})) w->setVisible(c.is(P::Visible, "on"));
}

}  // namespace rt
