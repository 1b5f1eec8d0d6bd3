#include "editor/PocoraWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTreeView>
#include <filesystem>

#include "common/AtomicFile.h"
#include "common/qt/UiLanguage.h"
#include "editor/FindBar.h"
#include "editor/LabelOutline.h"
#include "editor/RecentFiles.h"
#include "editor/ScriptCompiler.h"
#include "editor/ScriptEdit.h"
#include "editor/ScriptTab.h"
#include "editor/TextFile.h"
#include "editor/language/Lexer.h"

namespace pocora {
namespace {

const QString kErrorCaption = QStringLiteral("Error");
const QString kAllFiles = QStringLiteral("All files(*.*)");
const QString kGeometryKey = QStringLiteral("geometry");
const QString kRecentFilesKey = QStringLiteral("recentFiles");

std::filesystem::path toPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString programDirectory() {
    return QCoreApplication::applicationDirPath();
}

QString encodingName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return QStringLiteral("UTF-8");
        case TextEncoding::Utf8WithBom:
            return QStringLiteral("UTF-8 (BOM)");
        case TextEncoding::ShiftJis:
            break;
    }
    return QStringLiteral("Shift-JIS");
}

}  // namespace

QString windowTitleFor(const QString& fileTitle) {
    return QCoreApplication::translate("pocora::PocoraWindow", "ポコラエジタ") + QLatin1Char('[') +
           fileTitle + QLatin1Char(']');
}

PocoraWindow::PocoraWindow(EditorDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("memo02"));
    tabs_ = new QTabWidget(this);
    tabs_->setDocumentMode(true);
    tabs_->setTabsClosable(true);
    tabs_->setMovable(true);
    setCentralWidget(tabs_);
    positionLabel_ = new QLabel(this);
    bytesLabel_ = new QLabel(this);
    encodingLabel_ = new QLabel(this);
    referenceLabel_ = new QLabel(this);
    statusBar()->addWidget(referenceLabel_, 1);
    statusBar()->addPermanentWidget(positionLabel_);
    statusBar()->addPermanentWidget(bytesLabel_);
    statusBar()->addPermanentWidget(encodingLabel_);
    buildMenu();
    buildEditMenu();
    auto* labelsDock = new QDockWidget(tr("ラベル"), this);
    labelsDock->setObjectName(QStringLiteral("labelsDock"));
    labelOutline_ = new LabelOutline(labelsDock);
    labelsDock->setWidget(labelOutline_);
    addDockWidget(Qt::RightDockWidgetArea, labelsDock);
    connect(labelOutline_, &LabelOutline::lineActivated, this, [this](int line) {
        editor()->goToLine(line);
        editor()->setFocus();
    });
    kit::addLanguageMenu(*menuBar()->addMenu(tr("表示(&V)")));
    // A readable script is checked once typing pauses, longer for a longer text.
    checkTimer_.setSingleShot(true);
    connect(&checkTimer_, &QTimer::timeout, this, &PocoraWindow::checkNow);
    addTab()->windowTitle = tr("ポコラエジタ");
    connect(tabs_, &QTabWidget::currentChanged, this, &PocoraWindow::showCurrentTab);
    connect(tabs_, &QTabWidget::tabCloseRequested, this, &PocoraWindow::closeTab);
    showCurrentTab();
    if (!restoreGeometry(QSettings().value(kGeometryKey).toByteArray())) resize(720, 540);
}

ScriptTab* PocoraWindow::addTab() {
    auto* tab = new ScriptTab(tabs_);
    tab->fileTitle = tr("無題");
    tab->windowTitle = windowTitleFor(tr("無題"));
    ScriptEdit* edit = tab->edit();
    edit->setLineBreaks(LineBreaks::CrLf);
    connect(edit, &QPlainTextEdit::textChanged, this, &PocoraWindow::scheduleCheck);
    connect(edit, &QPlainTextEdit::cursorPositionChanged, this, &PocoraWindow::showReference);
    connect(edit, &QPlainTextEdit::cursorPositionChanged, this, &PocoraWindow::updateStatus);
    connect(edit, &QPlainTextEdit::textChanged, this, &PocoraWindow::updateStatus);
    connect(edit, &ScriptEdit::definitionRequested, this, &PocoraWindow::goToDefinition);
    connect(edit, &QPlainTextEdit::undoAvailable, this, &PocoraWindow::refreshUndo);
    connect(edit, &QPlainTextEdit::redoAvailable, this, &PocoraWindow::refreshUndo);
    connect(edit->document(), &QTextDocument::modificationChanged, this,
            [this, tab] { refreshTabTitle(tab); });
    tabs_->setCurrentIndex(tabs_->addTab(tab, tr("無題")));
    return tab;
}

