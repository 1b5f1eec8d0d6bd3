#pragma once
#include <QObject>

class QAction;
class QTimer;

namespace kyrel {

class CKyrelApp;

// Kyrel → ループ再生: while checked, a sound that was played starts again as soon as it ends,
// until Stop or until the item is unchecked. Each pass renders again when the design changed,
// so an edit is heard on the next pass. Checking the item starts playing at once.
class LoopPlay : public QObject {
    Q_OBJECT
  public:
    // `action` is the main window's checkable ループ再生 command.
    LoopPlay(CKyrelApp& app, QAction& action, QObject* parent);

    // Play was chosen (the loop goes on while the item is checked) / Stop was chosen.
    void played();
    void stopped();
    bool looping() const { return looping_; }

  private:
    void poll();

    CKyrelApp& app_;
    QAction& action_;
    QTimer* timer_;
    bool looping_ = false;
};

}  // namespace kyrel
