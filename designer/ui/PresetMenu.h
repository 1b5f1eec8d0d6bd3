#pragma once
#include <QMenu>

#include "designer/core/Presets.h"

namespace kyrel {

class AutoPlay;
class CKyrelApp;

// The プリセット menu: a new design of each category (コイン ... ランダム), then 変異, which
// nudges the present design. Each is one undo step and a finished edit for auto-play.
class PresetMenu : public QMenu {
    Q_OBJECT
  public:
    PresetMenu(CKyrelApp& app, AutoPlay& autoPlay, QWidget* parent);

    QAction* presetAction(PresetKind kind) const;
    QAction* mutateAction() const { return mutate_; }

  private:
    void finish();

    CKyrelApp& app_;
    AutoPlay& autoPlay_;
    QAction* mutate_ = nullptr;
};

}  // namespace kyrel
