#pragma once
#include <QDialog>
#include <functional>

#include "designer/core/KyrelUi.h"

class QProgressBar;

namespace kyrel {

// The modal progress dialog of a render ("作成中"). Once it is on screen it runs the render on
// the user-interface thread; the render asks the dialog every 200 samples whether to cancel, and
// that question is where the dialog lets the window system go on (so its own cancel button
// works). It closes itself as accepted when the render succeeded.
class CProgressDlg : public QDialog {
    Q_OBJECT
  public:
    CProgressDlg(std::function<bool(RenderProgress&)> render, QWidget* parent = nullptr);

    bool succeeded() const { return succeeded_; }
    bool cancelRequested() const { return cancelled_; }
    int progressValue() const;

  public Q_SLOTS:
    // Cancel, Esc and the close box all cancel the render.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void runRender();

    std::function<bool(RenderProgress&)> render_;
    QProgressBar* bar_;
    bool started_ = false;
    bool cancelled_ = false;
    bool succeeded_ = false;
};

}  // namespace kyrel
