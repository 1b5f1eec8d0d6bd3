#pragma once
#include <QMainWindow>
#include <QMap>
#include <QString>
#include <optional>
#include <string>

#include "editor/EditorDialogs.h"

class QAction;
class QLabel;

namespace pocora {

class ScriptEdit;
class ScriptHighlighter;

// The editor window: one edit control and the File menu. The current path and file title are the
// document's own file: the last one opened or saved under a name, none after New. Save writes
// there, or asks for a name when there is none. Compile writes only the script: the source keeps
// its file and stays unsaved until it is saved.
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
    };

    explicit PocoraWindow(EditorDialogs& dialogs, QWidget* parent = nullptr);

    ScriptEdit* editor() const { return edit_; }
    QAction* action(Command command) const { return actions_.value(command); }
    QString currentPath() const { return currentPath_; }
    QString fileTitle() const { return fileTitle_; }
    QString statusText() const;

    // Opens `path` as the Open command does after its dialog; false when refused.
    bool loadFile(const QString& path);

  public slots:
    void newDocument();
    void openDocument();
    bool save();
    bool saveAs();
    bool compile();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenu();
    QAction* addCommand(QMenu* menu, Command command, const QString& text,
                        const QKeySequence& shortcut);
    void showFileTitle(const QString& title);
    void updateStatus();
    void useHighlightingFor(const QString& path);
    // The document's Shift-JIS bytes, or nothing after telling which character cannot be saved.
    std::optional<std::string> documentBytes();
    // Writes `bytes` as the whole file at `path`; false after reporting the failure.
    bool writeWhole(const QString& path, const std::string& bytes);
    void fail(const QString& text);
    void adopt(const QString& path);

    EditorDialogs& dialogs_;
    ScriptEdit* edit_;
    ScriptHighlighter* highlighter_;
    QLabel* positionLabel_;
    QLabel* bytesLabel_;
    QMap<int, QAction*> actions_;
    QString currentPath_;
    QString fileTitle_;
};

// The window title after a file operation: the file title in brackets.
QString windowTitleFor(const QString& fileTitle);

}  // namespace pocora
