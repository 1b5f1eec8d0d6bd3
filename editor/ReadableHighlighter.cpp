#include "editor/ReadableHighlighter.h"

#include <algorithm>
#include <string_view>

#include "editor/language/Lexer.h"
#include "editor/language/Statements.h"

namespace pocora {
namespace {

constexpr std::string_view kKeywords[] = {"const", "var",   "global",  "flag", "if",  "else",
                                          "end",   "while", "repeat",  "goto", "not", "random",
                                          "raw",   "back",  "forward", "close"};

// The UTF-16 index of a character column (from 1) of `text`.
int indexOfColumn(const QString& text, int column) {
    int index = 0;
    for (int c = 1; c < column && index < text.size(); ++c)
        index += text.at(index).isHighSurrogate() ? 2 : 1;
    return index;
}

}  // namespace

ReadableHighlighter::ReadableHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
    statementFormat.setForeground(QColor(0x00, 0x3f, 0xbf));
    statementFormat.setFontWeight(QFont::Bold);
    keywordFormat.setForeground(QColor(0x00, 0x70, 0x70));
    keywordFormat.setFontWeight(QFont::Bold);
    labelFormat.setForeground(QColor(0x8f, 0x00, 0x8f));
    labelFormat.setFontWeight(QFont::Bold);
    stringFormat.setForeground(QColor(0xa0, 0x30, 0x00));
    numberFormat.setForeground(QColor(0x60, 0x60, 0x00));
    commentFormat.setForeground(QColor(0x30, 0x80, 0x30));
    commentFormat.setFontItalic(true);
}

void ReadableHighlighter::highlightBlock(const QString& text) {
    const std::string line = text.toStdString();
    const auto lexed = script_language::lexLine(line);
    const auto& tokens = lexed.tokens;
    int end = 0;  // UTF-16 index after the last token
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const auto& token = tokens[i];
        const int start = indexOfColumn(text, token.column);
        const bool string = token.kind == script_language::Token::Kind::String;
        const int length =
            static_cast<int>(QString::fromStdString(token.text).size()) + (string ? 2 : 0);
        end = start + length;
        const bool labelHere = (i + 1 < tokens.size() && tokens[i + 1].is(":")) ||
                               (i > 0 && (tokens[i - 1].is("goto") || tokens[i - 1].is("loop") ||
                                          tokens[i - 1].is("back") || tokens[i - 1].is("forward")));
        const bool keyword = std::find(std::begin(kKeywords), std::end(kKeywords), token.text) !=
                             std::end(kKeywords);
        if (string)
            setFormat(start, length, stringFormat);
        else if (token.kind == script_language::Token::Kind::Number && !labelHere)
            setFormat(start, length, numberFormat);
        else if (labelHere && !keyword)
            setFormat(start, length, labelFormat);
        else if (keyword)
            setFormat(start, length, keywordFormat);
        else if (token.kind == script_language::Token::Kind::Word &&
                 (script_language::findStatement(token.text) ||
                  (i + 1 < tokens.size() &&
                   script_language::findStatement(token.text + " " + tokens[i + 1].text))))
            setFormat(start, length, statementFormat);
    }
    const int comment = static_cast<int>(text.indexOf(QStringLiteral("//"), end));
    if (comment >= 0 && !lexed.unterminatedString)
        setFormat(comment, static_cast<int>(text.size()) - comment, commentFormat);
}

}  // namespace pocora
