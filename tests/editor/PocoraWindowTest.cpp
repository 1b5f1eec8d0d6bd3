#include "editor/PocoraWindow.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCompleter>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTreeView>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "FakeDialogs.h"
#include "common/ShiftJis.h"
#include "editor/FindBar.h"
#include "editor/LabelOutline.h"
#include "editor/ReadableHighlighter.h"
#include "editor/RecentFiles.h"
#include "editor/ScriptEdit.h"
#include "editor/ScriptHighlighter.h"
#include "tests/support/WindowTexts.h"

namespace fs = std::filesystem;
using pocora::PocoraWindow;

namespace {

class PocoraWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("pocora-window-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        QSettings().clear();
        window_ = std::make_unique<PocoraWindow>(dialogs_);
    }
    void TearDown() override {
        EXPECT_EQ(dialogs_.unexpected, 0)
            << "a question or dialog came that the test did not expect";
        window_.reset();
        fs::remove_all(dir_);
    }

    QString path(const char* name) const { return QString::fromStdString((dir_ / name).string()); }
    void write(const char* name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    std::string read(const char* name) const {
        std::ifstream in(dir_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    QString text() const { return window_->editor()->toPlainText(); }
    bool modified() const { return window_->editor()->document()->isModified(); }
    // Types the keys, a line break as the Return key.
    void type(const QString& keys) {
        const QStringList lines = keys.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) QTest::keyClick(window_->editor(), Qt::Key_Return);
            QTest::keyClicks(window_->editor(), lines[i]);
        }
    }
    // Replaces the text as typing does, for characters key clicks cannot produce.
    void replaceText(const QString& text) {
        window_->editor()->selectAll();
        window_->editor()->insertPlainText(text);
    }
    void open(const char* name) {
        dialogs_.openNames.enqueue(path(name));
        window_->openDocument();
    }
    QString lastMessage() const {
        return dialogs_.messages.value(dialogs_.messages.size() - 1).second;
    }

    fs::path dir_;
    FakeDialogs dialogs_;
    std::unique_ptr<PocoraWindow> window_;
};

TEST_F(PocoraWindowTest, FilesKeepTheirEncodingAndLineBreaksThroughOpenAndSave) {
    const struct {
        const char* name;
        std::string bytes;
        QString shown, status;
    } cases[] = {
        {"sjis.txt", kit::utf8ToSjis("あ\r\nｱ").value(), "あ\nｱ", "1:1 5 / 65535 バイト Shift-JIS"},
        {"unix.txt", "#\n@A//\n", "#\n@A//\n", "1:1 7 / 65535 バイト Shift-JIS"},
        {"elder.src", "c4;=$長老「…」//\n", "c4;=$長老「…」//\n", "1:1 18 / 65535 バイト UTF-8"},
        {"bom.src", "\xEF\xBB\xBF*😀\r\n", "*😀\n", "1:1 5 / 65535 バイト UTF-8 (BOM)"},
        // Data files are Shift-JIS only, even when their bytes would pass as UTF-8.
        {"data.qd", "あい", QStringLiteral("縺ゅ＞"), "1:1 6 / 65535 バイト Shift-JIS"},
    };
    for (const auto& c : cases) {
        write(c.name, c.bytes);
        ASSERT_TRUE(window_->loadFile(path(c.name))) << c.name;
        EXPECT_EQ(text(), c.shown);
        EXPECT_EQ(window_->statusText(), c.status);
        ASSERT_TRUE(window_->save());
        // Saved Shift-JIS files end with a zero byte.
        const bool zeroByte = c.status.endsWith("Shift-JIS");
        EXPECT_EQ(read(c.name), zeroByte ? c.bytes + '\0' : c.bytes) << c.name;
    }
    // Texts of more than 65535 Shift-JIS bytes and files that are neither Shift-JIS nor UTF-8
    // are refused, and the document stays the target of Save.
    write("big.qd", std::string(65536, 'A'));
    EXPECT_FALSE(window_->loadFile(path("big.qd")));
    EXPECT_EQ(
        dialogs_.messages.value(0),
        qMakePair(QStringLiteral("Too Big File!"), QStringLiteral("ファイルサイズが大きすぎます")));
    write("bad.txt", "ab\x82\x20");
    EXPECT_FALSE(window_->loadFile(path("bad.txt")));
    EXPECT_TRUE(lastMessage().contains("3 バイト目"));
    EXPECT_EQ(window_->currentPath(), path("data.qd"));
}

TEST_F(PocoraWindowTest, TheEncodingMenuChangesTheNextSaveButNeverADataFile) {
    write("utf8.src", "あ\n");
    ASSERT_TRUE(window_->loadFile(path("utf8.src")));
    window_->action(PocoraWindow::kShiftJis)->trigger();
    EXPECT_TRUE(modified());
    ASSERT_TRUE(window_->save());
    EXPECT_EQ(read("utf8.src"), std::string("\x82\xa0\n\0", 4));
    window_->action(PocoraWindow::kUtf8WithBom)->trigger();
    ASSERT_TRUE(window_->save());
    EXPECT_EQ(read("utf8.src"), "\xEF\xBB\xBFあ\n");

    dialogs_.saveNames.enqueue(path("data.qd"));
    ASSERT_TRUE(window_->saveAs());
    EXPECT_EQ(read("data.qd"), std::string("\x82\xa0\n\0", 4));
    EXPECT_EQ(window_->encoding(), pocora::TextEncoding::ShiftJis);
    EXPECT_FALSE(window_->action(PocoraWindow::kUtf8)->isEnabled());

    window_->newDocument();
    EXPECT_TRUE(window_->action(PocoraWindow::kUtf8)->isEnabled());
    EXPECT_TRUE(window_->action(PocoraWindow::kShiftJis)->isChecked());
}

// Tabs through the keys a user presses: each document keeps its file, encoding and undo
// history; closing a tab or the window asks once for each changed text.
TEST_F(PocoraWindowTest, FilesOpenInTabsEachWithItsOwnFileAndUndo) {
    write("old.qd", kit::utf8ToSjis("* 挨拶\r\n").value());
    write("utf8.src", "あ\n");
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(window_->editor(), key, modifiers);
    };
    const auto titles = [&] {
        QStringList list;
        for (int i = 0; i < window_->tabs()->count(); ++i) list << window_->tabs()->tabText(i);
        return list;
    };
    // A file opened over the untouched first text takes its tab; a changed text keeps its own.
    open("old.qd");
    type("draft");
    press(Qt::Key_N, Qt::ControlModifier);
    type("@B//");
    open("utf8.src");
    EXPECT_EQ(titles(), (QStringList{"old.qd *", QStringLiteral("無題 *"), "utf8.src"}));
    EXPECT_EQ(window_->statusText(), QStringLiteral("1:1 3 / 65535 バイト UTF-8"));
    // Opening a file that is open already shows its tab.
    open("old.qd");
    EXPECT_EQ(window_->tabs()->currentIndex(), 0);
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("ポコラエジタ[old.qd]"));
    EXPECT_EQ(window_->statusText(), QStringLiteral("1:6 13 / 65535 バイト Shift-JIS"));

    // Undo in one tab leaves the others' edits; the Edit menu follows the tab shown.
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("ポコラエジタ[無題]"));
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text(), QString());
    EXPECT_FALSE(window_->action(PocoraWindow::kUndo)->isEnabled());
    press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(text(), QStringLiteral("draft* 挨拶\n"));
    EXPECT_TRUE(window_->action(PocoraWindow::kUndo)->isEnabled());
    press(Qt::Key_Tab, Qt::ControlModifier);
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(text(), QStringLiteral("@B//"));
    // The untitled text gets a name of its own, never another tab's file.
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(dialogs_.saveNames.isEmpty() && dialogs_.unexpected == 1);
    dialogs_.unexpected = 0;
    dialogs_.saveNames.enqueue(path("new.txt"));
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(read("new.txt"), std::string("@B//\0", 5));
    EXPECT_EQ(read("old.qd"), kit::utf8ToSjis("* 挨拶\r\n").value());
    EXPECT_EQ(titles(), (QStringList{"old.qd *", "new.txt", "utf8.src"}));

    // Ctrl+W on a changed tab asks: a save that does not happen keeps it, No drops it. The last
    // tab closed leaves an untitled one.
    press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    dialogs_.yesNo.enqueue(true);
    dialogs_.saveNames.enqueue(QString());
    press(Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(window_->tabs()->count(), 3);
    dialogs_.yesNo.enqueue(false);
    press(Qt::Key_W, Qt::ControlModifier);
    press(Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(titles(), QStringList{"utf8.src"});
    EXPECT_EQ(dialogs_.questions.size(), 2);
    type("x");
    press(Qt::Key_N, Qt::ControlModifier);
    type("y");
    // Quitting asks once for each changed tab, each shown as it is asked about.
    dialogs_.yesNo.enqueue(false);
    dialogs_.yesNo.enqueue(false);
    EXPECT_TRUE(window_->close());
    EXPECT_EQ(dialogs_.questions.size(), 4);
    EXPECT_EQ(dialogs_.questions.last(),
              qMakePair(QStringLiteral("注意"),
                        QStringLiteral("文書が変更されています。保存しますか？")));
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("ポコラエジタ[無題]"));
    EXPECT_EQ(read("utf8.src"), "あ\n");
}

