#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>
#include <QTimer>

#include "UiTestSupport.h"
#include "common/LittleEndian.h"
#include "designer/core/Document.h"
#include "designer/ui/CProgressDlg.h"
#include "designer/ui/CommandIds.h"
#include "designer/ui/PresetMenu.h"
#include "designer/ui/RememberedState.h"

namespace kyrel {
namespace {

using testing::ScriptedPrompts;

class FileCommands : public testing::KyrelWindows {
  protected:
    QString title() { return frame().windowTitle(); }
    // Saves a project whose track 2 has volume `volume`, made by another copy of the logic.
    void makeProject(const std::string& path, int volume) {
        ScriptedPrompts otherPrompts;
        CKyrelApp maker(otherPrompts, nullptr, 3);
        maker.design().tracks[1].volume = volume;
        ASSERT_TRUE(saveProject(maker.state(), path));
    }
};

// A project opened from the command line is saved back where it came from, and nothing of the
// document before an Open comes back through Undo.
TEST_F(FileCommands, SaveWritesBackToTheOpenedFileAndUndoStopsAtOpen) {
    std::filesystem::create_directory(dir.file("sub"));
    makeProject(dir.file("sub/boom.kyl"), 33);
    makeProject(dir.file("zap.kyl"), 44);
    const auto workingDirectory = std::filesystem::current_path();
    std::filesystem::current_path(dir.dir());
    start("\"sub/boom.kyl\"");
    std::filesystem::current_path(workingDirectory);
    EXPECT_EQ(app.design().tracks[1].volume, 33);
    EXPECT_EQ(title(), QString::fromUtf8("Kyrel - [boom.kyl]"));

    CCurveView& volume = *app.curveView(CurveKind::Volume);
    app.openCurveWindow(static_cast<int>(CurveKind::Volume));
    QApplication::processEvents();
    QTest::mouseClick(&volume, Qt::LeftButton, {}, {CCurveView::kMargin, CCurveView::kMargin});
    ASSERT_EQ(app.design().tracks[0].curve(CurveKind::Volume)[0], -32768);
    prompts.answers = {MessageAnswer::Yes};  // overwrite boom.kyl
    QTest::keyClick(&volume, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(std::filesystem::exists(dir.file("boom.kyl")));
    const auto saved = readAll(dir.file("sub/boom.kyl"));
    ASSERT_EQ(saved.size(), 212204u);
    EXPECT_EQ(kit::readI32LE(saved, 4 + 4 * (7 + 2 * 2202)), -32768);  // volume point 0

    // Another stroke, then Open: Undo has nothing of the previous document to bring back.
    QTest::mouseClick(&volume, Qt::LeftButton, {}, {CCurveView::kMargin + 9, CCurveView::kMargin});
    testing::activate(*app.mainFrame());
    prompts.answers = {MessageAnswer::No};  // do not save the stroke
    prompts.fileNames = {dir.file("zap.kyl")};
    QTest::keyClick(&volume, Qt::Key_O, Qt::ControlModifier);
    testing::activate(*app.mainFrame());
    EXPECT_EQ(app.design().tracks[1].volume, 44);
    const Curve opened = app.design().tracks[0].curve(CurveKind::Volume);
    prompts.shown.clear();
    QTest::keyClick(&volume, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "元に戻すは出来ません");
    EXPECT_EQ(app.design().tracks[0].curve(CurveKind::Volume), opened);
    EXPECT_EQ(app.design().settings.modified, 0);
}

TEST_F(FileCommands, RecentProjectsAndTheWindowAreRememberedBetweenRuns) {
    for (const char* name : {"a.kyl", "b.kyl"}) makeProject(dir.file(name), 50);
    {
        ScriptedPrompts firstPrompts;
        CKyrelApp first(firstPrompts, nullptr, 5);
        ASSERT_TRUE(first.start(""));
        first.mainFrame()->resize(610, 420);
        for (const char* name : {"a.kyl", "b.kyl", "a.kyl"}) {
            firstPrompts.fileNames = {dir.file(name)};
            first.mainFrame()->action(kCmdOpen)->trigger();
        }
    }
    std::filesystem::remove(dir.file("b.kyl"));  // a missing file is dropped
    start();
    EXPECT_EQ(app.mainFrame()->size(), QSize(610, 420));
    QMenu& recent = *app.mainFrame()->recentFilesMenu();
    recent.aboutToShow();
    ASSERT_EQ(recent.actions().size(), 1);
    EXPECT_EQ(recent.actions()[0]->text(), QString::fromStdString("&1 " + dir.file("a.kyl")));
    recent.actions()[0]->trigger();
    EXPECT_EQ(title(), QString::fromUtf8("Kyrel - [a.kyl]"));
    EXPECT_EQ(app.design().tracks[1].volume, 50);
}

TEST_F(FileCommands, CancellingTheRenderWritesNothing) {
    start();
    DesignSettings& s = app.design().settings;
    s.durationMs = 30000;
    s.rateIndex = 2;
    s.bitsIndex = 1;
    s.channelIndex = 1;
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
    command(kCmdCreateWav);
    EXPECT_TRUE(wasRendering);
    EXPECT_FALSE(std::filesystem::exists(wav));
    EXPECT_EQ(app.mainFrame()->statusText(), QString());

    // Play behind a cancelled render plays nothing and stays stale.
    command(kCmdPlay);
    EXPECT_TRUE(player.started().empty());
    EXPECT_EQ(app.design().settings.renderStale, 1);
}

// A preset is a new sound: Save asks for a name rather than overwrite the project open before.
TEST_F(FileCommands, PresetStartsAnUntitledDocument) {
    makeProject(dir.file("sword.kyl"), 33);
    start();
    prompts.fileNames = {dir.file("sword.kyl")};
    command(kCmdOpen);
    const auto sword = readAll(dir.file("sword.kyl"));
    frame().presetMenu().presetAction(PresetKind::Coin)->trigger();
    EXPECT_EQ(title(), QString::fromUtf8("Kyrel - [新規作成.kyl*]"));
    command(kCmdSave);  // the name dialog, cancelled
    ASSERT_EQ(prompts.fileDialogs.size(), 2u);
    EXPECT_TRUE(prompts.fileDialogs.back().save);
    EXPECT_EQ(readAll(dir.file("sword.kyl")), sword);
    EXPECT_EQ(frame().action(kCmdSaveAs)->shortcut(),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
}

TEST_F(FileCommands, WithoutASoundDevicePlaySaysSoOnceAndCreateWavStillWrites) {
    start();
    player.hasDevice = false;
    const std::string noDevice =
        "サウンドデバイスがないため再生できません（Waveファイルの作成はできます）";
    for (int id : {kCmdPlay, kCmdPlay, kCmdPlayEditedTrack}) {
        command(id);
        EXPECT_EQ(frame().statusText(), QString::fromStdString(noDevice));
    }
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, noDevice);
    EXPECT_TRUE(player.started().empty());
    prompts.fileNames = {dir.file("a.wav")};
    command(kCmdCreateWav);
    EXPECT_TRUE(std::filesystem::exists(dir.file("a.wav")));
    EXPECT_TRUE(frame().statusText().startsWith(QString::fromUtf8("Waveファイルを作成しました")));
}

}  // namespace
}  // namespace kyrel
