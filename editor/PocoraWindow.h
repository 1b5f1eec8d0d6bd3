#pragma once
#include <QMainWindow>
#include <QMap>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/language/ScriptLanguage.h"

#include "editor/EditorDialogs.h"
#include "editor/TextFile.h"

class QAction;
class QTabWidget;
class QTreeView;
class QLabel;
class QMenu;

namespace pocora {

class FindBar;
class LabelOutline;
class ReadableHighlighter;
class ScriptEdit;
class ScriptTab;

// The editor window: the open documents in tabs, the File and Edit menus. Every command acts on
// the current tab. A tab's path and file title are the document's own file: the last one opened
// or saved under a name, none after New. Save writes there, or asks for a name when there is
// none. Compile writes only the script: the source keeps its file and stays unsaved until it is
// saved. Opening a file that is open already shows its tab; New and Open add a tab, except that
// a file opened while the current tab is untitled and untouched takes that tab.
//
// A document keeps the encoding its file was read in (Shift-JIS for new documents and always for
// .qd data files, which the engine reads); the 文字コード menu changes it for the next save. The
// window's geometry and the recent files are kept in the user's settings (QSettings).
class PocoraWindow : public QMainWindow {
    Q_OBJECT
  public:
    enum Command {
        kNew = 1000,
        kOpen = 1010,
        kSave = 1020,
        kSaveAs = 1030,
        kCompile = 1031,
        kExit = 1040,
        kShiftJis = 1050,
        kUtf8 = 1051,
        kUtf8WithBom = 1052,
        kUndo = 1100,
        kRedo,
        kCut,
        kCopy,
        kPaste,
        kSelectAll,
        kFind,
        kReplace,
        kGoToLine,
        kRun,
        kCloseTab,
        kNextTab,
        kPreviousTab,
        kGoToDefinition,
    };

    explicit PocoraWindow(EditorDialogs& dialogs, QWidget* parent = nullptr);

    // The current tab and its parts.
    ScriptTab* currentTab() const;
    ScriptEdit* editor() const;
    ReadableHighlighter* readableHighlighter() const;
    FindBar* findBar() const;
    QString currentPath() const;
    QString fileTitle() const;
    TextEncoding encoding() const;
    QTabWidget* tabs() const { return tabs_; }
    QAction* action(Command command) const { return actions_.value(command); }
    QString statusText() const;
    QMenu* recentFilesMenu() const { return recentMenu_; }
    // A readable script (NAME.script): compiled as such, checked as it is typed.
    bool isReadable() const;
    // What the last check of a readable script found, and the reference of the statement under
    // the cursor.
    const std::vector<script_language::Diagnostic>& diagnostics() const;
    QString referenceText() const;
    // Checks the readable script now instead of after the pause in typing.
    void checkNow();
    // How F5 starts the game (by default `kit-game play GAME-DIR`, beside pocora); tests
    // put a recorder in its place.
    void setGameLauncher(std::function<bool(const QString& gameDir)> launcher) {
        launchGame_ = std::move(launcher);
    }

    // Opens `path` as the Open command does after its dialog, or shows its tab when it is open
    // already; false when refused.
    bool loadFile(const QString& path);
    // Shows a game's source folder beside the text (`pocora GAME-SRC-DIR`); a double click on a
    // file opens it in a tab.
    void openFolder(const QString& dir);
    QTreeView* folderView() const { return folderView_; }
    // The current script's labels, refreshed with each check.
    LabelOutline* labelOutline() const { return labelOutline_; }

    // F12, Ctrl+click: moves the cursor to the definition of the label under it, or says in the
    // status bar why there is none; false then.
    bool goToDefinition();

  public slots:
    void newDocument();
    void openDocument();
    bool save();
    bool saveAs();
    bool compile();
    // F5: saves, stops at the script's errors, then plays the game the script belongs to.
    bool run();
    void setEncoding(TextEncoding encoding);
    void openRecentFile(const QString& path);
    // Closes the tab at `index`, asking about its changes first; false when it stays. The last
    // tab closed leaves an untitled one in its place.
    bool closeTab(int index);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenu();
    void buildEditMenu();
    ScriptTab* addTab();
    // Shows the current tab's file, status, encoding, undo state and check.
    void showCurrentTab();
    void refreshUndo();
    void refreshTabTitle(ScriptTab* tab);
    // Asks to save a tab's changes before it closes; false when it must stay open.
    bool mayCloseTab(ScriptTab* tab);
    void scheduleCheck();
    // The outline of a raw script: its `@NAME//` labels as the raw compiler reads them.
    void showRawLabels();
    void showReference();
    void buildEncodingMenu();
    void refreshRecentFiles();
    void remember(const QString& path);
    void showEncoding();
    QAction* addCommand(QMenu* menu, Command command, const QString& text,
                        const QKeySequence& shortcut);
    void showFileTitle(const QString& title);
    void updateStatus();
    // The document's bytes in `encoding`, or nothing after telling which character it cannot
    // hold (for saving, or for the compiler when `forCompile`).
    std::optional<std::string> documentBytes(TextEncoding encoding, bool forCompile = false);
    // The encoding the file at `path` is written in.
    TextEncoding encodingFor(const QString& path) const;
    // Writes `bytes` as the whole file at `path`; false after reporting the failure.
    bool writeWhole(const QString& path, const std::string& bytes);
    void fail(const QString& text);
    // Whether the window speaks Japanese (the compiler's messages follow it).
    bool speaksJapanese() const;
    void adopt(const QString& path);

    EditorDialogs& dialogs_;
    QTabWidget* tabs_;
    QLabel* positionLabel_;
    QLabel* bytesLabel_;
    QLabel* encodingLabel_;
    QMenu* recentMenu_;
    QTreeView* folderView_ = nullptr;
    LabelOutline* labelOutline_;
    QLabel* referenceLabel_;
    QTimer checkTimer_;
    std::function<bool(const QString&)> launchGame_;
    QMap<int, QAction*> actions_;
};

// The window title after a file operation: the file title in brackets.
QString windowTitleFor(const QString& fileTitle);

}  // namespace pocora