TEST_F(PocoraWindowTest, FailedSavesAreReportedAndTheTextStaysModified) {
    type("x");
    dialogs_.saveNames.enqueue(path("missing-dir/out.txt"));
    EXPECT_FALSE(window_->save());
    EXPECT_EQ(dialogs_.messages.value(0).first, "Error");
    EXPECT_TRUE(lastMessage().startsWith("Error CloseHandle"));
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("ポコラエジタ"));

    write("doc.txt", "old");
    ASSERT_TRUE(window_->loadFile(path("doc.txt")));
    replaceText(QStringLiteral("ok\nab😀c"));
    EXPECT_FALSE(window_->save());
    EXPECT_EQ(lastMessage(),
              QStringLiteral("2行 3列の文字「😀」(U+1F600) は Shift-JIS で保存できません。"));
    EXPECT_EQ(read("doc.txt"), "old");
    EXPECT_TRUE(modified());
}

TEST_F(PocoraWindowTest, CompileWritesTheShiftJisScriptAndTheSourceKeepsItsFileAndChanges) {
    write("hero.src", "* 勇者\n");
    ASSERT_TRUE(window_->loadFile(path("hero.src")));
    write("hero.sc", std::string(50, 'z'));  // a longer old script is replaced, not overwritten
    replaceText(QStringLiteral("c-4;\n@NRM//\n$ev\\hero//c4;=$あ//q9;"));
    dialogs_.saveNames.enqueue(path("hero.sc"));
    ASSERT_TRUE(window_->compile());
    const std::string script = "c\xFC@NRM//7!ev\\heroc\x04=2!\x82\xa0q\x09";
    EXPECT_EQ(read("hero.sc"), script);
    EXPECT_EQ(window_->statusBar()->currentMessage(),
              QStringLiteral("hero.sc にコンパイルしました　3行 19列: 警告: 「q」の命令を実行する"
                             "スクリプトはありません（a, c, e, f, w のみ）"));
    // The source is still unsaved and still belongs to its own file, in its own encoding.
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("ポコラエジタ[hero.src]"));
    ASSERT_TRUE(window_->save());
    EXPECT_EQ(read("hero.src"), "c-4;\n@NRM//\n$ev\\hero//c4;=$あ//q9;");
    EXPECT_EQ(read("hero.sc"), script);

    // Errors name their place and write nothing.
    replaceText(QStringLiteral("#\n#\nc2;0;$LOOP\n"));
    EXPECT_FALSE(window_->compile());
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("3行目")));
    replaceText(QStringLiteral("#\nc4;=$é//"));
    EXPECT_FALSE(window_->compile());
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("2行 6列の文字「é」(U+00E9) を")));
    EXPECT_EQ(dialogs_.saveRequests.size(), 1);
}

