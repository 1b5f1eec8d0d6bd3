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
    {PresetKind::Coin, "コイン(&C)"},    {PresetKind::Laser, "レーザー(&L)"},
    {PresetKind::Explosion, "爆発(&E)"}, {PresetKind::Powerup, "パワーアップ(&P)"},
    {PresetKind::Hit, "ヒット(&H)"},     {PresetKind::Jump, "ジャンプ(&J)"},
    {PresetKind::Blip, "ブリップ(&B)"},  {PresetKind::Random, "ランダム(&R)"},
};

}  // namespace

PresetMenu::PresetMenu(CKyrelApp& app, AutoPlay& autoPlay, QWidget* parent)
    : QMenu("プリセット(&P)", parent), app_(app), autoPlay_(autoPlay) {
    for (const PresetEntry& entry : kEntries) {
        QAction* action = addAction(QString::fromUtf8(entry.text));
        action->setStatusTip("この種類の効果音を新しく作ります（元に戻せます）");
        action->setData(static_cast<int>(entry.kind));
        connect(action, &QAction::triggered, this, [this, kind = entry.kind] {
            commandPreset(app_.state(), kind);
            finish();
        });
    }
    addSeparator();
    mutate_ = addAction("変異(&M)");
    mutate_->setStatusTip("今の効果音を少しだけ変えます（元に戻せます）");
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
