#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "UiTestSupport.h"
#include "designer/ui/CChildFrame.h"
#include "designer/ui/CCurveView.h"
#include "designer/ui/CMainFrame.h"
#include "designer/ui/CWaveGenDlg.h"
#include "designer/ui/CommandIds.h"

namespace kyrel {
namespace {

using testing::ScriptedPrompts;
using testing::TempDir;

class WaveGenerator : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(app.start(""));
        activate(CurveKind::Waveform);
    }

    void activate(CurveKind kind) {
        app.mainFrame()->mdiArea().setActiveSubWindow(app.curveWindow(kind));
        QApplication::processEvents();
    }
    bool enabled() {
        app.updateCommandStates();
        return app.mainFrame()->action(kCmdGenerator)->isEnabled();
    }
    // Opens the generator through its command and lets `act` work the dialog.
    void run(const std::function<void(CWaveGenDlg&)>& act) {
        prompts.dialogHandler = [&](QDialog& dialog) {
            auto* generator = dynamic_cast<CWaveGenDlg*>(&dialog);
            EXPECT_NE(generator, nullptr);
            if (generator) {
                dialog.show();
                act(*generator);
            }
            return dialog.result();
        };
        app.updateCommandStates();
        app.mainFrame()->action(kCmdGenerator)->trigger();
        prompts.dialogHandler = nullptr;
    }
    Curve& waveform(int track = 0) {
        return app.design().tracks[static_cast<std::size_t>(track)].curve(CurveKind::Waveform);
    }

    TempDir dir;
    ScriptedPrompts prompts;
    CKyrelApp app{prompts, nullptr, 1};
};