TEST_F(PocoraWindowTest, CloseAsksAndKeepsRecentFilesAndGeometryForTheNextWindow) {
    for (const char* name : {"a.src", "b.src", "c.qd"}) {
        write(name, "#");
        ASSERT_TRUE(window_->loadFile(path(name)));
    }
    window_->show();
    window_->resize(500, 300);
    type("x");
    dialogs_.yesNo.enqueue(true);
    dialogs_.saveNames.enqueue(QString());
    EXPECT_FALSE(window_->close());  // only a save that does not happen keeps the window
    EXPECT_EQ(dialogs_.questions.last(),
              qMakePair(QStringLiteral("注意"),
                        QStringLiteral("文書が変更されています。保存しますか？")));
    dialogs_.yesNo.enqueue(false);
    EXPECT_TRUE(window_->close());
    fs::remove(dir_ / "b.src");  // missing files are dropped

    PocoraWindow next(dialogs_);
    const auto recent = [&] {
        emit next.recentFilesMenu()->aboutToShow();
        QStringList paths;
        for (QAction* act : next.recentFilesMenu()->actions()) paths << act->data().toString();
        return paths;
    };
    EXPECT_EQ(recent(), (QStringList{path("c.qd"), path("a.src")}));
    EXPECT_EQ(next.size(), QSize(500, 300));
    next.recentFilesMenu()->actions().value(1)->trigger();
    EXPECT_EQ(next.currentPath(), path("a.src"));
    EXPECT_EQ(recent(), (QStringList{path("a.src"), path("c.qd")}));
    // At most eight, the newest first, each once.
    QStringList list;
    for (const char* name : {"1", "2", "3", "4", "5", "6", "7", "8", "9", "2"})
        list = pocora::withRecentFile(list, path(name));
    EXPECT_EQ(list.size(), 8);
    EXPECT_EQ(list.first(), path("2"));
    EXPECT_EQ(list.last(), path("3"));
}

