#include <gtest/gtest.h>

#include <memory>

#include "tools/kylmake/SoundText.h"

namespace {

using kyrel::CurveKind;

struct SoundTextTest : ::testing::Test {
    std::unique_ptr<kyrel::SoundDesign> design = std::make_unique<kyrel::SoundDesign>();
};

TEST_F(SoundTextTest, SettingsAndTracksAreFilled) {
    ASSERT_EQ(tools::makeSound("duration 250\nformat 44100 16 2\npitch linear\n"
                               "track 3\nvolume 100\nspread 1 2 3\n",
                               *design),
              "");
    const auto& s = design->settings;
    EXPECT_EQ(s.durationMs, 250);
    EXPECT_EQ(s.rateIndex, 2);
    EXPECT_EQ(s.bitsIndex, 1);
    EXPECT_EQ(s.channelIndex, 1);
    EXPECT_EQ(s.frequencyMode, 0);
    // Only the described track is used.
    EXPECT_EQ(s.trackUse[0], 0);
    EXPECT_EQ(s.trackUse[2], 1);
    EXPECT_EQ(design->tracks[2].volume, 100);
    EXPECT_EQ(s.frequencySpread[2], 1);
    EXPECT_EQ(s.volumeSpread[2], 2);
    EXPECT_EQ(s.waveformSpread[2], 3);
}

TEST_F(SoundTextTest, CurvesAreWrittenAsLevels) {
    ASSERT_EQ(tools::makeSound("pitch linear\ntrack 1\nhz 0:1024 100:1024\nloud 0:100 100:0\n"
                               "pan 0:0 100:0\nwave square 50%\n",
                               *design),
              "");
    const auto& t = design->tracks[0];
    // Linear pitch: Hz = level / 32, and the level is 32768 - value, so 1024 Hz is value 0.
    EXPECT_EQ(t.curve(CurveKind::Frequency)[0], 0);
    // Full loudness is the top level (value -32767 after limiting); silence is 32767 - ...
    EXPECT_EQ(t.curve(CurveKind::Volume)[0], -32767);
    EXPECT_EQ(t.curve(CurveKind::Volume)[kyrel::kCurvePoints - 1], 32767);
    // The middle of a straight line lies half-way.
    EXPECT_NEAR(t.curve(CurveKind::Volume)[1101], 0, 40);
    EXPECT_EQ(t.curve(CurveKind::Pan)[500], 0);
    EXPECT_EQ(t.curve(CurveKind::Waveform)[0], 16384);
    EXPECT_EQ(t.curve(CurveKind::Waveform)[2000], -16384);
}

TEST_F(SoundTextTest, SquareLawPitchReachesTheSameHertz) {
    ASSERT_EQ(tools::makeSound("pitch square\ntrack 1\nhz 0:512\n", *design), "");
    // Square law: Hz = L * L / 2^21, so 512 Hz is the middle level 32768, value 0.
    EXPECT_EQ(design->tracks[0].curve(CurveKind::Frequency)[100], 0);
}

TEST_F(SoundTextTest, RefusesBadDescriptions) {
    EXPECT_NE(tools::makeSound("", *design), "");
    EXPECT_NE(tools::makeSound("volume 3\n", *design).find("track"), std::string::npos);
    EXPECT_NE(tools::makeSound("track 7\n", *design), "");
    EXPECT_NE(tools::makeSound("duration 40000\ntrack 1\n", *design), "");
    EXPECT_NE(tools::makeSound("track 1\nhz 50:100 10:200\n", *design), "");
    EXPECT_NE(tools::makeSound("track 1\nloud 0:150\n", *design), "");
    EXPECT_NE(tools::makeSound("track 1\nwave wobble\n", *design), "");
    EXPECT_NE(tools::makeSound("format 8000 8 1\ntrack 1\n", *design), "");
}

}  // namespace
