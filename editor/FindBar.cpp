#include "editor/FindBar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>

#include "editor/ScriptEdit.h"

namespace pocora {

FindBar::FindBar(ScriptEdit* edit, QWidget* parent)
    : QWidget(parent),
      edit_(edit),
      label_(new QLabel(this)),
      find_(new QLineEdit(this)),
      replace_(new QLineEdit(this)),
      matchCase_(new QCheckBox(tr("大文字と小文字を区別"), this)),
      wholeWord_(new QCheckBox(tr("単語単位"), this)),
      replaceButton_(new QPushButton(tr("置換"), this)),
      replaceAllButton_(new QPushButton(tr("すべて置換"), this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    replace_->setPlaceholderText(tr("置換後の文字列"));
    for (QWidget* w : std::initializer_list<QWidget*>{
             label_, find_, replace_, matchCase_, wholeWord_, replaceButton_, replaceAllButton_})
        layout->addWidget(w);
    connect(find_, &QLineEdit::returnPressed, this, &FindBar::enter);
    connect(replace_, &QLineEdit::returnPressed, this, &FindBar::replaceOne);
    connect(replaceButton_, &QPushButton::clicked, this, &FindBar::replaceOne);
    connect(replaceAllButton_, &QPushButton::clicked, this, &FindBar::replaceAll);
    hide();
}

void FindBar::showFind() {
    show(Mode::Find);
}
void FindBar::showReplace() {
    show(Mode::Replace);
}
void FindBar::showGoTo() {
    show(Mode::GoTo);
}

void FindBar::show(Mode mode) {
    mode_ = mode;
    label_->setText(mode == Mode::GoTo ? tr("行へ移動") : tr("検索"));
    const bool replacing = mode == Mode::Replace;
    for (QWidget* w : std::initializer_list<QWidget*>{replace_, replaceButton_, replaceAllButton_})
        w->setVisible(replacing);
    matchCase_->setVisible(mode != Mode::GoTo);
    wholeWord_->setVisible(mode != Mode::GoTo);
    if (mode != Mode::GoTo && edit_->textCursor().hasSelection())
        find_->setText(edit_->textCursor().selectedText());
    if (mode == Mode::GoTo) find_->clear();
    QWidget::show();
    find_->setFocus();
    find_->selectAll();
}

void FindBar::enter() {
    if (mode_ != Mode::GoTo) {
        findNext();
        return;
    }
    bool number = false;
    const int line = find_->text().trimmed().toInt(&number);
    if (number && edit_->goToLine(line)) {
        hide();
        edit_->setFocus();
    }
}

bool FindBar::findNext() {
    const QString wanted = find_->text();
    if (wanted.isEmpty()) return false;
    QTextDocument::FindFlags flags;
    if (matchCase_->isChecked()) flags |= QTextDocument::FindCaseSensitively;
    if (wholeWord_->isChecked()) flags |= QTextDocument::FindWholeWords;
    QTextCursor found = edit_->document()->find(wanted, edit_->textCursor(), flags);
    if (found.isNull()) found = edit_->document()->find(wanted, 0, flags);
    if (found.isNull()) return false;
    edit_->setTextCursor(found);
    return true;
}

bool FindBar::selectionMatches() const {
    const QString selected = edit_->textCursor().selectedText();
    return !selected.isEmpty() &&
           selected.compare(find_->text(),
                            matchCase_->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0;
}

bool FindBar::replaceOne() {
    if (selectionMatches() && edit_->fits(replace_->text()))
        edit_->textCursor().insertText(replace_->text());
    return findNext();
}

int FindBar::replaceAll() {
    QTextCursor start(edit_->document());
    edit_->setTextCursor(start);
    QTextCursor group = edit_->textCursor();
    group.beginEditBlock();
    int count = 0;
    while (findNext() && edit_->textCursor().position() >= group.position() && count < 100000) {
        if (!edit_->fits(replace_->text())) break;
        QTextCursor match = edit_->textCursor();
        match.insertText(replace_->text());
        edit_->setTextCursor(match);
        group.setPosition(match.position());
        ++count;
    }
    group.endEditBlock();
    return count;
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        edit_->setFocus();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace pocora
