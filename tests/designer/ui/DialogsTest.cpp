#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>

#include "UiTestSupport.h"
#include "designer/ui/CEffectSettingsDlg.h"
#include "designer/ui/CTrackDetailDlg.h"
#include "designer/ui/CWaveGenDlg.h"
#include "designer/ui/CWaveSettingsDlg.h"
#include "designer/ui/CommandIds.h"

namespace kyrel {
namespace {

using testing::ScriptedPrompts;

class Dialogs : public testing::KyrelWindows {
  protected:
    void SetUp() override {
        start();
        activate(CurveKind::Waveform);
    }
    void activate(CurveKind kind) { window(kind); }
    DesignSettings& settings() { return app.design().settings; }
    Curve& waveform(int track = 0) { return curve(CurveKind::Waveform, track); }
    template <typename D>
    void run(int id, const std::function<void(D&)>& act) {
        prompts.dialogHandler = [&](QDialog& dialog) {
            auto* wanted = dynamic_cast<D*>(&dialog);
            EXPECT_NE(wanted, nullptr);
            if (wanted) {
                dialog.show();
                act(*wanted);
            }
            return dialog.result();
        };
        command(id);
        prompts.dialogHandler = nullptr;
    }
    void generator(const std::function<void(CWaveGenDlg&)>& act) {
        run<CWaveGenDlg>(kCmdGenerator, act);
    }
};

TEST_F(Dialogs, LengthIsCheckedStepsWithinItsRangeCancelChangesNothingAndOkMarks) {
    for (const char* bad : {"0", "30001", "abc", "12.5", "1,000"}) {
        prompts.shown.clear();
        CWaveSettingsDlg wave(app);
        wave.show();
        wave.durationEdit().setText(QString::fromUtf8(bad));
        wave.bitsChoice().setCurrentIndex(1);
        wave.accept();
        EXPECT_EQ(prompts.shown.at(0).text, "1 から 30000 までの整数を入力してください。");
        EXPECT_TRUE(wave.isVisible()) << bad;
        EXPECT_EQ(settings().bitsIndex + settings().modified, 0) << bad;
    }
    CWaveSettingsDlg wave(app);
    struct Step {
        const char* shown;
        int key;
        const char* after;
    };
    for (const Step& s : {Step{"1000", Qt::Key_Up, "1001"}, Step{"1000", Qt::Key_Down, "999"},
                          Step{"30000", Qt::Key_Up, "30000"}, Step{"1", Qt::Key_Down, "1"}}) {
        wave.durationEdit().setText(s.shown);
        QTest::keyClick(&wave.durationEdit(), static_cast<Qt::Key>(s.key));
        EXPECT_EQ(wave.durationEdit().text(), QString::fromLatin1(s.after)) << s.shown;
    }
    wave.reject();
    EXPECT_EQ(settings().durationMs, 1000);
    EXPECT_EQ(settings().modified, 0);
    // OK marks the document even when nothing changed.
    settings().renderStale = 0;
    run<CWaveSettingsDlg>(kCmdWaveSettings, [](CWaveSettingsDlg& w) { w.accept(); });
    EXPECT_EQ(settings().modified + settings().renderStale, 2);
}

// Every volume and spread shows its number, and a number typed there moves its slider; OK
// refuses one outside 0 ... 127 with the range message.
TEST_F(Dialogs, VolumesAndSpreadsCanBeReadAndTyped) {
    auto type = [](QLineEdit& box, const char* text, Qt::Key leave = Qt::Key_Tab) {
        box.window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(box.window()));
        box.setFocus();
        box.selectAll();
        QTest::keyClicks(&box, text);
        QTest::keyClick(&box, leave);
    };
    CEffectSettingsDlg effect(app);
    effect.show();
    type(effect.volumeReadout(0), "110");
    EXPECT_EQ(effect.volumeSlider(0).value(), 127 - 110);
    type(effect.volumeReadout(1), "200");
    effect.accept();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "0 から 127 までの整数を入力してください。");
    EXPECT_TRUE(effect.isVisible());
    EXPECT_EQ(effect.focusWidget(), &effect.volumeReadout(1));
    type(effect.volumeReadout(1), "5");

