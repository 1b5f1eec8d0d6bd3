#pragma once
#include <QPlainTextEdit>
class QCompleter;
class QStandardItemModel;
#include <cstddef>
#include <string>
#include <vector>

#include "editor/TextFile.h"

namespace pocora {

// The edit control: plain text without wrapping, holding at most kMaxTextBytes Shift-JIS bytes
// (line breaks counted as the document writes them). Typing that would pass the limit is refused
// with a beep; pasted text is cut to what fits.
class ScriptEdit : public QPlainTextEdit {
    Q_OBJECT
  public:
    static constexpr int kControlId = 100;

    explicit ScriptEdit(QWidget* parent = nullptr);

    void setLineBreaks(LineBreaks lineBreaks) { lineBreaks_ = lineBreaks; }
    LineBreaks lineBreaks() const { return lineBreaks_; }

    // The text as UTF-8 with '\n' line breaks, and its size in the file.
    std::string utf8Text() const;
    std::size_t byteCount() const;

    // Whether `text` may replace the selection without passing the limit.
    bool fits(const QString& text) const;

    // A place the compiler found fault with, underlined from its column to the end of the word.
    struct Mark {
        int line;    // from 1
        int column;  // in characters, from 1
        bool error;  // else a warning
    };
    void setMarks(std::vector<Mark> marks);
    const std::vector<Mark>& marks() const { return marks_; }
    // The selections shown: the current line first, then the marks.
    QList<QTextEdit::ExtraSelection> shownSelections() const { return extraSelections(); }

    // Moves the cursor to the start of a line (from 1); false when there is no such line.
    bool goToLine(int line);

    // Statement names offered while typing the first word of a line (Ctrl+Space, or after two
    // letters): each entry is the name and the syntax shown beside it. Empty: no completion.
    // A chosen statement is written as its syntax shows it, the arguments as placeholders: the
    // first is selected, and Tab selects the next one on the line.
    void setCompletions(const QList<QPair<QString, QString>>& entries);
    QCompleter* completer() const { return completer_; }

    // The gutter with the line numbers, painted by the edit control.
    int gutterWidth() const;
    void paintGutter(QPaintEvent* event);

  signals:
    // Ctrl+click: the cursor has moved to the click, whose definition is wanted.
    void definitionRequested();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    std::size_t bytesOf(const QString& text) const;
    void keyPressWithLimit(QKeyEvent* event);
    void refreshSelections();
    void offerCompletion(bool asked);
    void insertCompletion(const QModelIndex& index);
    QString wordBeforeCursor() const;
    // Selects the next placeholder on the line of the last completion from `from` (a position in
    // the line); false when there is none.
    bool selectPlaceholder(int from);

    LineBreaks lineBreaks_ = LineBreaks::CrLf;
    QWidget* gutter_;
    std::vector<Mark> marks_;
    QCompleter* completer_;
    QStandardItemModel* completions_;
    int placeholderLine_ = -1;  // the block of the last completion while it has placeholders
};

}  // namespace pocora