TEST_F(PocoraWindowTest, TheEditorHoldsAtMost65535Bytes) {
    auto* edit = window_->editor();
    edit->setPlainText(QString(65533, 'a'));
    edit->moveCursor(QTextCursor::End);
    type("xyz");  // two fit, the third is refused
    EXPECT_EQ(edit->byteCount(), 65535u);
    EXPECT_EQ(text().right(3), "axy");
    QTest::keyClick(edit, Qt::Key_Return);  // a line break takes two bytes
    EXPECT_EQ(edit->byteCount(), 65535u);

    // Pasted text is cut to the characters that fit.
    edit->setPlainText(QString(65532, 'a'));
    edit->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QStringLiteral("あいう"));
    edit->paste();
    EXPECT_EQ(edit->byteCount(), 65534u);
    EXPECT_TRUE(text().endsWith(QStringLiteral("aあ")));
    // Replacing a selection counts only what remains.
    edit->selectAll();
    edit->paste();
    EXPECT_EQ(text(), QStringLiteral("あいう"));
    QTest::keyClick(edit, Qt::Key_Return);
    type("cd");
    EXPECT_EQ(window_->statusText(), QStringLiteral("2:3 10 / 65535 バイト Shift-JIS"));
}

TEST_F(PocoraWindowTest, HighlighterColoursTheScriptAsTheCompilerReadsIt) {
    auto* edit = window_->editor();
    edit->setPlainText(QStringLiteral("c0;1;=$a\nb// * r\n@NRM//#x\nf35;f36;c-4;"));
    const pocora::ScriptHighlighter probe(nullptr);
    const struct {
        int block, column;
        QTextCharFormat format;
    } cases[] = {
        {0, 0, probe.instructionFormat}, {0, 3, QTextCharFormat()},  // an operand digit
        {1, 0, probe.stringFormat},  // strings run on over line breaks
        {1, 5, probe.commentFormat},     {2, 0, probe.labelFormat},
        {2, 6, probe.yieldFormat},       {2, 7, probe.errorFormat},  // a letter with no number
        {3, 0, probe.instructionFormat}, {3, 4, probe.errorFormat},  // no f36
        {3, 8, probe.instructionFormat},
    };
    for (const auto& c : cases) {
        QTextCharFormat format;
        const QTextBlock block = edit->document()->findBlockByNumber(c.block);
        for (const auto& range : block.layout()->formats())
            if (c.column >= range.start && c.column < range.start + range.length)
                format = range.format;
        EXPECT_EQ(format, c.format) << c.block << ":" << c.column;
    }
}

