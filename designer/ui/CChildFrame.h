#pragma once
#include <QMdiSubWindow>

#include "designer/core/SoundDesign.h"

namespace kyrel {

class CKyrelApp;
class CCurveView;

// One edit window: an MDI child holding the plot of one curve kind. At most one exists per kind;
// the application's table of curve windows points to it while it lives.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    explicit CChildFrame(CKyrelApp& app, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CCurveView& view() { return *view_; }
    CurveKind kind() const;

    // Sets the kind shown, draws it and titles the window. Called once, right after creation.
    void setKind(CurveKind kind);
    // "<kind name> [Track:<current track + 1>]".
    void updateTitle();
    // This window became, or stopped being, the current edit window. The main window tells;
    // the whole program losing the focus to a dialog or to another program is no such change.
    void activationChanged(bool active);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    CKyrelApp& app_;
    CCurveView* view_;
};

// The window title of an edit window of `kind` on track `track` (0 ... 5).
QString curveWindowTitle(CurveKind kind, int track);

}  // namespace kyrel
