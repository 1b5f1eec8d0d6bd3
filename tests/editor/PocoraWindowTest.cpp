#include "editor/PocoraWindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "FakeDialogs.h"
#include "common/ShiftJis.h"
#include "editor/ScriptEdit.h"
#include "editor/ScriptHighlighter.h"

namespace fs = std::filesystem;
using pocora::PocoraWindow;

namespace {

std::string sjis(const char* utf8) {
    return kit::utf8ToSjis(utf8).value();
}

class PocoraWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("pocora-window-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
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
    void type(const QString& keys) { QTest::keyClicks(window_->editor(), keys); }
    // Inserts at the cursor as typing does, for characters key clicks cannot produce.
    void insert(const QString& text) { window_->editor()->insertPlainText(text); }
    void open(const char* name) {
        dialogs_.openNames.enqueue(path(name));
        window_->openDocument();
    }

    fs::path dir_;
    FakeDialogs dialogs_;
    std::unique_ptr<PocoraWindow> window_;
};

TEST_F(PocoraWindowTest, OpenShowsShiftJisTextAndSaveWritesItBackWithAZeroByte) {
    const std::string source = sjis("* 挨拶\r\nc2;0;$こんにちは//\r\n#\r\n");
    write("talk.qd", source);
    open("talk.qd");

    ASSERT_EQ(dialogs_.openRequests.size(), 1);
    const auto& request = dialogs_.openRequests.first();
    EXPECT_EQ(request.title, QStringLiteral("ファイルオープン！"));
    EXPECT_EQ(request.filters, (QStringList{"qd text(*.qd)", "All files(*.*)"}));
    EXPECT_EQ(request.defaultSuffix, "qd");
    EXPECT_EQ(request.directory, QCoreApplication::applicationDirPath());
    EXPECT_TRUE(request.mustExist);
    EXPECT_TRUE(dialogs_.questions.isEmpty());

    EXPECT_EQ(text(), QStringLiteral("* 挨拶\nc2;0;$こんにちは//\n#\n"));
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("ポコラエジタ[talk.qd]"));
    EXPECT_EQ(window_->currentPath(), path("talk.qd"));
    EXPECT_FALSE(modified());

    ASSERT_TRUE(window_->save());
    EXPECT_EQ(read("talk.qd"), source + '\0');

    // Reopening the saved file shows the same text, and a shorter text replaces a longer file.
    window_->editor()->setPlainText(QStringLiteral("#"));
    ASSERT_TRUE(window_->save());
    EXPECT_EQ(read("talk.qd"), std::string("#\0", 2));
    ASSERT_TRUE(window_->loadFile(path("talk.qd")));
    EXPECT_EQ(text(), "#");
}

TEST_F(PocoraWindowTest, LineFeedFilesKeepTheirLineBreaks) {
    write("unix.txt", "#\n@A//\n");
    ASSERT_TRUE(window_->loadFile(path("unix.txt")));
    ASSERT_TRUE(window_->save());
    EXPECT_EQ(read("unix.txt"), std::string("#\n@A//\n\0", 8));
}

TEST_F(PocoraWindowTest, TextsOfMoreThan65535BytesAreRefused) {
    write("small.qd", "#");
    ASSERT_TRUE(window_->loadFile(path("small.qd")));

    write("big.qd", std::string(65536, 'A'));
    open("big.qd");
    ASSERT_EQ(dialogs_.messages.size(), 1);
    EXPECT_EQ(dialogs_.messages.first(), qMakePair(QStringLiteral("Too Big File!"),
                                                   QStringLiteral("ファイルサイズが大きすぎます")));
    // The refused file does not become the target of Save.
    EXPECT_EQ(window_->currentPath(), path("small.qd"));
    EXPECT_EQ(text(), "#");

    write("edge.qd", std::string(65535, 'A'));
    EXPECT_TRUE(window_->loadFile(path("edge.qd")));
    EXPECT_EQ(window_->editor()->byteCount(), 65535u);
    // Saved, it gains its zero byte and still opens.
    ASSERT_TRUE(window_->save());
    EXPECT_EQ(fs::file_size(dir_ / "edge.qd"), 65536u);
    EXPECT_TRUE(window_->loadFile(path("edge.qd")));
    EXPECT_EQ(text().size(), 65535);
    EXPECT_EQ(dialogs_.messages.size(), 1);
}

TEST_F(PocoraWindowTest, FilesThatAreNotShiftJisAreRefused) {
    write("bad.qd", "ab\x82\x20");
    EXPECT_FALSE(window_->loadFile(path("bad.qd")));
    ASSERT_EQ(dialogs_.messages.size(), 1);
    EXPECT_EQ(dialogs_.messages.first().first, "Error");
    EXPECT_TRUE(dialogs_.messages.first().second.contains("3 バイト目"));
    EXPECT_EQ(window_->currentPath(), QString());
}

