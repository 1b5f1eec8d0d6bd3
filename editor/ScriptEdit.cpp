#include "editor/ScriptEdit.h"

#include <QMouseEvent>

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTextBlock>
#include <QTextCursor>

namespace pocora {
namespace {

// An argument of a completed statement still to be written: a word in capitals (ACTOR, NAME)
// or a choice of words (set|add|mul|div).
const QRegularExpression& placeholderPattern() {
    static const QRegularExpression pattern(
        QStringLiteral("\\b([A-Z][A-Z0-9_]*|[a-z_]+(\\|[a-z_]+)+)\\b"));
    return pattern;
}

// Text as the document stores it: every kind of line break becomes '\n'.
QString normalized(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    text.replace(QChar::ParagraphSeparator, QChar('\n'));
    text.replace(QChar::LineSeparator, QChar('\n'));
    return text;
}

// The strip left of the text where the line numbers are drawn.
class Gutter : public QWidget {
  public:
    explicit Gutter(ScriptEdit* edit) : QWidget(edit), edit_(edit) {}
    QSize sizeHint() const override { return QSize(edit_->gutterWidth(), 0); }

  protected:
    void paintEvent(QPaintEvent* event) override { edit_->paintGutter(event); }

  private:
    ScriptEdit* edit_;
};

}  // namespace

ScriptEdit::ScriptEdit(QWidget* parent)
    : QPlainTextEdit(parent),
      gutter_(new Gutter(this)),
      completer_(new QCompleter(this)),
      completions_(new QStandardItemModel(this)) {
    completer_->setModel(completions_);
    completer_->setWidget(this);
    completer_->setCompletionMode(QCompleter::PopupCompletion);
    completer_->setCaseSensitivity(Qt::CaseInsensitive);
    completer_->setCompletionRole(Qt::UserRole);
    connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            &ScriptEdit::insertCompletion);
    setObjectName(QStringLiteral("edit"));
    setProperty("controlId", kControlId);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::TypeWriter);
    setFont(font);
    connect(this, &QPlainTextEdit::blockCountChanged, this,
            [this] { setViewportMargins(gutterWidth(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy != 0)
            gutter_->scroll(0, dy);
        else
            gutter_->update(0, rect.y(), gutter_->width(), rect.height());
    });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &ScriptEdit::refreshSelections);
    setViewportMargins(gutterWidth(), 0, 0, 0);
    refreshSelections();
}

int ScriptEdit::gutterWidth() const {
    const int digits = QString::number(std::max(1, blockCount())).size();
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(3, digits);
}

void ScriptEdit::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    gutter_->setGeometry(QRect(area.left(), area.top(), gutterWidth(), area.height()));
}

void ScriptEdit::paintGutter(QPaintEvent* event) {
    QPainter painter(gutter_);
    painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    const int current = textCursor().blockNumber();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
        if (box.top() > event->rect().bottom()) break;
        if (!block.isVisible() || box.bottom() < event->rect().top()) continue;
        QFont font = painter.font();
        font.setBold(block.blockNumber() == current);
        painter.setFont(font);
        painter.setPen(palette().color(block.blockNumber() == current ? QPalette::Text
                                                                      : QPalette::PlaceholderText));
        painter.drawText(QRectF(0, box.top(), gutter_->width() - 4, box.height()),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(block.blockNumber() + 1));
    }
}

void ScriptEdit::setMarks(std::vector<Mark> marks) {
    marks_ = std::move(marks);
    refreshSelections();
}

bool ScriptEdit::goToLine(int line) {
    const QTextBlock block = document()->findBlockByNumber(line - 1);
    if (line < 1 || !block.isValid()) return false;
    setTextCursor(QTextCursor(block));
    centerCursor();
    return true;
}

