#include "editor/ScriptTab.h"

#include <QVBoxLayout>

#include "editor/FindBar.h"
#include "editor/ReadableHighlighter.h"
#include "editor/ScriptEdit.h"
#include "editor/ScriptHighlighter.h"
#include "editor/language/Statements.h"

namespace pocora {
bool isDataPath(const QString& path) {
    return path.endsWith(QStringLiteral(".qd"), Qt::CaseInsensitive);
}

bool isReadableScriptPath(const QString& path) {
    return path.endsWith(QStringLiteral(".script"), Qt::CaseInsensitive);
}

ScriptTab::ScriptTab(QWidget* parent) : QWidget(parent), edit_(new ScriptEdit(this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    findBar_ = new FindBar(edit_, this);
    column->addWidget(edit_);
    column->addWidget(findBar_);
    highlighter_ = new ScriptHighlighter(edit_->document());
    readableHighlighter_ = new ReadableHighlighter(nullptr);
    readableHighlighter_->setParent(this);
    setFocusProxy(edit_);
}

void ScriptTab::useHighlightingFor(const QString& path) {
    // Data files (.qd) are not scripts: colouring them would only mislead. Readable scripts
    // have a highlighter of their own.
    QTextDocument* raw =
        isDataPath(path) || isReadableScriptPath(path) ? nullptr : edit_->document();
    QTextDocument* readable = isReadableScriptPath(path) ? edit_->document() : nullptr;
    if (highlighter_->document() != raw) highlighter_->setDocument(raw);
    // Statement names, from the table the compiler reads, for readable scripts.
    QList<QPair<QString, QString>> completions;
    if (readable)
        for (const script_language::Statement& s : script_language::statements())
            completions.append({QString::fromStdString(std::string(s.name)),
                                QString::fromStdString(std::string(s.syntax))});
    edit_->setCompletions(completions);
    if (readableHighlighter_->document() != readable) readableHighlighter_->setDocument(readable);
}

bool ScriptTab::isModified() const {
    return edit_->document()->isModified();
}

bool ScriptTab::isBlank() const {
    return path.isEmpty() && !isModified() && edit_->document()->isEmpty();
}

}  // namespace pocora