// The Edit menu through its shortcuts, as a user presses them.
TEST_F(PocoraWindowTest, EditMenuUndoesRedoesCutsPastesFindsReplacesAndGoesToALine) {
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    auto* edit = window_->editor();
    edit->setFocus();
    type(QStringLiteral("ab\nCat cat\ncatalog\n"));
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(text(), QStringLiteral("ab\nCat cat\ncatalog\n"));
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(text(), QStringLiteral("ab\nCat cat\ncatalog\n"));

    // Go to line 3, select the word by keys, cut it and paste it at the end.
    QTest::keyClick(edit, Qt::Key_G, Qt::ControlModifier);
    QTest::keyClicks(window_->findBar()->findField(), QStringLiteral("3"));
    QTest::keyClick(window_->findBar()->findField(), Qt::Key_Return);
    EXPECT_EQ(edit->textCursor().blockNumber(), 2);
    QTest::keyClick(edit, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(), QStringLiteral("ab\nCat cat\ncatalogcatalog\n"));

    // Replace "cat" with match case and whole word: only the lone lowercase word changes.
    QTest::keyClick(edit, Qt::Key_H, Qt::ControlModifier);
    auto* bar = window_->findBar();
    bar->findField()->setText(QString());
    QTest::keyClicks(bar->findField(), QStringLiteral("cat"));
    QTest::keyClicks(bar->replaceField(), QStringLiteral("dog"));
    bar->matchCase()->setChecked(true);
    bar->wholeWord()->setChecked(true);
    EXPECT_EQ(bar->replaceAll(), 1);
    EXPECT_EQ(text(), QStringLiteral("ab\nCat dog\ncatalogcatalog\n"));
    bar->wholeWord()->setChecked(false);
    EXPECT_EQ(bar->replaceAll(), 2);
    // Replace all is one step to undo.
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text(), QStringLiteral("ab\nCat dog\ncatalogcatalog\n"));
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(edit->textCursor().selectedText().size(), text().size());
}

