#pragma once
// The run controls of a window: a toolbar above its figure (Pause/Resume on
// Space; the speed presets Real time, Normal and Fast, and + and - to step
// between them; Watch learned policy when the program offers one) and a
// status line below it. Window chrome only: no graphics object, handle or
// figure number comes with them.
//
// They act on a RunPace, which must outlive them; the pauses of the run read
// it.

#include <functional>
#include <string>

#include <QLabel>
#include <QToolBar>

#include "runtime/window/run_pace.hpp"

class QAction;

namespace rt {

class RunControlsBar {
public:
    // Makes the toolbar and the status line as children of `window`, which
    // gets their keys and owns them (FigureWindow::set_chrome); this object
    // only points at them. `post` hands an action to the main loop, which
    // runs it outside the toolkit's event handling.
    RunControlsBar(QWidget* window, RunPace& pace, std::function<void(std::function<void()>)> post);

    QToolBar* toolbar() const noexcept { return toolbar_; }
    QLabel* status() const noexcept { return status_; }
    // Shows the pace's current state on the buttons.
    void show_pace();
    void set_status(const std::string& text);
    // Offers "Watch learned policy" (also the W key), running `action` when
    // pressed; an empty action withdraws the offer. While the action runs
    // the button reads "Stop watching" and pressing it asks it to stop.
    void offer_replay(std::function<void()> action);
    bool replay_stop_requested() const noexcept { return stop_requested_; }
    void show_replaying(bool replaying);

    QAction* pause_action() const noexcept { return pause_; }
    QAction* speed_action(Speed speed) const noexcept;
    QAction* replay_action() const noexcept { return replay_; }

private:
    RunPace& pace_;
    QToolBar* toolbar_;
    QLabel* status_;
    QAction* pause_;
    QAction* speeds_[3];
    QAction* replay_;
    std::function<void()> replay_action_;
    std::function<void(std::function<void()>)> post_;
    bool replaying_ = false, stop_requested_ = false;
};

}  // namespace rt
