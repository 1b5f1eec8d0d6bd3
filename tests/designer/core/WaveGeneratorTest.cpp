#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "designer/core/CurveUndo.h"
#include "designer/core/EditTexts.h"
#include "designer/core/GeneratorCommand.h"
#include "designer/core/KyrelApp.h"
#include "designer/core/WaveGenerator.h"
#include "tests/designer/core/EditTestUi.h"

namespace kyrel {
namespace {

const Curve kZero{};

GeneratedWaveform generate(GeneratorSettings s, std::uint32_t seed = 1) {
    kit::Random random(seed);
    return generateWaveform(s, kZero, random);
}

GeneratorSettings shape(WaveShape shape, int amplitude = 1000, int cycles = 1) {
    GeneratorSettings s;
    s.shape = static_cast<std::int32_t>(shape);
    s.amplitude = amplitude;
    s.cycles = cycles;
    return s;
}

TEST(WaveGeneratorTest, DefaultSineIsTheNewDocumentsWaveform) {
    testing::EditTestUi ui;
    auto app = std::make_unique<KyrelApp>(ui, 1);
    const auto g = generate(GeneratorSettings{});
    EXPECT_EQ(g.points, app->design.tracks[3].curve(CurveKind::Waveform));
    EXPECT_EQ(g.points[0], 0);
    EXPECT_EQ(*std::max_element(g.points.begin(), g.points.end()), 32766);
    for (int i = 548; i <= 553; ++i) EXPECT_EQ(g.points[i], 32766) << i;
    EXPECT_EQ(g.clampedCount, 0);
}

TEST(WaveGeneratorTest, AmplitudeIsTruncatedThousandthsOfFullScale) {
    const auto half = generate(shape(WaveShape::Square, 500));
    EXPECT_EQ(half.points[0], -16383);
    const auto smallest = generate(shape(WaveShape::Square, 1));
    EXPECT_EQ(smallest.points[0], -32);
}

TEST(WaveGeneratorTest, SquareWithHundredCyclesHasPeriod22AndACutLastPeriod) {
    const auto g = generate(shape(WaveShape::Square, 1000, 100));
    for (int i = 0; i < kCurvePoints; ++i)
        ASSERT_EQ(g.points[i], i % 22 < 11 ? -32767 : 32767) << i;
    EXPECT_EQ(g.points[2200], -32767);
    EXPECT_EQ(g.points[2201], -32767);
}

TEST(WaveGeneratorTest, SawtoothRestartsAtFullAmplitudeEachPeriod) {
    const auto g = generate(shape(WaveShape::Sawtooth, 1000, 3));
    for (int start : {0, 734, 1468}) {
        EXPECT_EQ(g.points[start], 32767) << start;
        EXPECT_LT(g.points[start + 1], 32767);
    }
    EXPECT_LT(g.points[733], -32600);
}

TEST(WaveGeneratorTest, TriangleTakesItsPositionFromTheIndexItself) {
    // Two cycles: P = 1101 is odd, H = 550, so the second period starts one point further in.
    const auto g = generate(shape(WaveShape::Triangle, 1000, 2));
    const double q = 2 / ((2202.0 / 2) / 2);
    EXPECT_EQ(g.points[0], 32767);
    EXPECT_EQ(g.points[1], static_cast<int>(32767 * (1 - q)));
    EXPECT_EQ(g.points[1101], g.points[1]);
    EXPECT_EQ(g.points[550], -32767);
    EXPECT_EQ(g.points[551], static_cast<int>(32767 * (-1 + q)));
    // One cycle, even period: falls over the first half and rises over the second.
    const auto one = generate(shape(WaveShape::Triangle, 1000, 1));
    EXPECT_EQ(one.points[1101], -32767);
    EXPECT_GT(one.points[2201], 32600);
}

TEST(WaveGeneratorTest, NoiseAtFullChanceWithFixedSizeIsOnlyPlusOrMinusA) {
    GeneratorSettings s = shape(WaveShape::Noise, 500);
    s.noiseChance = 1000;
    s.randomSize = 0;
    kit::Random random(77);
    const auto g = generateWaveform(s, kZero, random);
    int negative = 0;
    for (int v : g.points) {
        ASSERT_TRUE(v == 16383 || v == -16383) << v;
        negative += v < 0;
    }
    EXPECT_GT(negative, 900);
    EXPECT_LT(negative, 1300);
    // Two draws per point: the chance and the sign.
    kit::Random expected(77);
    for (int n = 0; n < 2 * kCurvePoints; ++n) expected.next();
    EXPECT_EQ(random.state(), expected.state());
}

TEST(WaveGeneratorTest, NoiseDrawsChanceThenSizeThenSign) {
    GeneratorSettings s = shape(WaveShape::Noise, 1000);
    s.noiseChance = 1000;
    s.randomSize = 1;
    kit::Random random(5);
    const auto g = generateWaveform(s, kZero, random);
    kit::Random replay(5);
    replay.next();
    const double size = (replay.next() % 1000) / 1000.0;
    const bool negative = replay.next() % 1000 < 500;
    EXPECT_EQ(g.points[0], static_cast<int>(32767 * (negative ? -size : size)));
    for (int n = 3; n < 3 * kCurvePoints; ++n) replay.next();
    EXPECT_EQ(random.state(), replay.state());
}

TEST(WaveGeneratorTest, RareNoiseLeavesAlmostEveryPointZero) {
    GeneratorSettings s = shape(WaveShape::Noise, 1000);
    s.noiseChance = 1;
    const auto g = generate(s, 12345);
    const auto nonZero = std::count_if(g.points.begin(), g.points.end(), [](int v) { return v; });
    EXPECT_LE(nonZero, 12);
}

TEST(GeneratorFieldsTest, FirstInvalidFieldIsRejectedWithItsMessage) {
    GeneratorSettings accepted;
    auto rejection = checkGeneratorFields({"0", "1", "100"}, accepted);
    ASSERT_TRUE(rejection);
    EXPECT_EQ(rejection->field, GeneratorField::Amplitude);
    EXPECT_EQ(rejection->message,
              "1 \x82\xa9\x82\xe7 1000 \x82\xdc\x82\xc5\x82\xcc\x90\xae\x90\x94"
              "\x82\xf0\x93\xfc\x97\xcd\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82"
              "\xb3\x82\xa2\x81"
              "B");

    rejection = checkGeneratorFields({"1001", "1", "100"}, accepted);
    ASSERT_TRUE(rejection);
    EXPECT_EQ(rejection->field, GeneratorField::Amplitude);

    rejection = checkGeneratorFields({"abc", "x", "100"}, accepted);
    ASSERT_TRUE(rejection);
    EXPECT_EQ(rejection->field, GeneratorField::Amplitude);
    EXPECT_EQ(rejection->message, text::kEnterInteger);

    rejection = checkGeneratorFields({"10", "101", "0"}, accepted);
    ASSERT_TRUE(rejection);
    EXPECT_EQ(rejection->field, GeneratorField::Cycles);

    // The noise chance is checked whatever the shape.
    rejection = checkGeneratorFields({"10", "100", "0"}, accepted);
    ASSERT_TRUE(rejection);
    EXPECT_EQ(rejection->field, GeneratorField::NoiseChance);

    EXPECT_FALSE(checkGeneratorFields({" 7 ", "+3", "1000"}, accepted));
    EXPECT_EQ(accepted.amplitude, 7);
    EXPECT_EQ(accepted.cycles, 3);
    EXPECT_EQ(accepted.noiseChance, 1000);
}

TEST(GeneratorFieldsTest, NumbersTooLargeForAWordAreNotIntegers) {
    EXPECT_FALSE(parseIntegerField("99999999999"));
    EXPECT_FALSE(parseIntegerField("12a"));
    EXPECT_FALSE(parseIntegerField(""));
    EXPECT_EQ(parseIntegerField("-5"), -5);
}

class ApplyGeneratorTest : public ::testing::Test {
  protected:
    testing::EditTestUi ui;
    std::unique_ptr<KyrelApp> app = std::make_unique<KyrelApp>(ui, 1);

