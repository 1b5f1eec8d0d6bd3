#pragma once
#include <QString>
#include <QWidget>
#include <vector>

#include "editor/TextFile.h"
#include "editor/language/ScriptLanguage.h"

namespace pocora {

class FindBar;
class ReadableHighlighter;
class ScriptEdit;
class ScriptHighlighter;

// Data files (.qd) are read and written as Shift-JIS only, the engine's encoding.
bool isDataPath(const QString& path);
// Readable scripts (NAME.script) are UTF-8 files.
bool isReadableScriptPath(const QString& path);

// One open document of the editor window: its text (with its own undo history), the find bar
// under it, its colouring, and the file it belongs to. The window shows one tab at a time and
// its commands act on the current one.
class ScriptTab : public QWidget {
    Q_OBJECT
  public:
    explicit ScriptTab(QWidget* parent = nullptr);

    ScriptEdit* edit() const { return edit_; }
    FindBar* findBar() const { return findBar_; }
    ReadableHighlighter* readableHighlighter() const { return readableHighlighter_; }

    // Colours the text as the file at `path` is read (raw script, readable script or data), and
    // offers the statement names to readable scripts.
    void useHighlightingFor(const QString& path);
    bool isModified() const;
    // An untitled tab nobody has typed in, which a file being opened may take over.
    bool isBlank() const;

    // The file the text is saved to (empty until it has one), its title and the window title
    // shown while this tab is current.
    QString path;
    QString fileTitle;
    QString windowTitle;
    TextEncoding encoding = TextEncoding::ShiftJis;
    // What the last check of a readable script found.
    std::vector<script_language::Diagnostic> diagnostics;

  private:
    ScriptEdit* edit_;
    FindBar* findBar_;
    ScriptHighlighter* highlighter_;
    ReadableHighlighter* readableHighlighter_;
};

}  // namespace pocora
