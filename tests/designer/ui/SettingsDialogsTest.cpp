#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "UiTestSupport.h"
#include "designer/ui/CEffectSettingsDlg.h"
#include "designer/ui/CMainFrame.h"
#include "designer/ui/CTrackDetailDlg.h"
#include "designer/ui/CWaveSettingsDlg.h"
#include "designer/ui/CommandIds.h"

namespace kyrel {
namespace {

using testing::ScriptedPrompts;
using testing::TempDir;

class SettingsDialogs : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(app.start("")); }

    DesignSettings& settings() { return app.design().settings; }
    void run(int id) { app.mainFrame()->action(id)->trigger(); }

    TempDir dir;
    ScriptedPrompts prompts;
    CKyrelApp app{prompts, nullptr, 1};
};

TEST_F(SettingsDialogs, WaveSettingsShowTheDocumentAndOkAlwaysMarksIt) {
    bool shown = false;
    prompts.dialogHandler = [&](QDialog& dialog) {
        auto& wave = dynamic_cast<CWaveSettingsDlg&>(dialog);
        EXPECT_EQ(wave.windowTitle(), QString::fromUtf8("Waveファイルの設定"));
        EXPECT_EQ(wave.durationEdit().text(), QStringLiteral("1000"));
        EXPECT_EQ(wave.bitsChoice().currentText(), QStringLiteral("8bit"));
        EXPECT_EQ(wave.rateChoice().currentText(), QStringLiteral("22k"));
        EXPECT_EQ(wave.channelChoice().currentText(), QString::fromUtf8("1（モノラル）"));
        shown = true;
        wave.accept();
        return wave.result();
    };
    settings().renderStale = 0;
    run(kCmdWaveSettings);
    EXPECT_TRUE(shown);
    EXPECT_EQ(settings().modified, 1);
    EXPECT_EQ(settings().renderStale, 1);
    EXPECT_EQ(settings().durationMs, 1000);

    // So closing now asks to save.
    prompts.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(app.mainFrame()->close());
}

TEST_F(SettingsDialogs, LengthOutsideItsRangeIsRefusedWithTheRangeMessage) {
    for (const char* bad : {"0", "30001", "abc", "", "12.5", "1,000", "-3"}) {
        prompts.shown.clear();
        CWaveSettingsDlg wave(app);
        wave.show();
        wave.durationEdit().setText(QString::fromUtf8(bad));
        wave.bitsChoice().setCurrentIndex(1);
        wave.accept();
        ASSERT_EQ(prompts.shown.size(), 1u) << bad;
        EXPECT_EQ(prompts.shown[0].text, "1 から 30000 までの整数を入力してください。");
        EXPECT_TRUE(wave.isVisible()) << bad;  // stays open
        EXPECT_EQ(settings().bitsIndex, 0) << bad;
        EXPECT_EQ(settings().modified, 0) << bad;
    }
    for (const char* good : {"1", "30000"}) {
        CWaveSettingsDlg wave(app);
        wave.durationEdit().setText(good);
        wave.accept();
        EXPECT_EQ(settings().durationMs, std::atoi(good));
    }
}

TEST_F(SettingsDialogs, WaveSettingsCancelAndTheUpDownControl) {
    CWaveSettingsDlg wave(app);
    wave.stepDuration(1);
    EXPECT_EQ(wave.durationEdit().text(), QStringLiteral("1001"));
    QTest::keyClick(&wave.durationEdit(), Qt::Key_Down);
    QTest::keyClick(&wave.durationEdit(), Qt::Key_Down);
    EXPECT_EQ(wave.durationEdit().text(), QStringLiteral("999"));
    wave.durationEdit().setText("30000");
    wave.stepDuration(1);
    EXPECT_EQ(wave.durationEdit().text(), QStringLiteral("30000"));
    wave.durationEdit().setText("1");
    wave.stepDuration(-1);
    EXPECT_EQ(wave.durationEdit().text(), QStringLiteral("1"));
    wave.reject();
    EXPECT_EQ(settings().durationMs, 1000);
    EXPECT_EQ(settings().modified, 0);
}

TEST_F(SettingsDialogs, VolumeSlidersAreUpsideDownAndTheReadoutFollows) {
    CEffectSettingsDlg effect(app);
    EXPECT_EQ(effect.volumeSlider(0).value(), 127 - 96);
    EXPECT_EQ(effect.volumeReadout(0).text(), QStringLiteral("96"));
    EXPECT_TRUE(effect.useCheck(0).isChecked());
    EXPECT_FALSE(effect.useCheck(1).isChecked());
    EXPECT_EQ(effect.frequencyModeChoice().currentIndex(), 1);

    effect.volumeSlider(0).setValue(0);  // the top
    EXPECT_EQ(effect.volumeReadout(0).text(), QStringLiteral("127"));
    effect.volumeSlider(5).setValue(127);  // the bottom
    EXPECT_EQ(effect.volumeReadout(5).text(), QStringLiteral("0"));
    effect.volumeSlider(3).setValue(40);
    EXPECT_EQ(effect.volumeReadout(3).text(), QStringLiteral("87"));
    effect.useCheck(3).setChecked(true);
    effect.frequencyModeChoice().setCurrentIndex(0);
    effect.accept();

    const SoundDesign& design = app.design();
    EXPECT_EQ(design.tracks[0].volume, 127);
    EXPECT_EQ(design.tracks[5].volume, 0);
    EXPECT_EQ(design.tracks[3].volume, 87);
    EXPECT_EQ(design.settings.trackUse[3], 1);
    EXPECT_EQ(design.settings.frequencyMode, 0);
    EXPECT_EQ(design.settings.modified, 1);
    EXPECT_EQ(design.settings.renderStale, 1);
}

