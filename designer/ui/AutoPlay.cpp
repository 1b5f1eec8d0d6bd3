#include "designer/ui/AutoPlay.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QSettings>
#include <QTimer>
#include <chrono>
#include <thread>

#include "designer/core/WavCommands.h"
#include "designer/ui/CCurveView.h"
#include "designer/ui/CKyrelApp.h"
#include "designer/ui/CommandIds.h"

namespace kyrel {

namespace {

constexpr const char* kSettingsKey = "view/autoPlayAfterEdit";
constexpr const char* kSettingsName = "Kyrel";  // ~/.config/Kyrel/Kyrel.conf

// A fingerprint of everything that shapes the sound: the render seed, the curves and track
// volumes, and the settings except the current track, the tool and the two flags (which playing
// itself changes).
std::uint64_t soundFingerprint(const KyrelApp& app) {
    const SoundDesign& design = app.design;
    std::uint64_t h = 1469598103934665603ull;
    auto mix = [&h](std::int32_t word) {
        h = (h ^ static_cast<std::uint32_t>(word)) * 1099511628211ull;
    };
    mix(static_cast<std::int32_t>(app.renderSeed));
    for (const Track& track : design.tracks) {
        mix(track.volume);
        for (const Curve& curve : track.curves)
            for (std::int32_t v : curve) mix(v);
    }
    DesignSettings s = design.settings;
    s.currentTrack = s.tool = s.modified = s.renderStale = 0;
    const auto* words = reinterpret_cast<const std::int32_t*>(&s);
    for (std::size_t i = 0; i < kSettingsWords; ++i) mix(words[i]);
    return h;
}

bool anyTrackUsed(const DesignSettings& s) {
    for (std::int32_t use : s.trackUse)
        if (use == 1) return true;
    return false;
}

}  // namespace

AutoPlay::AutoPlay(CKyrelApp& app, QObject* parent)
    : QObject(parent), app_(app), action_(new QAction(tr("編集後に自動再生(&A)"), this)) {
    action_->setCheckable(true);
    action_->setStatusTip(tr("編集を終えるたびに音を再生します"));
    action_->setChecked(QSettings(kSettingsName, kSettingsName).value(kSettingsKey).toBool());
    connect(action_, &QAction::toggled, this,
            [](bool on) { QSettings(kSettingsName, kSettingsName).setValue(kSettingsKey, on); });
    heard_ = soundFingerprint(app_.state());
    qApp->installEventFilter(this);
}

AutoPlay::~AutoPlay() {
    if (qApp) qApp->removeEventFilter(this);
}

bool AutoPlay::enabled() const {
    return action_->isChecked();
}

void AutoPlay::watchCommands(const QHash<int, QAction*>& actions) {
    for (auto it = actions.begin(); it != actions.end(); ++it) {
        const bool replaces = it.key() == kCmdNew || it.key() == kCmdOpen;
        connect(it.value(), &QAction::triggered, this, [this, replaces] {
            if (replaces) {
                heard_ = soundFingerprint(app_.state());
            } else {
                editFinished();
            }
        });
    }
}

void AutoPlay::editFinished() {
    const std::uint64_t now = soundFingerprint(app_.state());
    if (now == heard_) return;
    heard_ = now;
    if (enabled() && anyTrackUsed(app_.design().settings)) play();
}

bool AutoPlay::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* view = qobject_cast<CCurveView*>(watched);
        // Looked at once the release has been handled.
        if (view && &view->app() == &app_) QTimer::singleShot(0, this, &AutoPlay::editFinished);
    }
    return false;
}

void AutoPlay::play() {
    KyrelApp& state = app_.state();
    if (state.isPlaying()) {
        // The worker obeys within 10 ms; wait for it so the new sound can start.
        commandStop(state);
        for (int waited = 0; state.isPlaying() && waited < 500; ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    app_.commandPlay();
    app_.updateCommandStates();
}

}  // namespace kyrel
