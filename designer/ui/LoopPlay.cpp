#include "designer/ui/LoopPlay.h"

#include <QAction>
#include <QTimer>

#include "designer/ui/CKyrelApp.h"

namespace kyrel {

LoopPlay::LoopPlay(CKyrelApp& app, QAction& action, QObject* parent)
    : QObject(parent), app_(app), action_(action), timer_(new QTimer(this)) {
    // Playback ends on its own thread; the next pass follows within a few milliseconds.
    timer_->setInterval(5);
    connect(timer_, &QTimer::timeout, this, &LoopPlay::poll);
    connect(&action_, &QAction::toggled, this, [this](bool on) {
        if (on) {
            played();
        } else {
            looping_ = false;
            timer_->stop();
        }
    });
}

void LoopPlay::played() {
    looping_ = action_.isChecked();
    if (looping_) timer_->start();
}

void LoopPlay::stopped() {
    looping_ = false;
    timer_->stop();
}

void LoopPlay::poll() {
    if (!looping_ || app_.state().isPlaying()) return;
    // A pass that cannot start (no track used, no sound device) ends the loop.
    if (!app_.commandPlay()) stopped();
    app_.updateCommandStates();
}

}  // namespace kyrel