ScriptTab* PocoraWindow::currentTab() const {
    return static_cast<ScriptTab*>(tabs_->currentWidget());
}

ScriptEdit* PocoraWindow::editor() const {
    return currentTab()->edit();
}

ReadableHighlighter* PocoraWindow::readableHighlighter() const {
    return currentTab()->readableHighlighter();
}

FindBar* PocoraWindow::findBar() const {
    return currentTab()->findBar();
}

QString PocoraWindow::currentPath() const {
    return currentTab()->path;
}

QString PocoraWindow::fileTitle() const {
    return currentTab()->fileTitle;
}

TextEncoding PocoraWindow::encoding() const {
    return currentTab()->encoding;
}

const std::vector<script_language::Diagnostic>& PocoraWindow::diagnostics() const {
    return currentTab()->diagnostics;
}

void PocoraWindow::showCurrentTab() {
    if (!currentTab()) return;  // while the last tab is being replaced
    setWindowTitle(currentTab()->windowTitle);
    statusBar()->clearMessage();
    showEncoding();
    updateStatus();
    refreshUndo();
    checkNow();
    showReference();
}

void PocoraWindow::refreshUndo() {
    if (!currentTab()) return;
    const QTextDocument* document = editor()->document();
    action(kUndo)->setEnabled(document->isUndoAvailable());
    action(kRedo)->setEnabled(document->isRedoAvailable());
}

void PocoraWindow::refreshTabTitle(ScriptTab* tab) {
    const int index = tabs_->indexOf(tab);
    if (index < 0) return;
    // A changed document is marked in its tab as desktop editors mark it.
    tabs_->setTabText(index,
                      tab->fileTitle + (tab->isModified() ? QStringLiteral(" *") : QString()));
    tabs_->setTabToolTip(index, tab->path);
}

bool PocoraWindow::mayCloseTab(ScriptTab* tab) {
    if (!tab->isModified()) return true;
    // The question is asked with the tab in view, so its title tells which text it is about.
    tabs_->setCurrentWidget(tab);
    if (!dialogs_.askYesNo(tr("注意"), tr("文書が変更されています。保存しますか？"))) return true;
    // The text stays on screen when it could not be saved after all.
    return saveAs();
}

bool PocoraWindow::closeTab(int index) {
    auto* tab = static_cast<ScriptTab*>(tabs_->widget(index));
    if (!tab || !mayCloseTab(tab)) return false;
    if (tabs_->count() == 1) addTab();
    tabs_->removeTab(tabs_->indexOf(tab));
    tab->deleteLater();
    return true;
}

