#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "FakeUi.h"
#include "designer/core/CurveUndo.h"
#include "designer/core/GeneratorCommand.h"
#include "designer/core/KyrelApp.h"
#include "designer/core/WaveGenerator.h"

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
    testing::FakeUi ui;
    auto app = std::make_unique<KyrelApp>(ui, 1);
    const auto g = generate(GeneratorSettings{});
    EXPECT_EQ(g.points, app->design.tracks[3].curve(CurveKind::Waveform));
    EXPECT_EQ(*std::max_element(g.points.begin(), g.points.end()), 32766);
    EXPECT_EQ(std::count(g.points.begin() + 548, g.points.begin() + 554, 32766), 6);
}

TEST(WaveGeneratorTest, ShapesAtTheirDocumentedPoints) {
    const double q = 2 / ((2202.0 / 2) / 2);  // the triangle's slope at two cycles
    struct Case {
        WaveShape shape;
        int amplitude, cycles, index, value;
    };
    const Case cases[] = {
        {WaveShape::Square, 500, 1, 0, -16383},  // A = trunc(500 / 1000.0 * 32767)
        {WaveShape::Square, 1, 1, 0, -32},
        {WaveShape::Square, 1000, 100, 10, -32767},  // P = 22, H = 11
        {WaveShape::Square, 1000, 100, 11, 32767},
        {WaveShape::Square, 1000, 100, 2201, -32767},  // the cut last period
        {WaveShape::Sawtooth, 1000, 3, 734, 32767},    // restarts at +A every P = 734
        {WaveShape::Sawtooth, 1000, 3, 1468, 32767},
        {WaveShape::Triangle, 1000, 2, 1, static_cast<int>(32767 * (1 - q))},
        // P = 1101 is odd: the second period starts one point further in (i mod H from i).
        {WaveShape::Triangle, 1000, 2, 1101, static_cast<int>(32767 * (1 - q))},
        {WaveShape::Triangle, 1000, 2, 550, -32767},
        {WaveShape::Triangle, 1000, 2, 551, static_cast<int>(32767 * (-1 + q))},
        {WaveShape::Triangle, 1000, 1, 1101, -32767},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(generate(shape(c.shape, c.amplitude, c.cycles)).points[c.index], c.value)
            << static_cast<int>(c.shape) << " " << c.cycles << " " << c.index;
    }
}

TEST(WaveGeneratorTest, NoiseDrawsChanceThenSizeThenSignFromTheSharedGenerator) {
    for (int randomSize : {0, 1}) {
        GeneratorSettings s = shape(WaveShape::Noise, randomSize ? 1000 : 500);
        s.noiseChance = 1000;
        s.randomSize = randomSize;
        kit::Random random(77);
        const auto g = generateWaveform(s, kZero, random);
        kit::Random replay(77);
        replay.next();  // the chance, always met at 1000
        const double size = randomSize ? (replay.next() % 1000) / 1000.0 : 1.0;
        const bool negative = replay.next() % 1000 < 500;
        const int a = randomSize ? 32767 : 16383;
        EXPECT_EQ(g.points[0], static_cast<int>(a * (negative ? -size : size)));
        for (int n = 2 + randomSize; n < (2 + randomSize) * kCurvePoints; ++n) replay.next();
        EXPECT_EQ(random.state(), replay.state()) << randomSize;
        if (!randomSize) {
            EXPECT_TRUE(std::all_of(g.points.begin(), g.points.end(),
                                    [](int v) { return v == 16383 || v == -16383; }));
        }
    }
    // At a chance of 1 in 1000 almost every point stays 0.
    GeneratorSettings rare = shape(WaveShape::Noise);
    rare.noiseChance = 1;
    const auto g = generate(rare, 12345);
    EXPECT_LE(std::count_if(g.points.begin(), g.points.end(), [](int v) { return v; }), 12);
}

TEST(GeneratorFieldsTest, FirstInvalidFieldIsRejectedWithItsMessage) {
    struct Case {
        GeneratorFieldTexts texts;
        std::optional<GeneratorField> field;
        const char* message;
    };
    const Case cases[] = {
        {{"0", "1", "100"},
         GeneratorField::Amplitude,
         "1 から 1000 までの整数を入力してください。"},
        {{"1001", "1", "100"}, GeneratorField::Amplitude, nullptr},
        {{"abc", "x", "100"}, GeneratorField::Amplitude, "整数を入力してください。"},
        {{"10", "101", "0"}, GeneratorField::Cycles, "1 から 100 までの整数を入力してください。"},
        {{"10", "100", "0"}, GeneratorField::NoiseChance, nullptr},
        {{"99999999999", "1", "1"}, GeneratorField::Amplitude, "整数を入力してください。"},
        // The noise chance of another shape cannot be reached in the dialog: not checked.
        {{"10", "100", "", false}, std::nullopt, nullptr},
        {{" 7 ", "+3", "1000"}, std::nullopt, nullptr},
    };
    for (const Case& c : cases) {
        GeneratorSettings accepted;
        accepted.noiseChance = 555;
        const auto rejection = checkGeneratorFields(c.texts, accepted);
        ASSERT_EQ(rejection.has_value(), c.field.has_value()) << c.texts.amplitude;
        if (rejection) {
            EXPECT_EQ(rejection->field, *c.field) << c.texts.amplitude;
            if (c.message) {
                EXPECT_EQ(kit::sjisToUtf8Lossy(rejection->message), c.message);
            }
        } else if (c.texts.noiseShape) {
            EXPECT_EQ(accepted.amplitude, 7);
            EXPECT_EQ(accepted.cycles, 3);
            EXPECT_EQ(accepted.noiseChance, 1000);
        } else {
            EXPECT_EQ(accepted.noiseChance, 555);
        }
    }
}

class ApplyGeneratorTest : public ::testing::Test {
  protected:
    testing::FakeUi ui;
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

    // No leaves the track as it was, its use box included.
    ui.answers = {MessageAnswer::No, MessageAnswer::Yes};
    EXPECT_FALSE(applyGenerator(*app, s));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(track(2).curve(CurveKind::Waveform), before);
    EXPECT_EQ(app->design.settings.trackUse[2], 0);
    EXPECT_EQ(app->design.settings.modified, 0);

    EXPECT_TRUE(applyGenerator(*app, s));
    EXPECT_EQ(app->design.settings.trackUse[2], 1);
    const Curve& written = track(2).curve(CurveKind::Waveform);
    EXPECT_EQ((std::array{written[550], written[1651], written[1]}),
              (std::array{32767, -32767, 186}));
    EXPECT_EQ(track(2).edited, 1);
    EXPECT_EQ(app->design.settings.modified, 1);
    EXPECT_EQ(app->design.settings.renderStale, 1);
}

TEST_F(ApplyGeneratorTest, WritesTheCurrentTracksWaveformOnlyAfterOneSnapshot) {
    app->design.settings.currentTrack = 1;
    const auto before = app->design;
    EXPECT_TRUE(applyGenerator(*app, shape(WaveShape::Square, 300, 7)));
    EXPECT_TRUE(ui.shown.empty());
    for (int t = 0; t < kTrackCount; ++t)
        for (int k = 0; k < kCurveKindCount; ++k) {
            if (t == 1 && k == 0) continue;
            EXPECT_EQ(track(t).curves[k], before.tracks[t].curves[k]) << t << " " << k;
        }
    EXPECT_EQ(track(1).curve(CurveKind::Waveform)[0], -9830);
    EXPECT_EQ(app->undo.ring(1, CurveKind::Waveform).index, 1);  // one snapshot: one Undo
}

}  // namespace
}  // namespace kyrel
