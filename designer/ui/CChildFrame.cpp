#include "designer/ui/CChildFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

#include "designer/ui/CCurveView.h"
#include "designer/ui/CKyrelApp.h"

namespace kyrel {

QString curveWindowTitle(CurveKind kind, int track) {
    static constexpr const char* kNames[kCurveKindCount] = {
        QT_TRANSLATE_NOOP("kyrel::CChildFrame", "波形"),
        QT_TRANSLATE_NOOP("kyrel::CChildFrame", "周波数"),
        QT_TRANSLATE_NOOP("kyrel::CChildFrame", "音量"),
        QT_TRANSLATE_NOOP("kyrel::CChildFrame", "定位")};
    return QStringLiteral("%1 [Track:%2]")
        .arg(CChildFrame::tr(kNames[static_cast<int>(kind)]))
        .arg(track + 1);
}

CChildFrame::CChildFrame(CKyrelApp& app, QWidget* parent)
    : QMdiSubWindow(parent), app_(app), view_(new CCurveView(app, this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view_);
    setFocusProxy(view_);
    // The window system menu's own keys (Ctrl+W closes, Ctrl+F6 ...) would make Kyrel's
    // accelerators ambiguous, and Qt then runs neither; the menu keeps its entries.
    if (QMenu* menu = systemMenu()) {
        for (QAction* action : menu->actions()) action->setShortcuts({});
    }
}

CChildFrame::~CChildFrame() {
    app_.curveWindowDestroyed(this);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    QMdiSubWindow::closeEvent(event);
    // The window is gone for the user now, though Qt deletes it a little later.
    if (event->isAccepted()) app_.curveWindowDestroyed(this);
}

CurveKind CChildFrame::kind() const {
    return view_->kind();
}

void CChildFrame::setKind(CurveKind kind) {
    view_->setKind(kind);
    view_->rebuild();
    updateTitle();
}

void CChildFrame::updateTitle() {
    setWindowTitle(curveWindowTitle(kind(), app_.design().settings.currentTrack));
}

void CChildFrame::activationChanged(bool active) {
    // Switching edit windows always hides the selection band.
    updateTitle();
    app_.state().selectionVisible = 0;
    if (active) app_.state().activeKind = static_cast<std::int32_t>(kind());
    app_.refreshAll();
    app_.updateCommandStates();
}

}  // namespace kyrel
