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
class QTreeView;
class QLabel;
class QMenu;

namespace pocora {

class FindBar;
class ReadableHighlighter;
class ScriptEdit;
class ScriptHighlighter;

// The editor window: one edit control and the File menu. The current path and file title are the
// document's own file: the last one opened or saved under a name, none after New. Save writes
// there, or asks for a name when there is none. Compile writes only the script: the source keeps
// its file and stays unsaved until it is saved.
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
    };

    explicit PocoraWindow(EditorDialogs& dialogs, QWidget* parent = nullptr);

    ScriptEdit* editor() const { return edit_; }
    ReadableHighlighter* readableHighlighter() const { return readableHighlighter_; }
    QAction* action(Command command) const { return actions_.value(command); }
    QString currentPath() const { return currentPath_; }
    QString fileTitle() const { return fileTitle_; }
    QString statusText() const;
    TextEncoding encoding() const { return encoding_; }
    QMenu* recentFilesMenu() const { return recentMenu_; }
    FindBar* findBar() const { return findBar_; }
    // A readable script (NAME.script): compiled as such, checked as it is typed.
    bool isReadable() const;
    // What the last check of a readable script found, and the reference of the statement under
    // the cursor.
    const std::vector<script_language::Diagnostic>& diagnostics() const { return diagnostics_; }
    QString referenceText() const;
    // Checks the readable script now instead of after the pause in typing.
    void checkNow();
    // How F5 starts the game (by default `kit-game play GAME-DIR`, beside pocora); tests
    // put a recorder in its place.
    void setGameLauncher(std::function<bool(const QString& gameDir)> launcher) {
        launchGame_ = std::move(launcher);
    }

    // Opens `path` as the Open command does after its dialog; false when refused.
    bool loadFile(const QString& path);
    // Shows a game's source folder beside the text (`pocora GAME-SRC-DIR`); a double click on a
    // file opens it.
    void openFolder(const QString& dir);
    QTreeView* folderView() const { return folderView_; }

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

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenu();
    void buildEditMenu();
    void scheduleCheck();
    void showReference();
    void buildEncodingMenu();
    void refreshRecentFiles();
    void remember(const QString& path);
    void showEncoding();
    // Asks to save changes before another file replaces the text; false when that save failed.
    bool mayReplaceText();
    QAction* addCommand(QMenu* menu, Command command, const QString& text,
                        const QKeySequence& shortcut);
    void showFileTitle(const QString& title);
    void updateStatus();
    void useHighlightingFor(const QString& path);
    // The document's bytes in `encoding`, or nothing after telling which character it cannot
    // hold (for saving, or for the compiler when `forCompile`).
    std::optional<std::string> documentBytes(TextEncoding encoding, bool forCompile = false);
    // The encoding the file at `path` is written in.
    TextEncoding encodingFor(const QString& path) const;
    // Writes `bytes` as the whole file at `path`; false after reporting the failure.
    bool writeWhole(const QString& path, const std::string& bytes);
    void fail(const QString& text);
    void adopt(const QString& path);

    EditorDialogs& dialogs_;
    ScriptEdit* edit_;
    ScriptHighlighter* highlighter_;
    ReadableHighlighter* readableHighlighter_;
    QLabel* positionLabel_;
    QLabel* bytesLabel_;
    QLabel* encodingLabel_;
    QMenu* recentMenu_;
    FindBar* findBar_;
    QTreeView* folderView_ = nullptr;
    QLabel* referenceLabel_;
    QTimer checkTimer_;
    std::vector<script_language::Diagnostic> diagnostics_;
    std::function<bool(const QString&)> launchGame_;
    QMap<int, QAction*> actions_;
    QString currentPath_;
    QString fileTitle_;
    TextEncoding encoding_ = TextEncoding::ShiftJis;
};

// The window title after a file operation: the file title in brackets.
QString windowTitleFor(const QString& fileTitle);

}  // namespace pocora
