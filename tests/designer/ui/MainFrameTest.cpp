#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <algorithm>

#include "UiTestSupport.h"
#include "designer/ui/CProgressDlg.h"
#include "designer/ui/CommandIds.h"
#include "designer/ui/InstanceLock.h"

namespace kyrel {
namespace {

using testing::ScriptedPrompts;
using testing::waitUntil;

class MainFrame : public testing::KyrelWindows {
  protected:
    void SetUp() override { start(); }
    QAction& command(int id) { return *frame().action(id); }
    QString title(CurveKind kind) { return app.curveWindow(kind)->windowTitle(); }
    void closeAllEditWindows() {
        for (QMdiSubWindow* w : frame().mdiArea().subWindowList()) w->close();
        QApplication::processEvents();
    }
};

TEST_F(MainFrame, StartsWithFourTiledWindowsAndItsTitle) {
    EXPECT_EQ(frame().windowTitle(), QString::fromUtf8("Kyrel - [新規作成.kyl]"));
    EXPECT_EQ(app.state().activeKind, static_cast<std::int32_t>(CurveKind::Pan));
    const QRect last = app.curveWindow(CurveKind::Pan)->geometry();  // tiled one above another
    EXPECT_EQ(last.width(), frame().mdiArea().viewport()->width());
    EXPECT_EQ(last.bottom(), frame().mdiArea().viewport()->height() - 1);
}

TEST_F(MainFrame, CopiesTakeTheSmallestFreeInstanceNumberAndRemoveTheirPlaybackFile) {
    EXPECT_EQ(app.state().tempWavPath, dir.file("KYTemp0.wav"));
    InstanceLock two;
    {
        ScriptedPrompts otherPrompts;
        CKyrelApp second(otherPrompts, nullptr, 2);
        ASSERT_TRUE(second.start(""));
        EXPECT_EQ(second.state().tempWavPath, dir.file("KYTemp1.wav"));
        EXPECT_EQ(two.acquire(dir.dir()), 2);
        second.design().settings.durationMs = 10;
        second.mainFrame()->action(kCmdPlay)->trigger();
        ASSERT_TRUE(std::filesystem::exists(dir.file("KYTemp1.wav")));
        ASSERT_TRUE(waitUntil([&] { return !second.state().isPlaying(); }));
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("KYTemp1.wav"))) << "removed at the end";
    InstanceLock gap;  // copies 0 and 2 run
    EXPECT_EQ(gap.acquire(dir.dir()), 1);
    InstanceLock nowhere;
    EXPECT_EQ(nowhere.acquire("/nonexistent-kyrel-dir/"), 0);
    EXPECT_FALSE(nowhere.held());
}

// Every accelerator reaches its command from the keyboard, with the edit windows as they are
// at start, with one of them maximised and with none open.
TEST_F(MainFrame, EveryAcceleratorRunsItsCommandInEveryWindowState) {
    struct Accelerator {
        QKeyCombination keys;
        int id;
        bool needsWaveformWindow = false;
    };
    const std::vector<Accelerator> table = {
        {Qt::CTRL | Qt::Key_N, kCmdNew},
        {Qt::CTRL | Qt::Key_O, kCmdOpen},
        {Qt::CTRL | Qt::Key_S, kCmdSave},
        {Qt::CTRL | Qt::Key_Z, kCmdUndo},
        {Qt::CTRL | Qt::Key_Y, kCmdRedo},
        {Qt::CTRL | Qt::Key_A, kCmdSelectAll},
        {Qt::CTRL | Qt::Key_C, kCmdCopy},
        {Qt::CTRL | Qt::Key_Insert, kCmdCopy},
        {Qt::CTRL | Qt::Key_V, kCmdPaste},
        {Qt::SHIFT | Qt::Key_Insert, kCmdPaste},
        {Qt::CTRL | Qt::Key_G, kCmdGenerator, true},
        {Qt::CTRL | Qt::Key_P, kCmdPlay},
        {Qt::CTRL | Qt::Key_L, kCmdStop},
        {Qt::CTRL | Qt::Key_Q, kCmdPlayEditedTrack},
        {Qt::CTRL | Qt::Key_L, kCmdStop},
        {Qt::CTRL | Qt::Key_W, kCmdCreateWav},
        {Qt::CTRL | Qt::Key_T, kCmdEffectSettings},
        {Qt::CTRL | Qt::Key_D, kCmdWaveSettings},
        {QKeyCombination(Qt::Key_F6), kCmdNextPane},
        {Qt::SHIFT | Qt::Key_F6, kCmdPreviousPane},
        {QKeyCombination(Qt::Key_1), kCmdTrack1},
        {QKeyCombination(Qt::Key_6), kCmdTrack1 + 5},
    };
    app.design().settings.durationMs = 20000;
    std::vector<std::string> dialogs;
    prompts.dialogHandler = [&](QDialog& dialog) {
        if (dynamic_cast<CProgressDlg*>(&dialog)) return dialog.exec();  // a render
        dialogs.push_back(dialog.metaObject()->className());
        return static_cast<int>(QDialog::Rejected);
    };
    for (const std::string state : {"tiled", "maximised", "none"}) {
        if (state == "none") {
            closeAllEditWindows();
        } else {
            app.openCurveWindow(static_cast<int>(CurveKind::Waveform));
            if (state == "maximised") app.curveWindow(CurveKind::Waveform)->showMaximized();
        }
        QApplication::processEvents();
        dialogs.clear();
        prompts.fileDialogs.clear();
        for (const Accelerator& a : table) {
            if (a.needsWaveformWindow && state == "none") continue;
            testing::activate(frame());  // a dialog or the progress dialog may have had it
            app.updateCommandStates();   // as the window's timer does after a playback ends
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &frame();
            QSignalSpy ran(&command(a.id), &QAction::triggered);
            QTest::keyClick(target, a.keys.key(), a.keys.keyboardModifiers());
            EXPECT_EQ(ran.count(), 1) << state << " " << a.id;
            if (a.id == kCmdPlay || a.id == kCmdPlayEditedTrack) {
                EXPECT_TRUE(waitUntil([&] { return app.state().isPlaying(); })) << state;
            } else if (a.id == kCmdStop) {
                EXPECT_TRUE(waitUntil([&] { return !app.state().isPlaying(); })) << state;
            } else if (a.id == kCmdPaste && app.curveView(CurveKind::Waveform)) {
                QTest::keyClick(app.curveView(CurveKind::Waveform), Qt::Key_Escape);
            }
        }
        // Create WAV asked for its file; the three dialogs opened.
        ASSERT_FALSE(prompts.fileDialogs.empty()) << state;
        EXPECT_EQ(prompts.fileDialogs.back().initialName, "新規作成.wav") << state;
        for (const char* name : {"kyrel::CEffectSettingsDlg", "kyrel::CWaveSettingsDlg"})
            EXPECT_EQ(std::count(dialogs.begin(), dialogs.end(), name), 1) << state << name;
        EXPECT_EQ(app.design().settings.currentTrack, 5);
    }
}

TEST_F(MainFrame, TrackKeysRetitleAndRedrawTheOpenWindows) {
    app.curveWindow(CurveKind::Pan)->close();
    QApplication::processEvents();
    QTest::keyClick(&app.curveWindow(CurveKind::Volume)->view(), Qt::Key_4);
    EXPECT_EQ(app.design().settings.currentTrack, 3);
    EXPECT_TRUE(command(kCmdTrack1 + 3).isChecked());
    EXPECT_FALSE(command(kCmdTrack1).isChecked());
    EXPECT_EQ(title(CurveKind::Volume), QString::fromUtf8("音量 [Track:4]"));
    // Track 4 of a new document has its volume curve at 0 (the middle row), track 1 at -20000.
    CCurveView& volume = app.curveWindow(CurveKind::Volume)->view();
    const int middle = volume.plot().valueToRow(0);
    const QPoint point(CCurveView::kMargin + 5, CCurveView::kMargin + middle);
    EXPECT_EQ(volume.windowImage().pixel(point) & 0xFFFFFFu, plotcolour::kCurve & 0xFFFFFFu);
}

TEST_F(MainFrame, WindowsReopenThroughTheirCommandAndTheWindowMenuListsThem) {
    EXPECT_FALSE(app.openCurveWindow(4));
    closeAllEditWindows();
    EXPECT_TRUE(frame().showsShortMenu());
    command(kCmdWindowVolume).trigger();
    command(kCmdWindowFrequency).trigger();
    QApplication::processEvents();
    EXPECT_FALSE(frame().showsShortMenu());
    QMenu& menu = *frame().windowMenu();
    for (int shown = 0; shown < 2; ++shown) menu.aboutToShow();  // the list is made anew
    QStringList entries;
    for (QAction* a : menu.actions()) {
        if (a->text().contains(QLatin1String("[Track:"))) entries << a->text();
    }
    EXPECT_EQ(entries, (QStringList{QString::fromUtf8("&1 音量 [Track:1]"),
                                    QString::fromUtf8("&2 周波数 [Track:1]")}));
    menu.actions().at(menu.actions().size() - 2)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(app.activeCurveWindow(), app.curveWindow(CurveKind::Volume));
}

TEST_F(MainFrame, GeneratorOnlyFromTheWaveformWindowAndPasteOnlyWithABlock) {
    for (CurveKind kind : {CurveKind::Frequency, CurveKind::Waveform}) {
        app.openCurveWindow(static_cast<int>(kind));
        QApplication::processEvents();
        EXPECT_EQ(enabled(kCmdGenerator), kind == CurveKind::Waveform);
    }
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(enabled(kCmdPaste));
}

TEST_F(MainFrame, PlayingDisablesCommandsAndRefusesToQuit) {
    app.design().settings.durationMs = 20000;
    command(kCmdPlay).trigger();
    ASSERT_TRUE(waitUntil([&] { return player.started().size() == 1; }));
    EXPECT_EQ(player.started().front(), dir.file("KYTemp0.wav"));
    for (int id : {kCmdNew, kCmdOpen, kCmdExit, kCmdPlay, kCmdPlayEditedTrack, kCmdCreateWav,
                   kCmdEffectSettings, kCmdWaveSettings}) {
        EXPECT_FALSE(enabled(id)) << id;
    }
    EXPECT_TRUE(enabled(kCmdSave));
    EXPECT_FALSE(frame().close());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "再生中は終了できません");
    command(kCmdStop).trigger();
    ASSERT_TRUE(waitUntil([&] { return !app.state().isPlaying(); }, 1000));
    EXPECT_EQ(player.stops(), 1);
    EXPECT_FALSE(enabled(kCmdStop));
}