TEST_F(SettingsDialogs, EffectSettingsCancelChangesNothing) {
    const SoundDesign before = app.design();
    CEffectSettingsDlg effect(app);
    effect.volumeSlider(0).setValue(0);
    effect.useCheck(4).setChecked(true);
    effect.settingsCopy().volumeSpread[1] = 50;
    effect.reject();
    EXPECT_EQ(app.design().tracks[0].volume, before.tracks[0].volume);
    EXPECT_EQ(app.design().settings.trackUse, before.settings.trackUse);
    EXPECT_EQ(app.design().settings.volumeSpread, before.settings.volumeSpread);
    EXPECT_EQ(app.design().settings.modified, 0);
}

TEST_F(SettingsDialogs, NoTrackUsedIsAcceptedAndPlayThenSaysSo) {
    CEffectSettingsDlg effect(app);
    effect.useCheck(0).setChecked(false);
    effect.accept();
    EXPECT_EQ(effect.result(), QDialog::Accepted);
    run(kCmdPlay);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "有効トラックがありません");
    EXPECT_EQ(prompts.shown[0].caption, "Error");
    EXPECT_FALSE(app.state().isPlaying());
}

TEST_F(SettingsDialogs, TrackDetailsReachTheDocumentOnlyThroughBothOks) {
    for (bool detailsOk : {true, false}) {
        for (bool effectOk : {true, false}) {
            app.design().settings.volumeSpread = {};
            app.design().settings.frequencySpread = {};
            prompts.dialogHandler = [&](QDialog& dialog) {
                if (auto* effect = dynamic_cast<CEffectSettingsDlg*>(&dialog)) {
                    effect->detailsButton().click();
                    effectOk ? effect->accept() : effect->reject();
                    return effect->result();
                }
                auto& details = dynamic_cast<CTrackDetailDlg&>(dialog);
                EXPECT_EQ(details.trackChoice().currentText(), QStringLiteral("1"));
                details.trackChoice().setCurrentIndex(1);
                details.volumeSpreadSlider().setValue(30);
                details.trackChoice().setCurrentIndex(4);
                details.frequencySpreadSlider().setValue(99);
                detailsOk ? details.accept() : details.reject();
                return details.result();
            };
            run(kCmdEffectSettings);
            const bool kept = detailsOk && effectOk;
            EXPECT_EQ(app.design().settings.volumeSpread[1], kept ? 30 : 0);
            EXPECT_EQ(app.design().settings.frequencySpread[4], kept ? 99 : 0);
        }
    }
}

TEST_F(SettingsDialogs, TrackDetailsKeepEachTracksValuesWhileSwitching) {
    DesignSettings copy = settings();
    copy.waveformSpread[2] = 12;
    copy.directWaveform[2] = 1;
    app.selectTrack(3);
    CTrackDetailDlg details(copy);
    EXPECT_EQ(details.shownTrack(), 0);  // always track 1 first
    EXPECT_EQ(details.waveformSpreadSlider().value(), 0);
    details.trackChoice().setCurrentIndex(2);
    EXPECT_EQ(details.waveformSpreadSlider().value(), 12);
    EXPECT_TRUE(details.directCheck().isChecked());
    details.directCheck().setChecked(false);
    details.waveformSpreadSlider().setValue(127);
    details.frequencySpreadSlider().setValue(127);
    details.volumeSpreadSlider().setValue(500);  // the sliders end at 127
    details.trackChoice().setCurrentIndex(0);
    EXPECT_EQ(details.waveformSpreadSlider().value(), 0);
    details.trackChoice().setCurrentIndex(2);
    EXPECT_EQ(details.waveformSpreadSlider().value(), 127);
    EXPECT_FALSE(details.directCheck().isChecked());
    details.accept();
    EXPECT_EQ(copy.waveformSpread[2], 127);
    EXPECT_EQ(copy.frequencySpread[2], 127);
    EXPECT_EQ(copy.volumeSpread[2], 127);
    EXPECT_EQ(copy.directWaveform[2], 0);
}

TEST_F(SettingsDialogs, EffectSettingsReturnTheWholeBlock) {
    // Words such as the current track come back as they were when the dialog opened.
    app.selectTrack(2);
    CEffectSettingsDlg effect(app);
    effect.settingsCopy().unused[10] = 1234;
    effect.accept();
    EXPECT_EQ(settings().currentTrack, 2);
    EXPECT_EQ(settings().unused[10], 1234);
}

}  // namespace
}  // namespace kyrel