// A readable script: checked as it is typed, its faults underlined, the statement under the
// cursor explained, names completed from the statement table, compiled to the same bytes.
TEST_F(PocoraWindowTest, ReadableScriptsAreCheckedExplainedCompletedAndCompiled) {
    fs::create_directories(dir_ / "ev" / "chr");
    write("ev/chr/elder.script", "NRM:\nwait\ngoto NRN\n");
    // Opened from the game's folder beside the text.
    window_->openFolder(QString::fromStdString(dir_.string()));
    window_->show();
    auto* tree = window_->folderView();
    auto* files = static_cast<QFileSystemModel*>(tree->model());
    const QModelIndex script = files->index(path("ev/chr/elder.script"));
    ASSERT_TRUE(script.isValid());
    tree->setCurrentIndex(script);
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(window_->currentPath(), path("ev/chr/elder.script"));
    QTest::keyClick(tree, Qt::Key_Return);  // a file open already keeps its one tab
    EXPECT_EQ(window_->tabs()->count(), 1);
    auto* edit = window_->editor();
    EXPECT_EQ(window_->readableHighlighter()->document(), edit->document());
    ASSERT_EQ(window_->diagnostics().size(), 1u);
    EXPECT_EQ(window_->diagnostics()[0].line, 3);
    EXPECT_NE(window_->diagnostics()[0].hint.find("did you mean NRM?"), std::string::npos);
    ASSERT_EQ(edit->marks().size(), 1u);
    EXPECT_EQ(edit->shownSelections().size(), 2);  // the current line and the underline

    // Fix the label by typing; the check follows once typing pauses.
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Up);
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Backspace);
    type(QStringLiteral("M"));
    QTRY_VERIFY_WITH_TIMEOUT(window_->diagnostics().empty(), 3000);
    EXPECT_TRUE(edit->marks().empty());

    // Completion: two letters offer the statements; Enter takes the first.
    QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
    type(QStringLiteral("end_ta"));
    ASSERT_TRUE(edit->completer()->popup()->isVisible());
    QTest::keyClick(edit->completer()->popup(), Qt::Key_Return);
    EXPECT_TRUE(text().endsWith(QStringLiteral("end_talk ")));
    EXPECT_TRUE(
        window_->referenceText().startsWith(QStringLiteral("end_talk — ends the conversation")));

    // An e statement in a character script draws no warning; compiling writes the bytes.
    window_->checkNow();
    EXPECT_TRUE(window_->diagnostics().empty());
    dialogs_.saveNames.enqueue(path("elder.sc"));
    ASSERT_TRUE(window_->compile());
    EXPECT_EQ(read("elder.sc"), std::string("@NRM//#c\x02\x31;3!NRMe\x00", 18));

    // F5 saves and plays the game the script belongs to.
    QStringList played;
    window_->setGameLauncher([&](const QString& dir) {
        played.append(dir);
        return true;
    });
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    QTest::keyClick(edit, Qt::Key_F5);
    EXPECT_EQ(played, QStringList{QString::fromStdString(dir_.string())});
    EXPECT_EQ(read("ev/chr/elder.script"), "NRM:\nwait\ngoto NRM\nend_talk ");

    // A fault stops the compile and F5, naming its line.
    type(QStringLiteral("\nsay \"unclosed"));
    EXPECT_FALSE(window_->compile());
    EXPECT_NE(lastMessage().indexOf(QStringLiteral("line 5, column 5: error: unterminated string")),
              -1);
    EXPECT_EQ(edit->textCursor().blockNumber(), 4);
    QTest::keyClick(edit, Qt::Key_F5);
    EXPECT_EQ(played.size(), 1);

    // A completed statement comes with its arguments as placeholders: the first selected, Tab
    // selects the next, a choice of words is one placeholder.
    const auto lastLine = [&] { return text().section(QLatin1Char('\n'), -1); };
    QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
    type(QStringLiteral("\npictu"));
    ASSERT_TRUE(edit->completer()->popup()->isVisible());
    QTest::keyClick(edit->completer()->popup(), Qt::Key_Return);
    EXPECT_EQ(lastLine(), QStringLiteral("picture ACTOR NAME"));
    EXPECT_EQ(edit->textCursor().selectedText(), QStringLiteral("ACTOR"));
    type(QStringLiteral("5"));
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(edit->textCursor().selectedText(), QStringLiteral("NAME"));
    type(QStringLiteral("\"elder\""));
    EXPECT_EQ(lastLine(), QStringLiteral("picture 5 \"elder\""));
    type(QStringLiteral("\ncame"));
    QTest::keyClick(edit->completer()->popup(), Qt::Key_Return);
    EXPECT_EQ(lastLine(), QStringLiteral("camera x|y set|add VALUE"));
    EXPECT_EQ(edit->textCursor().selectedText(), QStringLiteral("x|y"));
    QTest::keyClick(edit, Qt::Key_Tab);
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(edit->textCursor().selectedText(), QStringLiteral("VALUE"));
}

