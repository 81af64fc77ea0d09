#include "runtime/window/run_controls_bar.hpp"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>

namespace rt {

namespace {

// The presets in toolbar order, with their labels and tooltips.
struct Preset {
    Speed speed;
    const char* label;
    const char* tip;
};
constexpr Preset kPresets[] = {
    {Speed::realtime, "Real time", "A step lasts the model's time step, 0.02 s (key -)"},
    {Speed::normal, "Normal", "About a thousand steps a second (keys + and -)"},
    {Speed::fast, "Fast", "As fast as the learning goes (key +)"},
};

}  // namespace

RunControlsBar::RunControlsBar(QWidget* window, RunPace& pace, std::function<void(std::function<void()>)> post)
    : pace_(pace), toolbar_(new QToolBar(window)), status_(new QLabel(window)), post_(std::move(post)) {
    // The window paints only its figure; its chrome paints its own ground.
    toolbar_->setAutoFillBackground(true);
    status_->setAutoFillBackground(true);
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    status_->setContentsMargins(6, 2, 6, 2);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    pause_ = toolbar_->addAction("Pause");
    pause_->setShortcut(QKeySequence(Qt::Key_Space));
    pause_->setToolTip("Hold the run where it stands; windows stay live (Space)");
    QObject::connect(pause_, &QAction::triggered, toolbar_, [this] {
        pace_.set_held(!pace_.held());
        show_pace();
    });
    toolbar_->addSeparator();

    auto* group = new QActionGroup(toolbar_);
    for (int i = 0; i < 3; ++i) {
        const Speed s = kPresets[i].speed;
        speeds_[i] = toolbar_->addAction(kPresets[i].label);
        speeds_[i]->setCheckable(true);
        speeds_[i]->setToolTip(kPresets[i].tip);
        group->addAction(speeds_[i]);
        QObject::connect(speeds_[i], &QAction::triggered, toolbar_, [this, s] {
            pace_.set_speed(s);
            show_pace();
        });
    }
    auto* faster = new QAction("Faster", toolbar_);
    faster->setShortcuts({QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal)});
    QObject::connect(faster, &QAction::triggered, toolbar_, [this] {
        pace_.faster();
        show_pace();
    });
    auto* slower = new QAction("Slower", toolbar_);
    slower->setShortcuts({QKeySequence(Qt::Key_Minus), QKeySequence(Qt::Key_Underscore)});
    QObject::connect(slower, &QAction::triggered, toolbar_, [this] {
        pace_.slower();
        show_pace();
    });
    window->addAction(faster);
    window->addAction(slower);
    toolbar_->addSeparator();

    replay_ = toolbar_->addAction("Watch learned policy");
    replay_->setShortcut(QKeySequence(Qt::Key_W));
    replay_->setToolTip("After a success: run the final table's greedy choices, without learning, in real time (W)");
    replay_->setEnabled(false);
    QObject::connect(replay_, &QAction::triggered, toolbar_, [this] {
        if (replaying_) {
            stop_requested_ = true;
            return;
        }
        if (replay_action_ && post_) post_(replay_action_);
    });
    show_pace();
}

void RunControlsBar::show_pace() {
    pause_->setText(pace_.held() ? "Resume" : "Pause");
    const std::optional<Speed> now = pace_.speed();
    for (int i = 0; i < 3; ++i) speeds_[i]->setChecked(now && *now == kPresets[i].speed);
}

void RunControlsBar::set_status(const std::string& text) {
    const QString q = QString::fromStdString(text);
    if (status_->text() != q) status_->setText(q);
}

void RunControlsBar::offer_replay(std::function<void()> action) {
    replay_action_ = std::move(action);
    replay_->setEnabled(static_cast<bool>(replay_action_));
}

void RunControlsBar::show_replaying(bool replaying) {
    replaying_ = replaying;
    stop_requested_ = false;
    replay_->setText(replaying ? "Stop watching" : "Watch learned policy");
}

QAction* RunControlsBar::speed_action(Speed speed) const noexcept {
    for (int i = 0; i < 3; ++i) {
        if (kPresets[i].speed == speed) return speeds_[i];
    }
    return nullptr;
}

}  // namespace rt
