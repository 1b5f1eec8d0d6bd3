#include "editor/PocoraWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <filesystem>

#include "common/AtomicFile.h"
#include "editor/ScriptCompiler.h"
#include "editor/ScriptEdit.h"
#include "editor/ScriptHighlighter.h"
#include "editor/TextFile.h"

namespace pocora {
namespace {

const QString kAppTitle = QStringLiteral("ポコラエジタ");
const QString kUntitled = QStringLiteral("無題");
const QString kCaution = QStringLiteral("注意");
const QString kCautionBang = QStringLiteral("注意！");
const QString kErrorCaption = QStringLiteral("Error");
const QString kChangedQuestion = QStringLiteral("文書が変更されています。保存しますか？");
const QString kUpdatedQuestion = QStringLiteral("文書が更新されています。保存しますか？");
const QString kSaveTitle = QStringLiteral("名前を付けて保存する！");
const QString kAllFiles = QStringLiteral("All files(*.*)");

std::filesystem::path toPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString programDirectory() {
    return QCoreApplication::applicationDirPath();
}

}  // namespace

QString windowTitleFor(const QString& fileTitle) {
    return kAppTitle + QLatin1Char('[') + fileTitle + QLatin1Char(']');
}

PocoraWindow::PocoraWindow(EditorDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), fileTitle_(kUntitled) {
    setObjectName(QStringLiteral("memo02"));
    setWindowTitle(kAppTitle);
    edit_ = new ScriptEdit(this);
    setCentralWidget(edit_);
    highlighter_ = new ScriptHighlighter(edit_->document());
    buildMenu();

    positionLabel_ = new QLabel(this);
    bytesLabel_ = new QLabel(this);
    statusBar()->addPermanentWidget(positionLabel_);
    statusBar()->addPermanentWidget(bytesLabel_);
    connect(edit_, &QPlainTextEdit::cursorPositionChanged, this, &PocoraWindow::updateStatus);
    connect(edit_, &QPlainTextEdit::textChanged, this, &PocoraWindow::updateStatus);
    updateStatus();
    resize(720, 540);
}

void PocoraWindow::buildMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    addCommand(file, kNew, QStringLiteral("新規作成(&N)"), QKeySequence::New);
    addCommand(file, kOpen, QStringLiteral("開く(&O)"), QKeySequence::Open);
    addCommand(file, kSave, QStringLiteral("上書き保存(&S)"), QKeySequence::Save);
    addCommand(file, kSaveAs, QStringLiteral("名前を付けて保存(&A)"),
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    addCommand(file, kCompile, QStringLiteral("コンパイル(&C)"), QKeySequence(Qt::Key_F7));
    file->addSeparator();
    addCommand(file, kExit, QStringLiteral("終了(&X)"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    connect(action(kNew), &QAction::triggered, this, &PocoraWindow::newDocument);
    connect(action(kOpen), &QAction::triggered, this, &PocoraWindow::openDocument);
    connect(action(kSave), &QAction::triggered, this, &PocoraWindow::save);
    connect(action(kSaveAs), &QAction::triggered, this, &PocoraWindow::saveAs);
    connect(action(kCompile), &QAction::triggered, this, &PocoraWindow::compile);
    connect(action(kExit), &QAction::triggered, this, &QWidget::close);
}

QAction* PocoraWindow::addCommand(QMenu* menu, Command command, const QString& text,
                                  const QKeySequence& shortcut) {
    QAction* act = menu->addAction(text);
    act->setData(static_cast<int>(command));
    act->setShortcut(shortcut);
    actions_.insert(command, act);
    return act;
}

void PocoraWindow::showFileTitle(const QString& title) {
    setWindowTitle(windowTitleFor(title));
}

QString PocoraWindow::statusText() const {
    return positionLabel_->text() + QLatin1Char(' ') + bytesLabel_->text();
}

void PocoraWindow::updateStatus() {
    const QTextCursor cursor = edit_->textCursor();
    positionLabel_->setText(
        QStringLiteral("%1:%2").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1));
    bytesLabel_->setText(
        QStringLiteral("%1 / %2 バイト").arg(edit_->byteCount()).arg(kMaxTextBytes));
}

void PocoraWindow::useHighlightingFor(const QString& path) {
    // Data files (.qd) are not scripts: colouring them would only mislead.
    const bool script = !path.endsWith(QStringLiteral(".qd"), Qt::CaseInsensitive);
    if (script == (highlighter_->document() != nullptr)) return;
    highlighter_->setDocument(script ? edit_->document() : nullptr);
}

void PocoraWindow::fail(const QString& text) {
    dialogs_.showMessage(kErrorCaption, text, MessageIcon::Warning);
}

void PocoraWindow::adopt(const QString& path) {
    currentPath_ = path;
    fileTitle_ = QFileInfo(path).fileName();
    showFileTitle(fileTitle_);
}

std::optional<std::string> PocoraWindow::documentBytes() {
    EncodedText encoded = encodeText(edit_->utf8Text(), edit_->lineBreaks());
    if (encoded.sjis) return encoded.sjis;
    const QString character = QString::fromStdString(encoded.badCharacter);
    const char32_t code = character.isEmpty() ? 0 : character.toUcs4().value(0);
    const QString hex =
        QString::number(static_cast<uint>(code), 16).toUpper().rightJustified(4, '0');
    fail(QStringLiteral("%1行 %2列の文字「%3」(U+%4) は Shift-JIS で保存できません。")
             .arg(encoded.badLine)
             .arg(encoded.badColumn)
             .arg(character, hex));
    return std::nullopt;
}

bool PocoraWindow::writeWhole(const QString& path, const std::string& bytes) {
    const std::string why = kit::writeFileAtomically(toPath(path), bytes);
    if (why.empty()) return true;
    fail(QStringLiteral("Error CloseHandle\n\n%1\n%2").arg(path, QString::fromStdString(why)));
    return false;
}

void PocoraWindow::newDocument() {
    if (edit_->document()->isModified() && dialogs_.askYesNo(kCaution, kUpdatedQuestion)) {
        if (!saveAs()) return;
    }
    // The new text has no file yet: saving it must not replace the file that was open.
    currentPath_.clear();
    fileTitle_ = kUntitled;
    showFileTitle(kUntitled);
    useHighlightingFor(QString());
    edit_->clear();
    edit_->setLineBreaks(LineBreaks::CrLf);
    edit_->document()->setModified(false);
}

void PocoraWindow::openDocument() {
    if (edit_->document()->isModified() && dialogs_.askOkCancel(kCautionBang, kChangedQuestion)) {
        if (!saveAs()) return;
    }
    FileDialogRequest request;
    request.title = QStringLiteral("ファイルオープン！");
    request.filters = {QStringLiteral("qd text(*.qd)"), kAllFiles};
    request.defaultSuffix = QStringLiteral("qd");
    request.directory = programDirectory();
    request.mustExist = true;
    const QString path = dialogs_.openFileName(request);
    if (path.isEmpty()) return;
    loadFile(path);
}

bool PocoraWindow::loadFile(const QString& path) {
    OpenedText opened = readTextFile(toPath(path));
    switch (opened.status) {
        case OpenedText::Status::TooBig:
            dialogs_.showMessage(QStringLiteral("Too Big File!"),
                                 QStringLiteral("ファイルサイズが大きすぎます"), MessageIcon::None);
            return false;
        case OpenedText::Status::NotShiftJis:
            fail(QStringLiteral(
                     "Shift-JIS のテキストとして読めないバイトがあります（%1 バイト目）。\n\n%2")
                     .arg(opened.badOffset + 1)
                     .arg(path));
            return false;
        case OpenedText::Status::CannotRead:
            fail(QStringLiteral("ファイルを読み込めません。\n\n%1").arg(path));
            return false;
        case OpenedText::Status::Ok:
            break;
    }
    useHighlightingFor(path);
    edit_->setLineBreaks(opened.lineBreaks);
    edit_->setPlainText(QString::fromStdString(opened.utf8));
    edit_->document()->setModified(false);
    adopt(path);
    return true;
}

bool PocoraWindow::save() {
    if (currentPath_.isEmpty()) return saveAs();
    std::optional<std::string> bytes = documentBytes();
    if (!bytes) return false;
    bytes->push_back('\0');
    if (!writeWhole(currentPath_, *bytes)) return false;
    edit_->document()->setModified(false);
    return true;
}

bool PocoraWindow::saveAs() {
    std::optional<std::string> bytes = documentBytes();
    if (!bytes) return false;
    bytes->push_back('\0');
    FileDialogRequest request;
    request.title = kSaveTitle;
    request.filters = {QStringLiteral("text(*.txt)"), kAllFiles};
    request.defaultSuffix = QStringLiteral("txt");
    request.directory = programDirectory();
    request.confirmOverwrite = true;
    const QString path = dialogs_.saveFileName(request);
    if (path.isEmpty()) return false;
    if (!writeWhole(path, *bytes)) return false;
    adopt(path);
    useHighlightingFor(path);
    edit_->document()->setModified(false);
    return true;
}

bool PocoraWindow::compile() {
    std::optional<std::string> source = documentBytes();
    if (!source) return false;
    ScriptCompileResult result = ScriptCompiler::compile(*source);
    if (!result.ok()) {
        fail(QString::fromStdString(describeCompileErrorJapanese(*result.error)));
        return false;
    }
    FileDialogRequest request;
    request.title = kSaveTitle;
    request.filters = {QStringLiteral("qd script(*.sc)"), kAllFiles};
    request.defaultSuffix = QStringLiteral("sc");
    request.confirmOverwrite = true;
    const QString path = dialogs_.saveFileName(request);
    if (path.isEmpty()) return false;
    if (!writeWhole(path, result.bytes)) return false;
    // The source itself is not saved: it keeps its own file and its unsaved changes, so neither
    // Save nor closing the window can lose it or write it over the script.
    statusBar()->showMessage(
        QStringLiteral("%1 にコンパイルしました").arg(QFileInfo(path).fileName()));
    return true;
}

void PocoraWindow::closeEvent(QCloseEvent* event) {
    if (edit_->document()->isModified() && dialogs_.askYesNo(kCaution, kChangedQuestion)) {
        // The text stays on screen when it could not be saved after all.
        if (!saveAs()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

}  // namespace pocora