TEST_F(PocoraWindowTest, TheLabelOutlineAndF12LeadToTheLabelsDefinitions) {
    write("hub.script", "HUB:\nwait\nif v1 == 1 goto CALM\ngoto HUB\nCALM:\ngoto NOPE\n");
    open("hub.script");
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    auto* outline = window_->labelOutline();
    const auto shown = [outline] {
        QStringList rows;
        for (int i = 0; i < outline->count(); ++i) rows << outline->item(i)->text();
        return rows.join(QLatin1Char(' '));
    };
    EXPECT_EQ(shown(), QStringLiteral("HUB\t1 CALM\t5"));

    // Enter on an entry moves the cursor to its line.
    outline->setFocus();
    outline->setCurrentRow(1);
    QTest::keyClick(outline, Qt::Key_Return);
    auto* edit = window_->editor();
    EXPECT_EQ(edit->textCursor().blockNumber(), 4);
    EXPECT_TRUE(edit->hasFocus());

    // F12 on a jump's label, Ctrl+click on another; an undefined label is named in the status bar.
    const auto placeCursor = [edit](int line, int column) {
        QTextCursor cursor(edit->document()->findBlockByNumber(line - 1));
        cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column - 1);
        edit->setTextCursor(cursor);
    };
    placeCursor(3, 19);
    QTest::keyClick(edit, Qt::Key_F12);
    EXPECT_EQ(edit->textCursor().blockNumber(), 4);
    placeCursor(4, 1);
    QTest::mouseClick(
        edit->viewport(), Qt::LeftButton, Qt::ControlModifier,
        edit->cursorRect().center() +
            QPoint(edit->fontMetrics().horizontalAdvance(QStringLiteral("goto H")), 0));
    EXPECT_EQ(edit->textCursor().blockNumber(), 0);
    placeCursor(6, 7);
    QTest::keyClick(edit, Qt::Key_F12);
    EXPECT_EQ(edit->textCursor().blockNumber(), 5);
    EXPECT_NE(window_->statusBar()->currentMessage().indexOf(QStringLiteral("NOPE")), -1);

    // The outline follows the check of typed text (not each key) and the current tab.
    QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
    type(QStringLiteral("NOPE:"));
    EXPECT_EQ(outline->count(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(outline->count(), 3, 3000);
    window_->newDocument();
    EXPECT_EQ(outline->count(), 0);
    window_->tabs()->setCurrentIndex(0);
    EXPECT_EQ(outline->count(), 3);
    // A raw script's labels, as its compiler reads them.
    write("start.src", "@NRM//#\n*@OLD//\n@PLC0//c2;1;$NRM//");
    open("start.src");
    EXPECT_EQ(shown(), QStringLiteral("NRM\t1 PLC0\t3"));
}

class PocoraInEnglish : public PocoraWindowTest {
  protected:
    kit::testing::ScopedUiLanguage english_{QStringLiteral("pocora"), kit::UiLanguage::English};
};

TEST_F(PocoraInEnglish, MenusTheFindBarAndMessagesShowNoJapanese) {
    window_->openFolder(QString::fromStdString(dir_.string()));
    QStringList found;
    for (auto command : {PocoraWindow::kFind, PocoraWindow::kReplace, PocoraWindow::kGoToLine}) {
        window_->action(command)->trigger();
        found << kit::testing::japaneseTexts(*window_);
    }
    // A file that cannot be read, a script that does not compile.
    EXPECT_FALSE(window_->loadFile(path("missing.src")));
    replaceText(QStringLiteral("$never closed"));
    EXPECT_FALSE(window_->compile());
    ASSERT_EQ(dialogs_.messages.size(), 2);
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("line 1: ")))
        << lastMessage().toStdString();
    for (const auto& [caption, text] : dialogs_.messages) found << caption << text;
    found.removeIf([](const QString& text) { return !kit::testing::hasJapanese(text); });
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1String(" | ")).toStdString();
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("Pocora Editor"));
}

}  // namespace

// The window tests need a QApplication but no display, and settings of their own: the user's
// recent files and window geometry are never read or changed.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QApplication::setOrganizationName(QStringLiteral("kit-test"));
    QApplication::setApplicationName(QStringLiteral("pocora-test"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