    Track& track(int t) { return app->design.tracks[static_cast<std::size_t>(t)]; }
};

TEST_F(ApplyGeneratorTest, AddingTheSineToTheDefaultClampsTwoThirdsAndAsks) {
    app->design.settings.currentTrack = 2;
    app->design.settings.modified = 0;
    const Curve before = track(2).curve(CurveKind::Waveform);
    GeneratorSettings s;
    s.addToCurrent = 1;

    kit::Random probe(app->random.state());
    EXPECT_EQ(generateWaveform(s, before, probe).clampedCount, 1468);

    ui.answer = MessageAnswer::No;
    EXPECT_FALSE(applyGenerator(*app, s));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, text::kCaptionWarning);
    EXPECT_EQ(ui.messages[0].text, text::kAskWriteClampedWaveform);
    EXPECT_EQ(track(2).curve(CurveKind::Waveform), before);
    EXPECT_EQ(app->design.settings.trackUse[2], 1);
    EXPECT_EQ(app->design.settings.modified, 0);

    ui.answer = MessageAnswer::Yes;
    EXPECT_TRUE(applyGenerator(*app, s));
    const Curve& written = track(2).curve(CurveKind::Waveform);
    EXPECT_EQ(written[550], 32767);
    EXPECT_EQ(written[1651], -32767);
    EXPECT_EQ(written[1], 186);
    EXPECT_EQ(track(2).edited, 1);
    EXPECT_EQ(app->design.settings.modified, 1);
    EXPECT_EQ(app->design.settings.renderStale, 1);
}

TEST_F(ApplyGeneratorTest, OneUndoBringsBackTheWholeWaveformOfTheCurrentTrackOnly) {
    app->design.settings.currentTrack = 1;
    const auto before = app->design;
    EXPECT_TRUE(applyGenerator(*app, shape(WaveShape::Square, 300, 7)));
    EXPECT_TRUE(ui.messages.empty());
    for (int t = 0; t < kTrackCount; ++t)
        for (int k = 0; k < kCurveKindCount; ++k) {
            if (t == 1 && k == 0) continue;
            EXPECT_EQ(track(t).curves[k], before.tracks[t].curves[k]) << t << " " << k;
        }
    EXPECT_EQ(track(1).curve(CurveKind::Waveform)[0], -9830);

    ASSERT_TRUE(undoCurve(app->undo, 1, CurveKind::Waveform, track(1).curve(CurveKind::Waveform)));
    EXPECT_EQ(track(1).curve(CurveKind::Waveform), before.tracks[1].curve(CurveKind::Waveform));
}

}  // namespace
}  // namespace kyrel