TEST_F(MainFrame, TitleMarksUnsavedChangesAndClosingAsksFirst) {
    QTest::mouseClick(app.curveView(CurveKind::Pan), Qt::LeftButton, {},
                      {CCurveView::kMargin + 3, CCurveView::kMargin + 3});
    EXPECT_EQ(frame().windowTitle(), QString::fromUtf8("Kyrel - [新規作成.kyl*]"));
    prompts.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(frame().close());
    EXPECT_EQ(prompts.shown.at(0).text, "新規作成.kyl は変更されています。保存しますか？");
    prompts.fileNames = {dir.file("pan.kyl")};
    QTest::keyClick(app.curveView(CurveKind::Pan), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(frame().windowTitle(), QString::fromUtf8("Kyrel - [pan.kyl]"));
    EXPECT_TRUE(frame().close());
}

TEST_F(MainFrame, HelpOpensBesideTheWindowAndClosesWithEscOrCtrlW) {
    frame().setGeometry(0, 0, 300, 300);
    for (int key : {Qt::Key_Escape, Qt::Key_W}) {
        command(kCmdHelp).trigger();
        auto* help = frame().findChild<QTextBrowser*>();
        ASSERT_NE(help, nullptr);
        ASSERT_TRUE(help->isVisible());
        EXPECT_TRUE(help->toPlainText().contains(QString::fromUtf8("三回分")));
        EXPECT_GE(help->frameGeometry().left(), frame().frameGeometry().right());
        QSignalSpy createWav(&command(kCmdCreateWav), &QAction::triggered);
        testing::activate(*help);
        QTest::keyClick(help, static_cast<Qt::Key>(key),
                        key == Qt::Key_W ? Qt::ControlModifier : Qt::NoModifier);
        EXPECT_FALSE(help->isVisible()) << key;
        EXPECT_EQ(createWav.count(), 0);
    }
}

}  // namespace
}  // namespace kyrel
