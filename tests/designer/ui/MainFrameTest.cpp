#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

#include "UiTestSupport.h"
#include "designer/ui/CChildFrame.h"
#include "designer/ui/CCurveView.h"
#include "designer/ui/CMainFrame.h"
#include "designer/ui/CommandIds.h"

namespace kyrel {
namespace {

using testing::RecordingPlayer;
using testing::ScriptedPrompts;
using testing::TempDir;
using testing::waitUntil;

class MainFrame : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(app.start(""));
        frame().activateWindow();
        QApplication::processEvents();
    }

    CMainFrame& frame() { return *app.mainFrame(); }
    QAction& command(int id) { return *frame().action(id); }
    bool enabled(int id) {
        app.updateCommandStates();
        return command(id).isEnabled();
    }
    QString title(CurveKind kind) { return app.curveWindow(kind)->windowTitle(); }

    TempDir dir;
    ScriptedPrompts prompts;
    RecordingPlayer player;
    CKyrelApp app{prompts, &player, 1};
};

TEST_F(MainFrame, StartsWithFourTiledWindowsAndItsTitle) {
    EXPECT_EQ(frame().windowTitle(), QString::fromUtf8("Kyrel - [新規作成.kyl]"));
    EXPECT_EQ(frame().mdiArea().subWindowList().size(), 4);
    EXPECT_EQ(app.state().activeKind, static_cast<std::int32_t>(CurveKind::Pan));
    // Tiled one above another, each as wide as the area.
    int top = -1;
    for (int k = 0; k < kCurveKindCount; ++k) {
        const QRect r = app.curveWindow(static_cast<CurveKind>(k))->geometry();
        EXPECT_EQ(r.left(), 0);
        EXPECT_EQ(r.width(), frame().mdiArea().viewport()->width());
        EXPECT_GT(r.top(), top);
        top = r.top();
    }
    EXPECT_FALSE(frame().showsShortMenu());
}

TEST_F(MainFrame, FirstCopyIsInstanceZeroAndASecondCopyOne) {
    EXPECT_EQ(app.state().instanceNumber, 0);
    EXPECT_EQ(app.state().tempWavPath, dir.file("KYTemp0.wav"));
    ScriptedPrompts otherPrompts;
    CKyrelApp second(otherPrompts, nullptr, 2);
    ASSERT_TRUE(second.start(""));
    EXPECT_EQ(second.state().instanceNumber, 1);
    EXPECT_EQ(second.state().tempWavPath, dir.file("KYTemp1.wav"));
}

TEST_F(MainFrame, TrackKeysSwitchTrackTitlesAndChecks) {
    QTest::keyClick(&app.curveWindow(CurveKind::Volume)->view(), Qt::Key_3);
    EXPECT_EQ(app.design().settings.currentTrack, 2);
    app.updateCommandStates();
    for (int t = 0; t < kTrackCount; ++t) EXPECT_EQ(command(kCmdTrack1 + t).isChecked(), t == 2);
    EXPECT_EQ(title(CurveKind::Volume), QString::fromUtf8("音量 [Track:3]"));

    // A closed window is skipped; the others follow the switch to track 4.
    app.curveWindow(CurveKind::Pan)->close();
    QApplication::processEvents();
    EXPECT_EQ(app.curveWindow(CurveKind::Pan), nullptr);
    command(kCmdTrack1 + 3).trigger();
    EXPECT_EQ(app.design().settings.currentTrack, 3);
    EXPECT_EQ(title(CurveKind::Waveform), QString::fromUtf8("波形 [Track:4]"));
    EXPECT_EQ(title(CurveKind::Frequency), QString::fromUtf8("周波数 [Track:4]"));
    // Track 4 of a new document has its volume curve at 0 (the middle row), track 1 at -20000.
    CCurveView& volume = app.curveWindow(CurveKind::Volume)->view();
    const int middle = volume.plot().valueToRow(0);
    EXPECT_EQ(
        volume.windowImage().pixel(CurvePlot::kMargin + 5, CurvePlot::kMargin + middle) & 0xFFFFFFu,
        plotcolour::kCurve & 0xFFFFFFu);

    for (int t = 0; t < kTrackCount; ++t) {
        QTest::keyClick(&volume, static_cast<Qt::Key>(Qt::Key_1 + t));
        EXPECT_EQ(app.design().settings.currentTrack, t);
    }
}

TEST_F(MainFrame, ReopeningAWindowActivatesIt) {
    EXPECT_TRUE(app.openCurveWindow(static_cast<int>(CurveKind::Volume)));
    QApplication::processEvents();
    EXPECT_EQ(frame().mdiArea().subWindowList().size(), 4);
    EXPECT_EQ(app.activeCurveWindow(), app.curveWindow(CurveKind::Volume));
    EXPECT_FALSE(app.openCurveWindow(4));
    EXPECT_FALSE(app.openCurveWindow(-1));

    // A closed window is made anew through its menu command.
    app.curveWindow(CurveKind::Volume)->close();
    QApplication::processEvents();
    EXPECT_EQ(frame().mdiArea().subWindowList().size(), 3);
    command(kCmdWindowVolume).trigger();
    QApplication::processEvents();
    ASSERT_NE(app.curveWindow(CurveKind::Volume), nullptr);
    EXPECT_EQ(title(CurveKind::Volume), QString::fromUtf8("音量 [Track:1]"));
    EXPECT_EQ(frame().mdiArea().subWindowList().size(), 4);
}

