#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "FakeUi.h"
#include "common/LittleEndian.h"
#include "designer/core/Document.h"
#include "designer/core/WavCommands.h"
#include "designer/core/WavFile.h"

namespace kyrel {
namespace {

using testing::FakeUi;
using testing::TempDir;

class WavOutputTest : public ::testing::Test {
  protected:
    FakeUi ui;
    std::unique_ptr<KyrelApp> app = std::make_unique<KyrelApp>(ui, 1);
    TempDir dir;
};

TEST_F(WavOutputTest, NewDocumentGivesThe22094ByteFile) {
    auto written = CreateWavFile(*app, dir.file("new.wav"), "");
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, dir.file("new.wav"));
    const auto f = readAll(*written);
    ASSERT_EQ(f.size(), 22094u);
    // RIFF size 22086; PCM, one channel, 22050 Hz, 22050 bytes a second, blocks of 1, 8 bits.
    const std::string header(
        "RIFF\x46\x56\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x22\x56\0\0\x22\x56\0\0\x01\0\x08\0"
        "data\x22\x56\0\0",
        44);
    EXPECT_EQ(std::string(f.begin(), f.begin() + 44), header);
    EXPECT_EQ(f[44], 139);
    // The status says how loud it came out: the peak in dBFS, no sample at full scale.
    EXPECT_EQ(ui.status, "Waveファイルを作成しました ピーク -4.3 dBFS");
}

TEST_F(WavOutputTest, SixteenBitStereoHeaderClippingAndOddEightBitData) {
    DesignSettings& s = app->design.settings;
    s.bitsIndex = 1;
    s.channelIndex = 1;
    s.rateIndex = 2;
    auto f = readAll(*CreateWavFile(*app, dir.file("s.wav"), ""));
    EXPECT_EQ(kit::readU32LE(f, 40), 176400u);
    EXPECT_EQ(kit::readU32LE(f, 28), 176400u);
    EXPECT_EQ(kit::readU16LE(f, 32), 4);
    EXPECT_EQ(kit::readU16LE(f, 34), 16);

    // A track at full scale: every sample stands at the limit, and the status says so.
    Track& loud = app->design.tracks[0];
    loud.volume = 127;
    loud.curve(CurveKind::Volume).fill(-32768);
    loud.curve(CurveKind::Waveform).fill(32767);
    readAll(*CreateWavFile(*app, dir.file("loud.wav"), ""));
    EXPECT_EQ(ui.status, "Waveファイルを作成しました ピーク 0.0 dBFS（振り切れ 88200 サンプル）");

    // 8-bit mono, 11025 Hz, 1 ms: 11 frames, no pad byte.
    s.bitsIndex = 0;
    s.channelIndex = 0;
    s.rateIndex = 0;
    s.durationMs = 1;
    f = readAll(*CreateWavFile(*app, dir.file("odd.wav"), ""));
    EXPECT_EQ(f.size(), 44u + 11u);
    EXPECT_EQ(kit::readU32LE(f, 4), 11u + 36u);
}

TEST(WavNames, LastDotForTheFileFirstDotForTheSuggestion) {
    EXPECT_EQ(wavOutputName("x.y.wav"), "x.y.wav");
    EXPECT_EQ(wavOutputName("/d/x.y.snd"), "/d/x.y.wav");
    EXPECT_EQ(wavOutputName("/d/noext"), "/d/noext");
    EXPECT_EQ(wavOutputName("/d.e/noext"), "/d.e/noext");
    EXPECT_EQ(wavOutputName("/d/.hidden"), "/d/.hidden");
    EXPECT_EQ(wavOutputName("a."), "a.wav");
    EXPECT_EQ(suggestedWavName("a.b.kyl"), "a.wav");
    EXPECT_EQ(suggestedWavName("新規作成.kyl"), "新規作成.wav");
    EXPECT_EQ(suggestedWavName("plain"), "plain");
}

TEST_F(WavOutputTest, RefusalsWriteNothing) {
    struct Case {
        void (*damage)(DesignSettings&);
        std::string message;
    };
    const std::vector<Case> cases = {
        {[](DesignSettings& s) { s.trackUse = {0, 0, 0, 0, 0, 0}; }, "有効トラックがありません"},
        {[](DesignSettings& s) { s.trackUse = {2, 0, 0, 0, 0, 0}; }, "有効トラックがありません"},
        {[](DesignSettings& s) { s.durationMs = 0; }, "再生時間（ミリ秒） = 0 が範囲外です"},
        {[](DesignSettings& s) { s.durationMs = 30001; },
         "再生時間（ミリ秒） = 30001 が範囲外です"},
        {[](DesignSettings& s) { s.bitsIndex = 2; }, "量子化ビット数 = 2 が範囲外です"},
        {[](DesignSettings& s) { s.rateIndex = -1; }, "サンプリング周波数 = -1 が範囲外です"},
        {[](DesignSettings& s) { s.channelIndex = 2; }, "チャンネル（ﾓﾉﾗﾙ/ｽﾃﾚｵ） = 2 が範囲外です"},
    };
    const DesignSettings good = app->design.settings;
    for (const Case& c : cases) {
        app->design.settings = good;
        c.damage(app->design.settings);
        ui.shown.clear();
        EXPECT_FALSE(CreateWavFile(*app, dir.file("r.wav"), ""));
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].text, c.message);
    }
    EXPECT_EQ(ui.renders, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("r.wav")));
}