void ScriptEdit::refreshSelections() {
    QList<QTextEdit::ExtraSelection> selections;
    QTextEdit::ExtraSelection current;
    current.format.setBackground(palette().color(QPalette::AlternateBase));
    current.format.setProperty(QTextFormat::FullWidthSelection, true);
    current.cursor = textCursor();
    current.cursor.clearSelection();
    selections.append(current);
    for (const Mark& mark : marks_) {
        const QTextBlock block = document()->findBlockByNumber(mark.line - 1);
        if (!block.isValid()) continue;
        const QString text = block.text();
        // Columns count characters; the block counts UTF-16 units.
        int start = 0;
        for (int column = 1; column < mark.column && start < text.size(); ++column)
            start += text.at(start).isHighSurrogate() ? 2 : 1;
        int end = start;
        while (end < text.size() && !text.at(end).isSpace()) ++end;
        if (end == start) end = std::min<int>(start + 1, text.size());
        QTextEdit::ExtraSelection underline;
        underline.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        underline.format.setUnderlineColor(mark.error ? Qt::red : QColor(0xD0, 0x90, 0x00));
        underline.cursor = QTextCursor(block);
        underline.cursor.setPosition(block.position() + start);
        underline.cursor.setPosition(block.position() + end, QTextCursor::KeepAnchor);
        selections.append(underline);
    }
    setExtraSelections(selections);
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

void ScriptEdit::setCompletions(const QList<QPair<QString, QString>>& entries) {
    completions_->clear();
    for (const auto& [name, syntax] : entries) {
        auto* item = new QStandardItem(syntax);
        item->setData(name, Qt::UserRole);
        completions_->appendRow(item);
    }
}

QString ScriptEdit::wordBeforeCursor() const {
    const QTextCursor cursor = textCursor();
    const QString line = cursor.block().text().left(cursor.positionInBlock());
    qsizetype start = line.size();
    while (start > 0 && (line.at(start - 1).isLetterOrNumber() || line.at(start - 1) == QChar('_')))
        --start;
    // Only the statement, the first word of the line, is completed.
    if (!line.left(start).trimmed().isEmpty()) return {};
    return line.mid(start);
}

void ScriptEdit::offerCompletion(bool asked) {
    const QString word = wordBeforeCursor();
    if (completions_->rowCount() == 0 || (!asked && word.size() < 2)) {
        completer_->popup()->hide();
        return;
    }
    completer_->setCompletionPrefix(word);
    if (completer_->completionCount() == 0) {
        completer_->popup()->hide();
        return;
    }
    completer_->popup()->setCurrentIndex(completer_->completionModel()->index(0, 0));
    QRect place = cursorRect();
    place.setWidth(completer_->popup()->sizeHintForColumn(0) + 24);
    completer_->complete(place);
}

void ScriptEdit::insertCompletion(const QModelIndex& index) {
    const QString name = index.data(Qt::UserRole).toString();
    // The first way of writing the statement, without its optional parts and remarks.
    QString written = index.data(Qt::DisplayRole).toString().section(QStringLiteral("  "), 0, 0);
    written.remove(QRegularExpression(QStringLiteral(" *\\[[^\\]]*\\]")));
    if (!written.startsWith(name) || !placeholderPattern().match(written).hasMatch())
        written = name + QLatin1Char(' ');
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor,
                        static_cast<int>(wordBeforeCursor().size()));
    const int start = cursor.positionInBlock();
    if (!fits(written)) return;
    cursor.insertText(written);
    setTextCursor(cursor);
    placeholderLine_ = cursor.blockNumber();
    if (!selectPlaceholder(start + static_cast<int>(name.size()))) placeholderLine_ = -1;
}

bool ScriptEdit::selectPlaceholder(int from) {
    QTextCursor cursor = textCursor();
    if (cursor.blockNumber() != placeholderLine_) return false;
    const QRegularExpressionMatch found = placeholderPattern().match(cursor.block().text(), from);
    if (!found.hasMatch()) return false;
    const int lineStart = cursor.block().position();
    cursor.setPosition(lineStart + static_cast<int>(found.capturedStart()));
    cursor.setPosition(lineStart + static_cast<int>(found.capturedEnd()), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    return true;
}

void ScriptEdit::keyPressEvent(QKeyEvent* event) {
    if (completer_->popup()->isVisible()) {
        // The list takes the keys that choose from it.
        switch (event->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Tab:
                insertCompletion(completer_->popup()->currentIndex());
                completer_->popup()->hide();
                return;
            case Qt::Key_Escape:
                completer_->popup()->hide();
                return;
            default:
                break;
        }
    }
    if (placeholderLine_ >= 0 && event->key() == Qt::Key_Tab &&
        selectPlaceholder(textCursor().selectionEnd() - textCursor().block().position()))
        return;
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape)
        placeholderLine_ = -1;
    if (event->key() == Qt::Key_Space && (event->modifiers() & Qt::ControlModifier)) {
        offerCompletion(true);
        return;
    }
    keyPressWithLimit(event);
    const QString typed = event->text();
    if (!typed.isEmpty() && (typed.at(0).isLetterOrNumber() || typed.at(0) == QChar('_')))
        offerCompletion(false);
    else if (completer_->popup()->isVisible())
        completer_->popup()->hide();
}

void ScriptEdit::keyPressWithLimit(QKeyEvent* event) {
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

void ScriptEdit::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier) &&
        !textCursor().hasSelection())
        emit definitionRequested();
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
