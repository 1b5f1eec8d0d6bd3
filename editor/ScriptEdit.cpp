#include "editor/ScriptEdit.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

namespace pocora {
namespace {

// Text as the document stores it: every kind of line break becomes '\n'.
QString normalized(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    text.replace(QChar::ParagraphSeparator, QChar('\n'));
    text.replace(QChar::LineSeparator, QChar('\n'));
    return text;
}

}  // namespace

ScriptEdit::ScriptEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("edit"));
    setProperty("controlId", kControlId);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::TypeWriter);
    setFont(font);
}

std::string ScriptEdit::utf8Text() const {
    return toPlainText().toStdString();
}

std::size_t ScriptEdit::byteCount() const {
    return sjisByteCount(utf8Text(), lineBreaks_);
}

std::size_t ScriptEdit::bytesOf(const QString& text) const {
    return sjisByteCount(normalized(text).toStdString(), lineBreaks_);
}

bool ScriptEdit::fits(const QString& text) const {
    const std::size_t selected = bytesOf(textCursor().selectedText());
    return byteCount() - selected + bytesOf(text) <= kMaxTextBytes;
}

void ScriptEdit::keyPressEvent(QKeyEvent* event) {
    QString typed = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        typed = QStringLiteral("\n");
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    const bool insertsText =
        !command && !typed.isEmpty() &&
        (typed.at(0).isPrint() || typed.at(0) == QChar('\n') || typed.at(0) == QChar('\t'));
    if (insertsText && !fits(typed)) {
        QApplication::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ScriptEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty() && !fits(event->commitString())) {
        QApplication::beep();
        QInputMethodEvent trimmed(event->preeditString(), event->attributes());
        QPlainTextEdit::inputMethodEvent(&trimmed);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void ScriptEdit::insertFromMimeData(const QMimeData* source) {
    if (!source->hasText()) return;
    const QString text = normalized(source->text());
    const std::size_t used = byteCount() - bytesOf(textCursor().selectedText());
    const std::size_t room = used < kMaxTextBytes ? kMaxTextBytes - used : 0;
    // Whole characters only, as many as fit.
    qsizetype keep = 0;
    std::size_t bytes = 0;
    while (keep < text.size()) {
        const qsizetype step = text.at(keep).isHighSurrogate() && keep + 1 < text.size() ? 2 : 1;
        const std::size_t size = bytesOf(text.mid(keep, step));
        if (bytes + size > room) break;
        bytes += size;
        keep += step;
    }
    if (keep < text.size()) QApplication::beep();
    if (keep > 0) textCursor().insertText(text.left(keep));
}

}  // namespace pocora