TEST_F(WaveGenerator, DefaultSineRewritesTheDefaultWaveformAsOneUndoableChange) {
    const Curve before = waveform();
    app.design().settings.modified = 0;
    run([](CWaveGenDlg& dialog) { dialog.okButton().click(); });
    EXPECT_EQ(waveform(), before);
    EXPECT_EQ(app.design().settings.modified, 1);
    EXPECT_EQ(app.state().undo.ring(0, CurveKind::Waveform).index, 1);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(WaveGenerator, SquareOfHalfAmplitudeReplacesOnlyTheCurrentTracksWaveform) {
    app.selectTrack(4);
    activate(CurveKind::Waveform);
    const SoundDesign before = app.design();
    run([](CWaveGenDlg& dialog) {
        dialog.amplitudeEdit().setText("500");
        dialog.cyclesEdit().setText("100");
        dialog.shapeList().setCurrentIndex(1);
        dialog.okButton().click();
    });
    for (int i = 0; i < kCurvePoints; ++i)
        ASSERT_EQ(waveform(4)[static_cast<std::size_t>(i)], i % 22 < 11 ? -16383 : 16383) << i;

    // The waveform window shows the new curve, and one Undo brings the old one back.
    CCurveView& view = *app.curveView(CurveKind::Waveform);
    const QImage shown = view.windowImage().copy();
    view.rebuild();
    EXPECT_EQ(shown, view.windowImage());
    app.mainFrame()->action(kCmdUndo)->trigger();
    EXPECT_EQ(waveform(4), before.tracks[4].curve(CurveKind::Waveform));
}

TEST_F(WaveGenerator, InvalidFieldsKeepTheDialogOpenWithTheirMessage) {
    const Curve before = waveform();
    struct Case {
        const char* amplitude;
        const char* cycles;
        const char* noise;
        const char* message;
        int field;  // 0 amplitude, 1 cycles
    };
    const Case cases[] = {
        {"abc", "1", "100", "整数を入力してください。", 0},
        {"10", "101", "100", "1 から 100 までの整数を入力してください。", 1},
    };
    for (const Case& c : cases) {
        prompts.shown.clear();
        run([&](CWaveGenDlg& dialog) {
            dialog.amplitudeEdit().setText(c.amplitude);
            dialog.cyclesEdit().setText(c.cycles);
            dialog.noiseChanceEdit().setText(c.noise);
            dialog.okButton().click();
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_NE(dialog.result(), QDialog::Accepted);
            QLineEdit* fields[] = {&dialog.amplitudeEdit(), &dialog.cyclesEdit()};
            EXPECT_EQ(dialog.focusWidget(), fields[c.field]) << c.amplitude;
            dialog.cancelButton().click();
        });
        ASSERT_EQ(prompts.shown.size(), 1u) << c.amplitude;
        EXPECT_EQ(prompts.shown[0].text, c.message);
    }
    EXPECT_EQ(waveform(), before);
    EXPECT_EQ(app.state().undo.ring(0, CurveKind::Waveform).index, 0);
}

TEST_F(WaveGenerator, OkIsRememberedCancelIsNotAndResetRestoresTheStartValues) {
    run([](CWaveGenDlg& dialog) {
        dialog.amplitudeEdit().setText("300");
        dialog.cyclesEdit().setText("7");
        dialog.shapeList().setCurrentIndex(4);
        dialog.noiseChanceEdit().setText("1000");
        dialog.randomSizeBox().setChecked(false);
        dialog.okButton().click();
    });
    run([](CWaveGenDlg& dialog) {
        EXPECT_EQ(dialog.amplitudeEdit().text(), "300");
        EXPECT_EQ(dialog.cyclesEdit().text(), "7");
        EXPECT_EQ(dialog.shapeList().currentIndex(), 4);
        EXPECT_EQ(dialog.noiseChanceEdit().text(), "1000");
        EXPECT_FALSE(dialog.randomSizeBox().isChecked());
        EXPECT_TRUE(dialog.noiseChanceEdit().isEnabled());
        dialog.amplitudeEdit().setText("999");
        dialog.cancelButton().click();
    });
    run([](CWaveGenDlg& dialog) {
        EXPECT_EQ(dialog.amplitudeEdit().text(), "300");
        dialog.resetButton().click();
        EXPECT_EQ(dialog.amplitudeEdit().text(), "1000");
        EXPECT_EQ(dialog.cyclesEdit().text(), "1");
        EXPECT_EQ(dialog.noiseChanceEdit().text(), "100");
        EXPECT_EQ(dialog.shapeList().currentIndex(), 0);
        EXPECT_TRUE(dialog.randomSizeBox().isChecked());
        EXPECT_FALSE(dialog.noiseChanceEdit().isEnabled());
        dialog.cancelButton().click();
    });
    // Reset alone remembers nothing.
    run([](CWaveGenDlg& dialog) {
        EXPECT_EQ(dialog.amplitudeEdit().text(), "300");
        dialog.cancelButton().click();
    });
}

TEST_F(WaveGenerator, SpinsStepWithinTheirRanges) {
    run([](CWaveGenDlg& dialog) {
        dialog.amplitudeSpin().step(1);
        EXPECT_EQ(dialog.amplitudeEdit().text(), "1000");
        QTest::keyClick(&dialog.amplitudeEdit(), Qt::Key_Down);
        EXPECT_EQ(dialog.amplitudeEdit().text(), "999");
        QTest::keyClick(&dialog.cyclesEdit(), Qt::Key_Down);
        EXPECT_EQ(dialog.cyclesEdit().text(), "1");
        QTest::keyClick(&dialog.cyclesEdit(), Qt::Key_Up);
        EXPECT_EQ(dialog.cyclesEdit().text(), "2");
        dialog.cyclesEdit().setText("100");
        dialog.cyclesSpin().step(5);
        EXPECT_EQ(dialog.cyclesEdit().text(), "100");
        dialog.noiseSpin().step(-1);
        EXPECT_EQ(dialog.noiseChanceEdit().text(), "99");
        dialog.cancelButton().click();
    });
}

TEST_F(WaveGenerator, AddingThatClampsAsksFirstAndNoStillTicksTheTrack) {
    app.selectTrack(3);
    activate(CurveKind::Waveform);
    ASSERT_EQ(app.design().settings.trackUse[3], 0);
    const Curve before = waveform(3);
    prompts.answers = {MessageAnswer::No};
    run([](CWaveGenDlg& dialog) {
        dialog.addToCurrentBox().setChecked(true);
        dialog.okButton().click();
        EXPECT_FALSE(dialog.isVisible());
    });
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(waveform(3), before);
    EXPECT_EQ(app.design().settings.trackUse[3], 1);
    EXPECT_EQ(app.state().undo.ring(3, CurveKind::Waveform).index, 0);

    prompts.answers = {MessageAnswer::Yes};
    run([](CWaveGenDlg& dialog) {
        EXPECT_TRUE(dialog.addToCurrentBox().isChecked());  // remembered although No was answered
        dialog.okButton().click();
    });
    EXPECT_EQ(waveform(3)[550], 32767);
}

}  // namespace
}  // namespace kyrel
