#pragma once
#include <QHash>
#include <QObject>
#include <cstdint>

class QAction;

namespace kyrel {

class CKyrelApp;

// 表示 → 編集後に自動再生: while checked, every finished edit plays the sound at once,
// restarting one that still plays. An edit is finished when a mouse button comes up in a curve
// window (a stroke, a line, a placed paste) and when a command ends (generator, a settings
// dialog's OK, undo, redo, a preset, a mutation); it plays only when the sound changed. The
// choice is kept in the user's settings (QSettings) between runs.
class AutoPlay : public QObject {
    Q_OBJECT
  public:
    AutoPlay(CKyrelApp& app, QObject* parent);
    ~AutoPlay() override;

    QAction* action() const { return action_; }
    bool enabled() const;

    // Checks for a finished edit after each of the main window's commands; New and Open replace
    // the document rather than edit it and only take its new state as the one heard.
    void watchCommands(const QHash<int, QAction*>& actions);

    // Plays when the sound changed since the last look (and the item is checked).
    void editFinished();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void play();

    CKyrelApp& app_;
    QAction* action_;
    std::uint64_t heard_ = 0;  // fingerprint of the sound at the last look
};

}  // namespace kyrel