void PocoraWindow::buildMenu() {
    QMenu* file = menuBar()->addMenu(tr("ファイル(&F)"));
    addCommand(file, kNew, tr("新規作成(&N)"), QKeySequence::New);
    addCommand(file, kOpen, tr("開く(&O)"), QKeySequence::Open);
    addCommand(file, kSave, tr("上書き保存(&S)"), QKeySequence::Save);
    addCommand(file, kSaveAs, tr("名前を付けて保存(&A)"),
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    addCommand(file, kCompile, tr("コンパイル(&C)"), QKeySequence(Qt::Key_F7));
    addCommand(file, kRun, tr("保存して実行(&P)"), QKeySequence(Qt::Key_F5));
    file->addSeparator();
    recentMenu_ = file->addMenu(tr("最近使ったファイル(&R)"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &PocoraWindow::refreshRecentFiles);
    refreshRecentFiles();
    file->addSeparator();
    addCommand(file, kCloseTab, tr("タブを閉じる(&W)"), QKeySequence(Qt::CTRL | Qt::Key_W));
    addCommand(file, kExit, tr("終了(&X)"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    // Ctrl+Tab and Ctrl+Shift+Tab go round the tabs, in the order they are shown.
    for (Command command : {kNextTab, kPreviousTab}) {
        auto* act = new QAction(this);
        act->setShortcuts(command == kNextTab ? QKeySequence::NextChild
                                              : QKeySequence::PreviousChild);
        addAction(act);
        actions_.insert(command, act);
        connect(act, &QAction::triggered, this, [this, command] {
            const int step = command == kNextTab ? 1 : tabs_->count() - 1;
            tabs_->setCurrentIndex((tabs_->currentIndex() + step) % tabs_->count());
        });
    }
    connect(action(kCloseTab), &QAction::triggered, this,
            [this] { closeTab(tabs_->currentIndex()); });

    connect(action(kNew), &QAction::triggered, this, &PocoraWindow::newDocument);
    connect(action(kOpen), &QAction::triggered, this, &PocoraWindow::openDocument);
    connect(action(kSave), &QAction::triggered, this, &PocoraWindow::save);
    connect(action(kSaveAs), &QAction::triggered, this, &PocoraWindow::saveAs);
    connect(action(kCompile), &QAction::triggered, this, &PocoraWindow::compile);
    connect(action(kRun), &QAction::triggered, this, &PocoraWindow::run);
    launchGame_ = [](const QString& gameDir) {
        return QProcess::startDetached(programDirectory() + QStringLiteral("/kit-game"),
                                       {QStringLiteral("play"), gameDir});
    };
    connect(action(kExit), &QAction::triggered, this, &QWidget::close);
    buildEncodingMenu();
}

void PocoraWindow::buildEditMenu() {
    QMenu* menu = menuBar()->addMenu(tr("編集(&E)"));
    const struct {
        Command command;
        const char* text;
        QKeySequence shortcut;
    } commands[] = {
        {kUndo, QT_TR_NOOP("元に戻す(&U)"), QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {kRedo, QT_TR_NOOP("やり直し(&R)"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {kCut, QT_TR_NOOP("切り取り(&T)"), QKeySequence::Cut},
        {kCopy, QT_TR_NOOP("コピー(&C)"), QKeySequence::Copy},
        {kPaste, QT_TR_NOOP("貼り付け(&P)"), QKeySequence::Paste},
        {kSelectAll, QT_TR_NOOP("すべて選択(&A)"), QKeySequence::SelectAll},
        {kFind, QT_TR_NOOP("検索(&F)"), QKeySequence(Qt::CTRL | Qt::Key_F)},
        {kReplace, QT_TR_NOOP("置換(&H)"), QKeySequence(Qt::CTRL | Qt::Key_H)},
        {kGoToLine, QT_TR_NOOP("行へ移動(&G)"), QKeySequence(Qt::CTRL | Qt::Key_G)},
        {kGoToDefinition, QT_TR_NOOP("ラベルの定義へ移動(&D)"), QKeySequence(Qt::Key_F12)},
    };
    for (const auto& c : commands) {
        if (c.command == kCut || c.command == kFind) menu->addSeparator();
        addCommand(menu, c.command, tr(c.text), c.shortcut);
    }
    // The commands act on the text of the current tab.
    const auto onEditor = [this](Command command, void (QPlainTextEdit::*slot)()) {
        connect(action(command), &QAction::triggered, this, [this, slot] { (editor()->*slot)(); });
    };
    onEditor(kUndo, &QPlainTextEdit::undo);
    onEditor(kRedo, &QPlainTextEdit::redo);
    onEditor(kCut, &QPlainTextEdit::cut);
    onEditor(kCopy, &QPlainTextEdit::copy);
    onEditor(kPaste, &QPlainTextEdit::paste);
    onEditor(kSelectAll, &QPlainTextEdit::selectAll);
    connect(action(kFind), &QAction::triggered, this, [this] { findBar()->showFind(); });
    connect(action(kReplace), &QAction::triggered, this, [this] { findBar()->showReplace(); });
    connect(action(kGoToLine), &QAction::triggered, this, [this] { findBar()->showGoTo(); });
    connect(action(kGoToDefinition), &QAction::triggered, this, &PocoraWindow::goToDefinition);
    // The menu's shortcuts win over the edit control's own (Ctrl+Z, Ctrl+Shift+Z).
    for (Command c : {kUndo, kRedo, kCut, kCopy, kPaste, kSelectAll})
        action(c)->setShortcutContext(Qt::WindowShortcut);
}

bool PocoraWindow::isReadable() const {
    return isReadableScriptPath(currentTab()->path);
}

void PocoraWindow::scheduleCheck() {
    // Raw scripts are read again too, for their labels; data files have none.
    if (isDataPath(currentTab()->path)) return;
    checkTimer_.start(300 + editor()->blockCount() / 10);
}

void PocoraWindow::checkNow() {
    checkTimer_.stop();
    if (!isReadable()) {
        currentTab()->diagnostics.clear();
        editor()->setMarks({});
        showRawLabels();
        return;
    }
    const std::string source = editor()->utf8Text();
    labelOutline_->showLabels(script_language::labelsOf(source));
    const auto result = script_language::compileReadable(
        source, script_language::scriptKindForPath(currentTab()->path.toStdString()));
    currentTab()->diagnostics = result.diagnostics;
    std::vector<ScriptEdit::Mark> marks;
    int errors = 0;
    for (const auto& d : currentTab()->diagnostics) {
        const bool error = d.severity == script_language::Diagnostic::Severity::Error;
        errors += error;
        marks.push_back({d.line, d.column, error});
    }
    editor()->setMarks(std::move(marks));
    if (currentTab()->diagnostics.empty()) return;
    QString list;
    for (const auto& d : currentTab()->diagnostics)
        list += QString::fromStdString(script_language::describe(d, "")).mid(2) + QLatin1Char('\n');
    statusBar()->showMessage(
        tr("エラー %1 件、警告 %2 件").arg(errors).arg(currentTab()->diagnostics.size() - errors));
    editor()->setToolTip(list.trimmed());
}

void PocoraWindow::showRawLabels() {
    std::vector<script_language::LabelPlace> places;
    const EncodedText sjis = encodeText(editor()->utf8Text(), LineBreaks::Lf);
    // A character Shift-JIS cannot hold is reported when the script is saved or compiled.
    if (sjis.bytes && !isDataPath(currentTab()->path))
        for (ScriptLabel& label : ScriptCompiler::compile(*sjis.bytes).labels)
            places.push_back({std::move(label.name), label.line});
    labelOutline_->showLabels(places);
}

bool PocoraWindow::goToDefinition() {
    const auto refuse = [this](const QString& why) {
        statusBar()->showMessage(why);
        return false;
    };
    if (!isReadable()) return refuse(tr("ラベルの定義へ移動できるのは .script ファイルだけです"));
    const QTextCursor cursor = editor()->textCursor();
    const std::string line = cursor.block().text().toStdString();
    const std::string before = cursor.block().text().left(cursor.positionInBlock()).toStdString();
    const auto target =
        script_language::labelTargetAt(editor()->utf8Text(), cursor.blockNumber() + 1,
                                       script_language::columnOf(line, before.size()));
    if (!target) return refuse(tr("カーソルの位置にラベル名がありません"));
    const QString name = QString::fromStdString(target->name);
    if (!target->line) {
        if (!target->anywhere) return refuse(tr("ラベル %1 は定義されていません").arg(name));
        // The engine searches one way only: a definition on the other side is never reached.
        return refuse(target->backward
                          ? tr("ラベル %1 はこの行より前に定義されていません").arg(name)
                          : tr("ラベル %1 はこの行より後に定義されていません").arg(name));
    }
    editor()->goToLine(*target->line);
    statusBar()->clearMessage();
    return true;
}

QString PocoraWindow::referenceText() const {
    return referenceLabel_->text();
}

void PocoraWindow::showReference() {
    QString text;
    if (isReadable()) {
        const std::string line = editor()->textCursor().block().text().toStdString();
        const auto tokens = script_language::lexLine(line).tokens;
        const script_language::Statement* s = nullptr;
        if (tokens.size() >= 2)
            s = script_language::findStatement(tokens[0].text + " " + tokens[1].text);
        if (!s && !tokens.empty()) s = script_language::findStatement(tokens[0].text);
        if (s) text = QString::fromStdString(std::string(s->syntax) + " — " + std::string(s->help));
    }
    referenceLabel_->setText(text);
}

void PocoraWindow::buildEncodingMenu() {
    QMenu* menu = menuBar()->addMenu(tr("文字コード(&E)"));
    auto* group = new QActionGroup(this);
    const struct {
        Command command;
        TextEncoding encoding;
        const char* text;
    } choices[] = {{kShiftJis, TextEncoding::ShiftJis, "Shift-JIS(&S)"},
                   {kUtf8, TextEncoding::Utf8, "UTF-8(&U)"},
                   {kUtf8WithBom, TextEncoding::Utf8WithBom, QT_TR_NOOP("UTF-8 BOM 付き(&B)")}};
    for (const auto& choice : choices) {
        QAction* act = addCommand(menu, choice.command, tr(choice.text), {});
        act->setCheckable(true);
        group->addAction(act);
        connect(act, &QAction::triggered, this, [this, e = choice.encoding] {
            if (e == currentTab()->encoding) return;
            setEncoding(e);
            // The file on disk no longer holds what Save would write.
            editor()->document()->setModified(true);
        });
    }
}

void PocoraWindow::refreshRecentFiles() {
    QSettings settings;
    const QStringList recent = existingFiles(settings.value(kRecentFilesKey).toStringList());
    settings.setValue(kRecentFilesKey, recent);
    recentMenu_->clear();
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = recent[i];
        QAction* act = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        act->setData(path);
        act->setToolTip(path);
        connect(act, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    recentMenu_->setEnabled(!recent.isEmpty());
}

void PocoraWindow::remember(const QString& path) {
    QSettings settings;
    settings.setValue(kRecentFilesKey,
                      withRecentFile(settings.value(kRecentFilesKey).toStringList(), path));
    refreshRecentFiles();
}

void PocoraWindow::openRecentFile(const QString& path) {
    loadFile(path);
}

void PocoraWindow::setEncoding(TextEncoding encoding) {
    currentTab()->encoding = encoding;
    showEncoding();
}

void PocoraWindow::showEncoding() {
    encodingLabel_->setText(encodingName(currentTab()->encoding));
    const auto check = [this](Command command, TextEncoding encoding) {
        action(command)->setChecked(encoding == currentTab()->encoding);
        // A data file stays Shift-JIS, the only encoding the engine reads.
        action(command)->setEnabled(encoding == TextEncoding::ShiftJis ||
                                    !isDataPath(currentTab()->path));
    };
    check(kShiftJis, TextEncoding::ShiftJis);
    check(kUtf8, TextEncoding::Utf8);
    check(kUtf8WithBom, TextEncoding::Utf8WithBom);
}

TextEncoding PocoraWindow::encodingFor(const QString& path) const {
    if (isReadableScriptPath(path)) return TextEncoding::Utf8;
    return isDataPath(path) ? TextEncoding::ShiftJis : currentTab()->encoding;
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
    currentTab()->windowTitle = windowTitleFor(title);
    setWindowTitle(currentTab()->windowTitle);
}

QString PocoraWindow::statusText() const {
    return positionLabel_->text() + QLatin1Char(' ') + bytesLabel_->text() + QLatin1Char(' ') +
           encodingLabel_->text();
}

void PocoraWindow::updateStatus() {
    const QTextCursor cursor = editor()->textCursor();
    positionLabel_->setText(
        QStringLiteral("%1:%2").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1));
    bytesLabel_->setText(tr("%1 / %2 バイト").arg(editor()->byteCount()).arg(kMaxTextBytes));
}

void PocoraWindow::fail(const QString& text) {
    dialogs_.showMessage(kErrorCaption, text, MessageIcon::Warning);
}

void PocoraWindow::adopt(const QString& path) {
    ScriptTab* tab = currentTab();
    tab->path = path;
    tab->fileTitle = QFileInfo(path).fileName();
    showFileTitle(tab->fileTitle);
    refreshTabTitle(tab);
    setEncoding(encodingFor(path));
    remember(path);
}

std::optional<std::string> PocoraWindow::documentBytes(TextEncoding encoding, bool forCompile) {
    EncodedText encoded = encodeText(editor()->utf8Text(), editor()->lineBreaks(), encoding);
    if (encoded.bytes) return encoded.bytes;
    const QString hex = QString::number(static_cast<uint>(encoded.badCodePoint), 16)
                            .toUpper()
                            .rightJustified(4, '0');
    const QString what = forCompile ? tr("を Shift-JIS にできないため、コンパイルできません。")
                                    : tr("は Shift-JIS で保存できません。");
    fail(tr("%1行 %2列の文字「%3」(U+%4) %5")
             .arg(encoded.badLine)
             .arg(encoded.badColumn)
             .arg(QString::fromStdString(encoded.badCharacter), hex, what));
    return std::nullopt;
}

bool PocoraWindow::writeWhole(const QString& path, const std::string& bytes) {
    const std::string why = kit::writeFileAtomically(toPath(path), bytes);
    if (why.empty()) return true;
    fail(QStringLiteral("Error CloseHandle\n\n%1\n%2").arg(path, QString::fromStdString(why)));
    return false;
}

void PocoraWindow::newDocument() {
    // The new text has no file yet: saving it must not replace the file of another tab.
    addTab();
}

void PocoraWindow::openDocument() {
    FileDialogRequest request;
    request.title = tr("ファイルオープン！");
    request.filters = {QStringLiteral("qd text(*.qd)"), QStringLiteral("script(*.script)"),
                       kAllFiles};
    request.defaultSuffix = QStringLiteral("qd");
    request.directory = programDirectory();
    request.mustExist = true;
    const QString path = dialogs_.openFileName(request);
    if (path.isEmpty()) return;
    loadFile(path);
}

bool PocoraWindow::loadFile(const QString& path) {
    // A file open already is shown in its tab, never opened twice to be saved over itself.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (int i = 0; i < tabs_->count(); ++i) {
        const QString open = static_cast<ScriptTab*>(tabs_->widget(i))->path;
        if (!open.isEmpty() && QFileInfo(open).canonicalFilePath() == canonical &&
            !canonical.isEmpty()) {
            tabs_->setCurrentIndex(i);
            return true;
        }
    }
    OpenedText opened = readTextFile(
        toPath(path), isDataPath(path) ? std::optional(TextEncoding::ShiftJis) : std::nullopt);
    switch (opened.status) {
        case OpenedText::Status::TooBig:
            dialogs_.showMessage(QStringLiteral("Too Big File!"),
                                 tr("ファイルサイズが大きすぎます"), MessageIcon::None);
            return false;
        case OpenedText::Status::Undecodable:
            fail((isDataPath(path) ? tr("Shift-JIS のテキストとして読めない")
                                   : tr("Shift-JIS と UTF-8 のどちらとしても読めない")) +
                 tr("バイトがあります（%1 バイト目）。\n\n%2").arg(opened.badOffset + 1).arg(path));
            return false;
        case OpenedText::Status::CannotRead:
            fail(tr("ファイルを読み込めません。\n\n%1").arg(path));
            return false;
        case OpenedText::Status::Ok:
            break;
    }
    ScriptTab* tab = currentTab()->isBlank() ? currentTab() : addTab();
    tab->useHighlightingFor(path);
    tab->edit()->setLineBreaks(opened.lineBreaks);
    tab->edit()->setPlainText(QString::fromStdString(opened.utf8));
    tab->edit()->document()->setModified(false);
    tab->encoding = opened.encoding;
    adopt(path);
    checkNow();
    showReference();
    return true;
}

bool PocoraWindow::save() {
    if (currentTab()->path.isEmpty()) return saveAs();
    std::optional<std::string> bytes = documentBytes(currentTab()->encoding);
    if (!bytes) return false;
    if (currentTab()->encoding == TextEncoding::ShiftJis) bytes->push_back('\0');
    if (!writeWhole(currentTab()->path, *bytes)) return false;
    editor()->document()->setModified(false);
    return true;
}

bool PocoraWindow::saveAs() {
    // A text that cannot be saved is refused before a name is asked for.
    if (!documentBytes(currentTab()->encoding)) return false;
    FileDialogRequest request;
    request.title = tr("名前を付けて保存する！");
    request.filters = {QStringLiteral("text(*.txt)"), QStringLiteral("script(*.script)"),
                       kAllFiles};
    request.defaultSuffix = QStringLiteral("txt");
    request.directory = programDirectory();
    request.confirmOverwrite = true;
    const QString path = dialogs_.saveFileName(request);
    if (path.isEmpty()) return false;
    const TextEncoding encoding = encodingFor(path);
    std::optional<std::string> bytes = documentBytes(encoding);
    if (!bytes) return false;
    if (encoding == TextEncoding::ShiftJis) bytes->push_back('\0');
    if (!writeWhole(path, *bytes)) return false;
    adopt(path);
    currentTab()->useHighlightingFor(path);
    editor()->document()->setModified(false);
    checkNow();
    return true;
}

bool PocoraWindow::compile() {
    ScriptCompileResult result;
    if (isReadable()) {
        checkNow();
        const auto readable = script_language::compileReadable(
            editor()->utf8Text(),
            script_language::scriptKindForPath(currentTab()->path.toStdString()));
        for (const auto& d : readable.diagnostics) {
            if (d.severity != script_language::Diagnostic::Severity::Error) continue;
            editor()->goToLine(d.line);
            fail(QString::fromStdString(
                script_language::describe(d, currentTab()->fileTitle.toStdString())));
            return false;
        }
        result.bytes = readable.bytes;
    } else {
        // The engine reads Shift-JIS strings, whatever the source file's encoding.
        std::optional<std::string> source = documentBytes(TextEncoding::ShiftJis, true);
        if (!source) return false;
        result = ScriptCompiler::compile(*source);
        if (!result.ok()) {
            fail(QString::fromStdString(speaksJapanese()
                                            ? describeCompileErrorJapanese(*result.error)
                                            : describeCompileError(*result.error)));
            return false;
        }
    }
    FileDialogRequest request;
    request.title = tr("名前を付けて保存する！");
    request.filters = {QStringLiteral("qd script(*.sc)"), kAllFiles};
    request.defaultSuffix = QStringLiteral("sc");
    request.confirmOverwrite = true;
    const QString path = dialogs_.saveFileName(request);
    if (path.isEmpty()) return false;
    if (!writeWhole(path, result.bytes)) return false;
    // The source itself is not saved: it keeps its own file and its unsaved changes, so neither
    // Save nor closing the window can lose it or write it over the script.
    QString done = tr("%1 にコンパイルしました").arg(QFileInfo(path).fileName());
    for (const ScriptCompileWarning& warning : result.warnings)
        done += tr("　%1").arg(QString::fromStdString(speaksJapanese()
                                                          ? describeCompileWarningJapanese(warning)
                                                          : describeCompileWarning(warning)));
    statusBar()->showMessage(done);
    return true;
}

bool PocoraWindow::speaksJapanese() const {
    // The translation into another language gives its own code here.
    return tr("ja", "the language of the compiler's messages") == QLatin1String("ja");
}

void PocoraWindow::openFolder(const QString& dir) {
    if (!folderView_) {
        auto* dock = new QDockWidget(tr("フォルダ"), this);
        dock->setObjectName(QStringLiteral("folder"));
        folderView_ = new QTreeView(dock);
        auto* model = new QFileSystemModel(folderView_);
        model->setReadOnly(true);
        folderView_->setModel(model);
        for (int column = 1; column < model->columnCount(); ++column)
            folderView_->hideColumn(column);
        folderView_->setHeaderHidden(true);
        dock->setWidget(folderView_);
        addDockWidget(Qt::LeftDockWidgetArea, dock);
        connect(folderView_, &QTreeView::activated, this, [this, model](const QModelIndex& index) {
            if (model->isDir(index)) return;
            loadFile(model->filePath(index));
        });
    }
    auto* model = static_cast<QFileSystemModel*>(folderView_->model());
    folderView_->setRootIndex(model->setRootPath(dir));
}

bool PocoraWindow::run() {
    if (!save()) return false;
    // The game's source folder is the one that holds the script's ev folder.
    QDir dir = QFileInfo(currentTab()->path).absoluteDir();
    while (dir.dirName() != QStringLiteral("ev") && dir.cdUp()) {
    }
    if (dir.dirName() != QStringLiteral("ev") || !dir.cdUp()) {
        fail(tr("%1 はゲームの ev フォルダにありません。").arg(currentTab()->fileTitle));
        return false;
    }
    checkNow();
    for (const auto& d : currentTab()->diagnostics) {
        if (d.severity != script_language::Diagnostic::Severity::Error) continue;
        editor()->goToLine(d.line);
        fail(QString::fromStdString(
            script_language::describe(d, currentTab()->fileTitle.toStdString())));
        return false;
    }
    if (launchGame_(dir.path())) return true;
    fail(tr("kit-game を起動できませんでした。"));
    return false;
}

void PocoraWindow::closeEvent(QCloseEvent* event) {
    // One question for each changed tab, in the order of the tabs.
    for (int i = 0; i < tabs_->count(); ++i) {
        if (!mayCloseTab(static_cast<ScriptTab*>(tabs_->widget(i)))) {
            event->ignore();
            return;
        }
    }
    QSettings().setValue(kGeometryKey, saveGeometry());
    event->accept();
}

}  // namespace pocora