TEST_F(MainFrame, WindowMenuListsTheEditWindows) {
    QMenu& menu = *frame().windowMenu();
    for (int shown = 0; shown < 2; ++shown) menu.aboutToShow();  // the list is made anew
    QStringList entries;
    QAction* frequency = nullptr;
    for (QAction* a : menu.actions()) {
        if (a->text().contains(QLatin1String("[Track:"))) entries << a->text();
        if (a->text().contains(QString::fromUtf8("周波数"))) frequency = a;
    }
    EXPECT_EQ(entries,
              (QStringList{
                  QString::fromUtf8("&1 波形 [Track:1]"), QString::fromUtf8("&2 周波数 [Track:1]"),
                  QString::fromUtf8("&3 音量 [Track:1]"), QString::fromUtf8("&4 定位 [Track:1]")}));
    ASSERT_NE(frequency, nullptr);
    frequency->trigger();
    QApplication::processEvents();
    EXPECT_EQ(app.activeCurveWindow(), app.curveWindow(CurveKind::Frequency));
}

TEST_F(MainFrame, ShortMenuWhileNoEditWindowIsOpen) {
    for (QMdiSubWindow* w : frame().mdiArea().subWindowList()) w->close();
    QApplication::processEvents();
    EXPECT_TRUE(frame().showsShortMenu());
    // Accelerators still work without an edit window.
    command(kCmdTrack1 + 5).trigger();
    EXPECT_EQ(app.design().settings.currentTrack, 5);
    command(kCmdWindowWaveform).trigger();
    QApplication::processEvents();
    EXPECT_FALSE(frame().showsShortMenu());
    EXPECT_EQ(title(CurveKind::Waveform), QString::fromUtf8("波形 [Track:6]"));
}

TEST_F(MainFrame, GeneratorOnlyFromTheWaveformWindowAndCopyOnlyWithASelection) {
    for (CurveKind kind : {CurveKind::Frequency, CurveKind::Volume, CurveKind::Pan}) {
        app.openCurveWindow(static_cast<int>(kind));
        QApplication::processEvents();
        EXPECT_FALSE(enabled(kCmdGenerator));
    }
    app.openCurveWindow(static_cast<int>(CurveKind::Waveform));
    QApplication::processEvents();
    EXPECT_TRUE(enabled(kCmdGenerator));

    EXPECT_FALSE(enabled(kCmdCopy));
    app.state().selectionVisible = 1;
    EXPECT_TRUE(enabled(kCmdCopy));
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(enabled(kCmdPaste));  // nothing to paste without a curve block
}

TEST_F(MainFrame, PlayingDisablesCommandsAndRefusesToQuit) {
    app.design().settings.durationMs = 20000;
    EXPECT_FALSE(enabled(kCmdStop));
    command(kCmdPlay).trigger();
    ASSERT_TRUE(app.state().isPlaying());
    ASSERT_TRUE(waitUntil([&] { return player.started().size() == 1; }));
    EXPECT_EQ(player.started().front(), dir.file("KYTemp0.wav"));
    for (int id : {kCmdNew, kCmdOpen, kCmdExit, kCmdPlay, kCmdPlayEditedTrack, kCmdCreateWav,
                   kCmdEffectSettings, kCmdWaveSettings}) {
        EXPECT_FALSE(enabled(id)) << id;
    }
    EXPECT_TRUE(enabled(kCmdStop));
    EXPECT_TRUE(enabled(kCmdSave));  // saving stays possible

    // Neither the close box nor a disabled Exit ends the program during playback.
    EXPECT_FALSE(frame().close());
    EXPECT_TRUE(frame().isVisible());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "再生中は終了できません");
    EXPECT_EQ(prompts.shown[0].caption, "Kyrel");
    command(kCmdExit).trigger();
    EXPECT_TRUE(frame().isVisible());

    command(kCmdStop).trigger();
    ASSERT_TRUE(waitUntil([&] { return !app.state().isPlaying(); }, 1000));
    EXPECT_EQ(player.stops(), 1);
    EXPECT_TRUE(enabled(kCmdPlay));
    EXPECT_FALSE(enabled(kCmdStop));
}

TEST_F(MainFrame, ClosingWithUnsavedChangesAsksFirst) {
    app.design().markChanged();
    prompts.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(frame().close());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "新規作成.kyl は変更されています。保存しますか？");
    EXPECT_EQ(prompts.shown[0].buttons, MessageButtons::YesNoCancel);

    prompts.answers = {MessageAnswer::No};
    EXPECT_TRUE(frame().close());
}

TEST_F(MainFrame, ToolbarsComeBackAndTheStatusBarToggles) {
    for (QAction* a : frame().mainToolBar()->actions()) {
        if (!a->isSeparator()) {
            EXPECT_FALSE(a->icon().isNull()) << a->data().toInt();
        }
    }
    frame().mainToolBar()->hide();
    frame().trackToolBar()->hide();
    command(kCmdShowToolbars).trigger();
    EXPECT_TRUE(frame().mainToolBar()->isVisible());
    EXPECT_TRUE(frame().trackToolBar()->isVisible());
    command(kCmdShowToolbars).trigger();  // shows, never hides
    EXPECT_TRUE(frame().mainToolBar()->isVisible());

    command(kCmdStatusBar).trigger();
    EXPECT_FALSE(command(kCmdStatusBar).isChecked());
    command(kCmdStatusBar).trigger();
    EXPECT_TRUE(command(kCmdStatusBar).isChecked());
}

TEST_F(MainFrame, HelpOpensItsWindow) {
    command(kCmdHelp).trigger();
    auto* help = frame().findChild<QTextBrowser*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->toPlainText().contains(QString::fromUtf8("効果音デザイナー")));
}

}  // namespace
}  // namespace kyrel
