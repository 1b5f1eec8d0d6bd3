#pragma once
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace pocora {

// Colours event-script source the way the compiler reads it: instruction heads (a lowercase letter
// with its number and ';'), labels, string literals (which may run over several lines), remarks
// and yields. A lowercase letter that no number follows, and an opcode no runner knows (`f31;`),
// are marked as the errors they are.
class ScriptHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
  public:
    explicit ScriptHighlighter(QTextDocument* document);

    QTextCharFormat instructionFormat, labelFormat, stringFormat, commentFormat, yieldFormat,
        errorFormat;

  protected:
    void highlightBlock(const QString& text) override;
};

}  // namespace pocora