    prompts.dialogHandler = [&](QDialog& dialog) {
        auto& details = dynamic_cast<CTrackDetailDlg&>(dialog);
        dialog.show();
        const QList<QLineEdit*> spreads = details.findChildren<QLineEdit*>();
        EXPECT_EQ(spreads.size(), 3);
        details.waveformSpreadSlider().setValue(64);
        EXPECT_EQ(spreads.value(2)->text(), QStringLiteral("64"));
        type(*spreads.value(0), "99", Qt::Key_Return);  // which also presses OK
        EXPECT_EQ(details.frequencySpreadSlider().value(), 99);
        return details.result();
    };
    effect.detailsButton().click();
    effect.accept();
    EXPECT_EQ(app.design().tracks[0].volume, 110);
    EXPECT_EQ(app.design().tracks[1].volume, 5);
    EXPECT_EQ(settings().frequencySpread[0], 99);
    EXPECT_EQ(settings().waveformSpread[0], 64);
}

TEST_F(Dialogs, GeneratorRemembersOkNotCancelAndResetsToTheStartValues) {
    generator([](CWaveGenDlg& dialog) {
        dialog.amplitudeEdit().setText("300");
        dialog.shapeList().setCurrentIndex(4);
        dialog.noiseChanceEdit().setText("1000");
        dialog.randomSizeBox().setChecked(false);
        dialog.okButton().click();
    });
    generator([&](CWaveGenDlg& dialog) {
        EXPECT_EQ(dialog.amplitudeEdit().text(), "300");
        EXPECT_EQ(dialog.noiseChanceEdit().text(), "1000");
        EXPECT_TRUE(dialog.noiseChanceEdit().isEnabled());
        dialog.cyclesEdit().setText("101");  // refused: the field gets the focus, nothing is kept
        dialog.okButton().click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.focusWidget(), &dialog.cyclesEdit());
        EXPECT_EQ(prompts.shown.at(0).text, "1 から 100 までの整数を入力してください。");
        dialog.resetButton().click();
        EXPECT_EQ(dialog.noiseChanceEdit().text(), "100");
        EXPECT_FALSE(dialog.noiseChanceEdit().isEnabled());
        QTest::keyClick(&dialog.amplitudeEdit(), Qt::Key_Up);  // the spin ends at 1000
        EXPECT_EQ(dialog.amplitudeEdit().text(), "1000");
        dialog.cancelButton().click();
    });
    generator([](CWaveGenDlg& dialog) {
        EXPECT_EQ(dialog.amplitudeEdit().text(), "300");  // Reset alone remembers nothing
        dialog.cancelButton().click();
    });
}

// The volume sliders answer keys and the wheel the way they look; the generator asks nothing
// about a field the user cannot reach and leaves a track it did not write unused.
TEST_F(Dialogs, DialogsAnswerTheUserAsTheyLook) {
    CEffectSettingsDlg effect(app);
    effect.show();
    QSlider& slider = effect.volumeSlider(0);
    QTest::keyClick(&slider, Qt::Key_Up);
    EXPECT_EQ(effect.volumeReadout(0).text(), QStringLiteral("97"));
    QTest::keyClick(&slider, Qt::Key_PageUp);
    EXPECT_EQ(effect.volumeReadout(0).text(), QStringLiteral("107"));
    const QPoint centre = slider.rect().center();
    QWheelEvent away(centre, slider.mapToGlobal(centre), {}, {0, 120}, Qt::NoButton, {},
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(&slider, &away);
    EXPECT_GT(effect.volumeReadout(0).text().toInt(), 107);
    effect.reject();

    generator([](CWaveGenDlg& dialog) {
        dialog.shapeList().setCurrentIndex(4);
        dialog.noiseChanceEdit().clear();
        dialog.shapeList().setCurrentIndex(1);
        dialog.okButton().click();
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(waveform()[0], -32767);  // the square was written

    app.selectTrack(3);
    activate(CurveKind::Waveform);
    const Curve before = waveform(3);
    prompts.answers = {MessageAnswer::No};
    generator([](CWaveGenDlg& dialog) {
        dialog.shapeList().setCurrentIndex(0);  // a sine added to the sine clamps
        dialog.addToCurrentBox().setChecked(true);
        dialog.okButton().click();
    });
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].caption, "警告");
    EXPECT_EQ(waveform(3), before);
    EXPECT_EQ(settings().trackUse[3], 0);
}

}  // namespace
}  // namespace kyrel