TEST_F(PocoraWindowTest, NewAsksAboutChangesAndTheNewTextIsSavedUnderANewName) {
    write("old.qd", "#");
    ASSERT_TRUE(window_->loadFile(path("old.qd")));
    type("c0;");

    // No: the text is dropped.
    dialogs_.yesNo.enqueue(false);
    window_->newDocument();
    EXPECT_EQ(dialogs_.questions.last(),
              qMakePair(QStringLiteral("注意"),
                        QStringLiteral("文書が更新されています。保存しますか？")));
    EXPECT_EQ(text(), "");
    EXPECT_FALSE(modified());
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("ポコラエジタ[無題]"));

    // The untitled text never goes into the file opened before: Save asks for a name.
    type("@B//");
    dialogs_.saveNames.enqueue(path("new.txt"));
    ASSERT_TRUE(window_->save());
    EXPECT_EQ(dialogs_.saveRequests.size(), 1);
    EXPECT_EQ(read("old.qd"), "#");
    EXPECT_EQ(read("new.txt"), std::string("@B//\0", 5));
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("ポコラエジタ[new.txt]"));
}

TEST_F(PocoraWindowTest, ASaveThatDoesNotHappenKeepsTheText) {
    type("keep");
    // Yes, then the save dialog is cancelled: New does nothing.
    dialogs_.yesNo.enqueue(true);
    dialogs_.saveNames.enqueue(QString());
    window_->newDocument();
    EXPECT_EQ(text(), "keep");
    EXPECT_TRUE(modified());

    // Yes, and the file is saved under its name first.
    dialogs_.yesNo.enqueue(true);
    dialogs_.saveNames.enqueue(path("kept.txt"));
    window_->newDocument();
    EXPECT_EQ(read("kept.txt"), std::string("keep\0", 5));
    EXPECT_EQ(text(), "");
}

TEST_F(PocoraWindowTest, OpenAsksWithOkCancelAndCancelMeansDoNotSave) {
    write("next.qd", "#");
    type("draft");
    dialogs_.okCancel.enqueue(false);
    open("next.qd");
    EXPECT_EQ(dialogs_.questions.last(),
              qMakePair(QStringLiteral("注意！"),
                        QStringLiteral("文書が変更されています。保存しますか？")));
    EXPECT_TRUE(dialogs_.saveRequests.isEmpty());
    EXPECT_EQ(text(), "#");

    type("more");
    dialogs_.okCancel.enqueue(true);
    dialogs_.saveNames.enqueue(path("more.txt"));
    open("next.qd");
    EXPECT_EQ(read("more.txt"), std::string("more#\0", 6));  // typed where the cursor was
    EXPECT_EQ(text(), "#");
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("ポコラエジタ[next.qd]"));
}

TEST_F(PocoraWindowTest, SaveAsAsksForATextFileName) {
    type("abc");
    dialogs_.saveNames.enqueue(path("out.txt"));
    ASSERT_TRUE(window_->saveAs());
    const auto& request = dialogs_.saveRequests.first();
    EXPECT_EQ(request.title, QStringLiteral("名前を付けて保存する！"));
    EXPECT_EQ(request.filters, (QStringList{"text(*.txt)", "All files(*.*)"}));
    EXPECT_EQ(request.defaultSuffix, "txt");
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("ポコラエジタ[out.txt]"));
    EXPECT_EQ(window_->fileTitle(), "out.txt");
    EXPECT_FALSE(modified());
}

TEST_F(PocoraWindowTest, FailedWritesAreReportedAndTheTextStaysModified) {
    type("x");
    dialogs_.saveNames.enqueue(path("missing-dir/out.txt"));
    EXPECT_FALSE(window_->save());  // no file chosen yet: Save asks for one
    ASSERT_EQ(dialogs_.messages.size(), 1);
    EXPECT_EQ(dialogs_.messages[0].first, "Error");
    EXPECT_TRUE(dialogs_.messages[0].second.startsWith("Error CloseHandle"));
    EXPECT_TRUE(modified());
    EXPECT_EQ(window_->currentPath(), QString());
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("ポコラエジタ"));
}

TEST_F(PocoraWindowTest, CharactersShiftJisCannotHoldAreRefusedOnSaving) {
    write("doc.txt", "old");
    ASSERT_TRUE(window_->loadFile(path("doc.txt")));
    window_->editor()->selectAll();
    window_->editor()->insertPlainText(QStringLiteral("ok\nab😀c"));
    EXPECT_FALSE(window_->save());
    ASSERT_EQ(dialogs_.messages.size(), 1);
    EXPECT_TRUE(dialogs_.messages[0].second.contains(QStringLiteral("😀")));
    EXPECT_TRUE(dialogs_.messages[0].second.contains("U+1F600"));
    EXPECT_TRUE(dialogs_.messages[0].second.contains(QStringLiteral("2行 3列")));
    EXPECT_EQ(read("doc.txt"), "old");
    EXPECT_TRUE(modified());
}

