#include "editor/ScriptHighlighter.h"

namespace pocora {
namespace {

constexpr int kInsideString = 1;

bool isLowercase(QChar c) {
    return c >= QChar('a') && c <= QChar('z');
}
bool isDigit(QChar c) {
    return c >= QChar('0') && c <= QChar('9');
}
bool isLabelCharacter(QChar c) {
    return (c >= QChar('A') && c <= QChar('Z')) || isDigit(c) || c == QChar('_');
}

// The opcodes the engine's runners know, by class (f26-f30 are the game state's, f31-f34 the
// items', the shop's and the party's); a class the compiler warns about is left alone.
bool isUnknownOpcode(QChar letter, long opcode) {
    static constexpr struct {
        char letter;
        long first, last;
    } kKnown[] = {{'c', -4, 5}, {'e', 0, 2}, {'f', 0, 34}, {'a', 0, 5}, {'w', 0, 12}};
    for (const auto& known : kKnown)
        if (letter == QChar(known.letter)) return opcode < known.first || opcode > known.last;
    return false;
}

}  // namespace

ScriptHighlighter::ScriptHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
    instructionFormat.setForeground(QColor(0x00, 0x3f, 0xbf));
    instructionFormat.setFontWeight(QFont::Bold);
    labelFormat.setForeground(QColor(0x8f, 0x00, 0x8f));
    labelFormat.setFontWeight(QFont::Bold);
    stringFormat.setForeground(QColor(0xa0, 0x30, 0x00));
    commentFormat.setForeground(QColor(0x30, 0x80, 0x30));
    commentFormat.setFontItalic(true);
    yieldFormat.setForeground(QColor(0xd0, 0x60, 0x00));
    yieldFormat.setFontWeight(QFont::Bold);
    errorFormat.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    errorFormat.setUnderlineColor(Qt::red);
    errorFormat.setForeground(Qt::red);
}

void ScriptHighlighter::highlightBlock(const QString& text) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    setCurrentBlockState(0);
    if (previousBlockState() == kInsideString) {
        const qsizetype close = text.indexOf(QStringLiteral("//"));
        if (close < 0) {
            setFormat(0, static_cast<int>(n), stringFormat);
            setCurrentBlockState(kInsideString);
            return;
        }
        setFormat(0, static_cast<int>(close + 2), stringFormat);
        i = close + 2;
    }
    while (i < n) {
        const QChar c = text.at(i);
        if (isLowercase(c)) {
            qsizetype j = i + 1;
            while (j < n && (text.at(j) == QChar(' ') || text.at(j) == QChar('\t'))) ++j;
            if (j < n && (text.at(j) == QChar('+') || text.at(j) == QChar('-'))) ++j;
            const qsizetype digits = j;
            while (j < n && isDigit(text.at(j))) ++j;
            if (j == digits) {
                setFormat(static_cast<int>(i), 1, errorFormat);
                i += 1;
                continue;
            }
            const long opcode =
                text.mid(i + 1, j - i - 1).remove(QChar(' ')).remove(QChar('\t')).toLong();
            if (j < n) ++j;  // the ';'
            setFormat(static_cast<int>(i), static_cast<int>(j - i),
                      isUnknownOpcode(c, opcode) ? errorFormat : instructionFormat);
            i = j;
        } else if (c == QChar('$')) {
            const qsizetype close = text.indexOf(QStringLiteral("//"), i + 1);
            if (close < 0) {
                setFormat(static_cast<int>(i), static_cast<int>(n - i), stringFormat);
                setCurrentBlockState(kInsideString);
                return;
            }
            setFormat(static_cast<int>(i), static_cast<int>(close + 2 - i), stringFormat);
            i = close + 2;
        } else if (c == QChar('*')) {
            setFormat(static_cast<int>(i), static_cast<int>(n - i), commentFormat);
            return;
        } else if (c == QChar('@')) {
            qsizetype j = i + 1;
            while (j < n && isLabelCharacter(text.at(j))) ++j;
            if (text.mid(j, 2) == QStringLiteral("//")) {
                setFormat(static_cast<int>(i), static_cast<int>(j + 2 - i), labelFormat);
                i = j + 2;
            } else {
                i += 1;
            }
        } else if (c == QChar('#')) {
            setFormat(static_cast<int>(i), 1, yieldFormat);
            i += 1;
        } else {
            i += 1;
        }
    }
}

}  // namespace pocora
