#include <gtest/gtest.h>

#include <QAction>
#include <QTimer>
#include <fstream>
#include <iterator>

#include "UiTestSupport.h"
#include "designer/core/Document.h"
#include "designer/ui/CChildFrame.h"
#include "designer/ui/CMainFrame.h"
#include "designer/ui/CProgressDlg.h"
#include "designer/ui/CommandIds.h"

namespace kyrel {
namespace {

using testing::RecordingPlayer;
using testing::ScriptedPrompts;
using testing::TempDir;

std::vector<unsigned char> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FileCommands : public ::testing::Test {
  protected:
    void start(const std::string& commandLine = "") {
        ASSERT_TRUE(app.start(commandLine));
        QApplication::processEvents();
    }
    void run(int id) {
        app.updateCommandStates();  // as the window's timer does between two commands
        app.mainFrame()->action(id)->trigger();
        QApplication::processEvents();
    }
    QString title() { return app.mainFrame()->windowTitle(); }
    QString status() { return app.mainFrame()->statusText(); }

    TempDir dir;
    ScriptedPrompts prompts;
    RecordingPlayer player;
    CKyrelApp app{prompts, &player, 1};
};

TEST_F(FileCommands, SaveAsThenNewThenOpen) {
    start();
    // Save of an untitled document is Save As.
    const std::string path = dir.file("bell.kyl");
    prompts.fileNames = {path};
    app.design().tracks[2].volume = 77;
    app.design().markChanged();
    run(kCmdSave);
    EXPECT_EQ(title(), QString::fromUtf8("Kyrel - [bell.kyl]"));
    EXPECT_EQ(status(), QString::fromUtf8("保存しました"));
    EXPECT_EQ(app.design().settings.modified, 0);

    // New resets the document and the title.
    prompts.answers = {MessageAnswer::Yes};
    run(kCmdNew);
    EXPECT_EQ(app.design().tracks[2].volume, 96);
    EXPECT_EQ(title(), QString::fromUtf8("Kyrel - [新規作成.kyl]"));

    // Open brings the saved volume back and renames everything.
    app.selectTrack(4);
    prompts.fileNames = {path};
    run(kCmdOpen);
    EXPECT_EQ(app.design().tracks[2].volume, 77);
    EXPECT_EQ(app.design().settings.currentTrack, 0);
    EXPECT_EQ(title(), QString::fromUtf8("Kyrel - [bell.kyl]"));
    EXPECT_EQ(app.curveWindow(CurveKind::Pan)->windowTitle(), QString::fromUtf8("定位 [Track:1]"));
    EXPECT_EQ(app.state().projectDirectory, dir.dir());
}

TEST_F(FileCommands, ProjectOnTheCommandLineOpensAtStart) {
    {
        // Make a project with another instance of the document logic.
        ScriptedPrompts otherPrompts;
        CKyrelApp maker(otherPrompts, nullptr, 3);
        maker.design().tracks[1].volume = 33;
        ASSERT_TRUE(saveProject(maker.state(), dir.file("zap.kyl")));
    }
    start("\"" + dir.file("zap.kyl") + "\"");
    EXPECT_EQ(app.design().tracks[1].volume, 33);
    EXPECT_EQ(title(), QString::fromUtf8("Kyrel - [zap.kyl]"));
    EXPECT_FALSE(app.state().untitled);
    // The project directory stays the working directory.
    EXPECT_NE(app.state().projectDirectory, dir.dir());
}

TEST_F(FileCommands, ProjectOnTheCommandLineThatCannotBeReadLeavesANewDocument) {
    start(dir.file("missing.kyl"));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, dir.file("missing.kyl") + " を開けません");
    EXPECT_TRUE(app.state().untitled);
    EXPECT_EQ(title(), QString::fromUtf8("Kyrel - [新規作成.kyl]"));
}

TEST_F(FileCommands, CreateWavRendersBehindTheProgressDialog) {
    start();
    const std::string wav = dir.file("out.wav");
    prompts.fileNames = {wav};
    int progressDialogs = 0;
    prompts.dialogHandler = [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("作成中"));
        ++progressDialogs;
        return dialog.exec();
    };
    run(kCmdCreateWav);
    ASSERT_EQ(prompts.fileDialogs.size(), 1u);
    EXPECT_EQ(prompts.fileDialogs[0].initialName, "新規作成.wav");
    EXPECT_EQ(progressDialogs, 1);
    const auto bytes = readAll(wav);
    ASSERT_EQ(bytes.size(), 22094u);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 44, bytes.begin() + 50),
              (std::vector<unsigned char>{139, 150, 160, 170, 179, 187}));
    EXPECT_EQ(status(), QString::fromUtf8("Waveファイルを作成しました"));
}

TEST_F(FileCommands, CancellingTheRenderWritesNothing) {
    start();
    app.design().settings.durationMs = 30000;
    app.design().settings.rateIndex = 2;
    app.design().settings.bitsIndex = 1;
    app.design().settings.channelIndex = 1;
    const std::string wav = dir.file("long.wav");
    prompts.fileNames = {wav};
    bool wasRendering = false;
    prompts.dialogHandler = [&](QDialog& dialog) {
        auto& progress = dynamic_cast<CProgressDlg&>(dialog);
        // Press Cancel once the render has begun.
        QTimer::singleShot(0, &progress, [&] {
            QTimer::singleShot(0, &progress, [&] {
                wasRendering = progress.isVisible();
                progress.reject();
            });
        });
        return progress.exec();
    };
    run(kCmdCreateWav);
    EXPECT_TRUE(wasRendering);
    EXPECT_FALSE(std::filesystem::exists(wav));
    EXPECT_EQ(status(), QString());

    // Play behind a cancelled render plays nothing and stays stale.
    run(kCmdPlay);
    EXPECT_TRUE(player.started().empty());
    EXPECT_EQ(app.design().settings.renderStale, 1);
}

}  // namespace
}  // namespace kyrel