TEST_F(PocoraWindowTest, CompileWritesTheScriptAndTheSourceKeepsItsFileAndChanges) {
    write("hero.txt", "");
    ASSERT_TRUE(window_->loadFile(path("hero.txt")));
    write("hero.sc", std::string(50, 'z'));  // a longer old script is replaced, not overwritten
    insert(QStringLiteral("c-4;\n@NRM//\n$ev\\hero//"));
    dialogs_.saveNames.enqueue(path("hero.sc"));
    ASSERT_TRUE(window_->compile());

    const auto& request = dialogs_.saveRequests.first();
    EXPECT_EQ(request.filters, (QStringList{"qd script(*.sc)", "All files(*.*)"}));
    EXPECT_EQ(request.defaultSuffix, "sc");
    EXPECT_EQ(read("hero.sc"), std::string("c\xFC@NRM//7!ev\\hero"));
    EXPECT_EQ(window_->statusBar()->currentMessage(),
              QStringLiteral("hero.sc にコンパイルしました"));

    // The source is still unsaved and still belongs to its own file: Save puts it there and the
    // script stays as compiled.
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("ポコラエジタ[hero.txt]"));
    EXPECT_TRUE(modified());
    ASSERT_TRUE(window_->save());
    EXPECT_EQ(read("hero.txt"), std::string("c-4;\r\n@NRM//\r\n$ev\\hero//\0", 25));
    EXPECT_EQ(read("hero.sc"), std::string("c\xFC@NRM//7!ev\\hero"));
}

TEST_F(PocoraWindowTest, CompileErrorsNameTheLineAndWriteNothing) {
    insert(QStringLiteral("#\n#\nc2;0;$LOOP\n"));
    EXPECT_FALSE(window_->compile());
    EXPECT_TRUE(dialogs_.saveRequests.isEmpty());
    ASSERT_EQ(dialogs_.messages.size(), 1);
    EXPECT_TRUE(dialogs_.messages[0].second.startsWith(QStringLiteral("3行目")));
    EXPECT_TRUE(modified());
}

TEST_F(PocoraWindowTest, CloseAsksAndOnlyAFailedSaveKeepsTheWindow) {
    window_->show();
    type("x");
    dialogs_.yesNo.enqueue(true);
    dialogs_.saveNames.enqueue(QString());
    EXPECT_FALSE(window_->close());
    EXPECT_EQ(dialogs_.questions.last(),
              qMakePair(QStringLiteral("注意"),
                        QStringLiteral("文書が変更されています。保存しますか？")));

    dialogs_.yesNo.enqueue(false);
    EXPECT_TRUE(window_->close());
}

TEST_F(PocoraWindowTest, TheEditorHoldsAtMost65535Bytes) {
    auto* edit = window_->editor();
    edit->setPlainText(QString(65533, 'a'));
    edit->moveCursor(QTextCursor::End);
    type("xyz");  // one fits... two fit, the third is refused
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
}

TEST_F(PocoraWindowTest, StatusBarShowsLineColumnAndBytes) {
    type("ab");
    QTest::keyClick(window_->editor(), Qt::Key_Return);
    type("cd");
    EXPECT_EQ(window_->statusText(), QStringLiteral("2:3 6 / 65535 バイト"));
}

TEST_F(PocoraWindowTest, HighlighterColoursTheScriptAsTheCompilerReadsIt) {
    auto* edit = window_->editor();
    edit->setPlainText(QStringLiteral("c0;1;=$a\nb// * r\n@NRM//#x"));
    pocora::ScriptHighlighter probe(nullptr);
    auto formatAt = [&](int blockNumber, int column) {
        const QTextBlock block = edit->document()->findBlockByNumber(blockNumber);
        for (const auto& range : block.layout()->formats())
            if (column >= range.start && column < range.start + range.length) return range.format;
        return QTextCharFormat();
    };
    EXPECT_EQ(formatAt(0, 0), probe.instructionFormat);
    EXPECT_EQ(formatAt(0, 2), probe.instructionFormat);
    EXPECT_EQ(formatAt(0, 3), QTextCharFormat());  // an operand digit
    EXPECT_EQ(formatAt(0, 6), probe.stringFormat);
    EXPECT_EQ(formatAt(1, 0), probe.stringFormat);  // the string runs on over the line break
    EXPECT_EQ(formatAt(1, 2), probe.stringFormat);
    EXPECT_EQ(formatAt(1, 5), probe.commentFormat);
    EXPECT_EQ(formatAt(2, 0), probe.labelFormat);
    EXPECT_EQ(formatAt(2, 6), probe.yieldFormat);
    EXPECT_EQ(formatAt(2, 7), probe.errorFormat);  // a letter with no number
}

}  // namespace
