#pragma once
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

namespace kyrel {

class AutoPlay;
class CChildFrame;
class CKyrelApp;
class LoopPlay;
class PresetMenu;

// The main window: the MDI area for the curve windows, the main and track toolbars, the status
// bar, and the two menus (a short one while no edit window is open, the full one otherwise).
// Every command is a QAction found by its id; enabling and check marks come from
// CKyrelApp::updateCommandStates, which a timer runs as often as the state can change by itself
// (the end of a playback).
class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    explicit CMainFrame(CKyrelApp& app);
    ~CMainFrame() override;

    QMdiArea& mdiArea() { return *mdiArea_; }
    QAction* action(int commandId) const { return actions_.value(commandId); }
    QToolBar* mainToolBar() const { return mainToolBar_; }
    QToolBar* trackToolBar() const { return trackToolBar_; }
    // The status bar's message pane.
    QString statusText() const;
    void setStatusText(const QString& text);
    // The status bar's readout of the curve point under the mouse (empty: none).
    QString readoutText() const;
    void setReadoutText(const QString& text);

    // Arranges the curve windows one above another, each as wide as the area.
    void tileHorizontally();
    // Puts the menu that fits the open edit windows in place.
    void updateMenuBar();
    // True while the short menu (no edit window open) is in place.
    bool showsShortMenu() const { return shortMenuShown_; }
    // The window menu ("ウィンドウ"), which ends with the list of open edit windows.
    QMenu* windowMenu() const { return windowMenu_; }
    // The preset menu, in both menus, and the auto-play item of the view menu.
    PresetMenu& presetMenu() const { return *presetMenu_; }
    AutoPlay& autoPlay() const { return *autoPlay_; }
    LoopPlay& loopPlay() const { return *loopPlay_; }
    // The recent projects, in both File menus (filled each time it opens).
    QMenu* recentFilesMenu() const { return recentMenu_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QAction* addCommand(int id, const QString& text, const QString& tip,
                        const QList<QKeySequence>& keys = {}, bool checkable = false);
    void createActions();
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void arrangeIcons();
    // Every command's handler by its id, in four groups; dispatch runs the one of a command.
    void addFileHandlers();
    void addEditHandlers();
    void addSoundHandlers();
    void addWindowHandlers();
    void dispatch(int commandId);
    void subWindowActivated(QMdiSubWindow* window);
    void listWindows(QMenu& menu);
    void listRecentFiles();

    CKyrelApp& app_;
    QMdiArea* mdiArea_;
    QHash<int, QAction*> actions_;
    QHash<int, std::function<void()>> handlers_;
    QList<QMenu*> fullMenus_;
    QList<QMenu*> shortMenus_;
    QMenu* windowMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    bool shortMenuShown_ = false;
    bool menuInitialised_ = false;
    QToolBar* mainToolBar_ = nullptr;
    QToolBar* trackToolBar_ = nullptr;
    QLabel* messagePane_ = nullptr;
    QLabel* readoutPane_ = nullptr;
    QTimer* updateTimer_ = nullptr;
    QList<QAction*> windowEntries_;       // the window list at the end of the window menu
    QPointer<CChildFrame> currentFrame_;  // the edit window last activated
    AutoPlay* autoPlay_ = nullptr;
    LoopPlay* loopPlay_ = nullptr;
    PresetMenu* presetMenu_ = nullptr;
};

}  // namespace kyrel
