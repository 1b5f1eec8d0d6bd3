#pragma once
#include <QPlainTextEdit>
#include <cstddef>
#include <string>

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

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    std::size_t bytesOf(const QString& text) const;

    LineBreaks lineBreaks_ = LineBreaks::CrLf;
};

}  // namespace pocora