TEST_F(WavOutputTest, WriteFailureIsReportedNotClaimedAsSuccess) {
    const std::string path = dir.file("missing/w.wav");
    EXPECT_FALSE(CreateWavFile(*app, path, ""));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, path + " を開けません");
    EXPECT_EQ(ui.status, "");
}

bool waitUntilStopped(const KyrelApp& app) {
    for (int i = 0; i < 500 && app.isPlaying(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return !app.isPlaying();
}

class PlaybackTest : public WavOutputTest {
  protected:
    void SetUp() override {
        app->playback.setPlayer(&player);
        app->tempWavPath = dir.file("KYTemp0.wav");
        app->design.settings.durationMs = 20;
    }
    testing::RecordingPlayer player;
};

TEST_F(PlaybackTest, PlayRendersOnlyWhenTheDocumentChanged) {
    for (int play = 0; play < 3; ++play) {
        if (play == 2) app->design.markChanged();
        ASSERT_TRUE(commandPlay(*app));
        ASSERT_TRUE(waitUntilStopped(*app));
        EXPECT_EQ(ui.renders, play == 2 ? 2 : 1);
        EXPECT_EQ(app->design.settings.renderStale, 0);
    }
    EXPECT_EQ(player.started(), std::vector<std::string>(3, app->tempWavPath));
    EXPECT_EQ(player.stops(), 3);
}

TEST_F(PlaybackTest, PlayEditedTrackPlaysTheCurrentTrackAlone) {
    app->design.settings.currentTrack = 3;
    app->design.settings.trackUse = {1, 1, 0, 0, 0, 0};
    ASSERT_TRUE(commandPlayEditedTrack(*app));
    ASSERT_TRUE(waitUntilStopped(*app));
    EXPECT_EQ(app->design.tracks[3].renderEnabled, 1);
    EXPECT_EQ(app->design.tracks[0].renderEnabled, 0);
    EXPECT_EQ(app->design.settings.trackUse, (std::array<std::int32_t, 6>{1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(app->design.settings.renderStale, 1);
    ASSERT_TRUE(commandPlay(*app));  // renders all used tracks again
    ASSERT_TRUE(waitUntilStopped(*app));
    EXPECT_EQ(ui.renders, 2);
    EXPECT_EQ(app->design.tracks[1].renderEnabled, 1);
}

TEST_F(PlaybackTest, StopEndsPlaybackAndNothingPlaysWithoutAnEnabledTrack) {
    app->design.settings.durationMs = 30000;
    ASSERT_TRUE(commandPlay(*app));
    EXPECT_FALSE(commandPlay(*app));  // one playback at a time
    EXPECT_FALSE(mayClose(*app));
    EXPECT_EQ(ui.shown.back().text, "再生中は終了できません");
    commandStop(*app);
    ASSERT_TRUE(waitUntilStopped(*app));
    EXPECT_EQ(player.stops(), 1);
    commandStop(*app);  // harmless afterwards
    EXPECT_FALSE(app->playback.stopRequest.load());
    EXPECT_TRUE(mayClose(*app));

    app->design.settings.trackUse = {0, 0, 0, 0, 0, 0};
    app->design.markChanged();
    EXPECT_FALSE(commandPlay(*app));
    EXPECT_EQ(app->design.settings.renderStale, 1);
    EXPECT_EQ(player.started().size(), 1u);
    EXPECT_EQ(ui.shown.back().text, "有効トラックがありません");
}

}  // namespace
}  // namespace kyrel
