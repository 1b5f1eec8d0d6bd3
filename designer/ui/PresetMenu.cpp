#include "designer/ui/PresetMenu.h"

#include "designer/core/PresetCommands.h"
#include "designer/ui/AutoPlay.h"
#include "designer/ui/CKyrelApp.h"

namespace kyrel {

namespace {

struct PresetEntry {
    PresetKind kind;
    const char* text;
};

constexpr PresetEntry kEntries[] = {
    {PresetKind::Coin, QT_TRANSLATE_NOOP("kyrel::PresetMenu", "コイン(&C)")},
    {PresetKind::Laser, QT_TRANSLATE_NOOP("kyrel::PresetMenu", "レーザー(&L)")},
    {PresetKind::Explosion, QT_TRANSLATE_NOOP("kyrel::PresetMenu", "爆発(&E)")},
    {PresetKind::Powerup, QT_TRANSLATE_NOOP("kyrel::PresetMenu", "パワーアップ(&P)")},
    {PresetKind::Hit, QT_TRANSLATE_NOOP("kyrel::PresetMenu", "ヒット(&H)")},
    {PresetKind::Jump, QT_TRANSLATE_NOOP("kyrel::PresetMenu", "ジャンプ(&J)")},
    {PresetKind::Blip, QT_TRANSLATE_NOOP("kyrel::PresetMenu", "ブリップ(&B)")},
    {PresetKind::Random, QT_TRANSLATE_NOOP("kyrel::PresetMenu", "ランダム(&R)")},
};

}  // namespace

PresetMenu::PresetMenu(CKyrelApp& app, AutoPlay& autoPlay, QWidget* parent)
    : QMenu(tr("プリセット(&P)"), parent), app_(app), autoPlay_(autoPlay) {
    for (const PresetEntry& entry : kEntries) {
        QAction* action = addAction(tr(entry.text));
        action->setStatusTip(tr("この種類の効果音を新しく作ります（元に戻せます）"));
        action->setData(static_cast<int>(entry.kind));
        connect(action, &QAction::triggered, this, [this, kind = entry.kind] {
            commandPreset(app_.state(), kind);
            finish();
        });
    }
    addSeparator();
    mutate_ = addAction(tr("変異(&M)"));
    mutate_->setStatusTip(tr("今の効果音を少しだけ変えます（元に戻せます）"));
    connect(mutate_, &QAction::triggered, this, [this] {
        commandMutate(app_.state());
        finish();
    });
}

QAction* PresetMenu::presetAction(PresetKind kind) const {
    for (QAction* action : actions())
        if (!action->isSeparator() && action != mutate_ &&
            action->data().toInt() == static_cast<int>(kind))
            return action;
    return nullptr;
}

void PresetMenu::finish() {
    app_.updateCommandStates();
    autoPlay_.editFinished();
}

}  // namespace kyrel
