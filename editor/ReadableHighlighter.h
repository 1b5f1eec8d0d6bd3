#pragma once
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace pocora {

// Colours readable script source: statement names from the statement table, the language's
// words (if, while, var, ...), labels, texts, numbers and comments.
class ReadableHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
  public:
    explicit ReadableHighlighter(QTextDocument* document);

    QTextCharFormat statementFormat, keywordFormat, labelFormat, stringFormat, numberFormat,
        commentFormat;

  protected:
    void highlightBlock(const QString& text) override;
};

}  // namespace pocora
