#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "common/LittleEndian.h"
#include "designer/core/ProjectFile.h"
#include "designer/core/Synthesis.h"

namespace kyrel {
namespace {

// Renders a design with its trackUse words as the enabled set and durationMs as every end.
class Render {
  public:
    Render() : design_(std::make_unique<SoundDesign>()) { resetDesign(*design_); }

    SoundDesign& design() { return *design_; }
    Track& track(int t) { return design_->tracks[static_cast<std::size_t>(t)]; }

    // Full loudness, track volume 127 and a waveform ramp 10 * point, so that a 16-bit mono
    // sample of this track alone reads back the waveform point it came from.
    void makeTransparent(int t) {
        Track& tr = track(t);
        tr.volume = 127;
        tr.curve(CurveKind::Volume).fill(-32768);
        Curve& wave = tr.curve(CurveKind::Waveform);
        for (int i = 0; i < kCurvePoints; ++i) wave[static_cast<std::size_t>(i)] = 10 * i;
    }

    bool run(int channels, int rate, int bits, RenderProgress& progress) {
        for (std::size_t t = 0; t < kTrackCount; ++t) {
            Track& tr = design_->tracks[t];
            tr.renderEnabled = design_->settings.trackUse[t];
            if (tr.endMs == 0) tr.endMs = design_->settings.durationMs;
        }
        return renderTracks(design_->tracks, design_->settings, channels, rate, bits, random,
                            progress, out);
    }
    bool run(int channels, int rate, int bits) {
        RenderProgress quiet;
        return run(channels, rate, bits, quiet);
    }

    std::vector<int> samples16() const {
        std::vector<int> s;
        for (std::size_t i = 0; i + 1 < out.data.size(); i += 2)
            s.push_back(kit::readI16LE(out.data, i));
        return s;
    }

    kit::Random random{1};
    RenderOutput out;

  private:
    std::unique_ptr<SoundDesign> design_;
};

// Upward zero crossings of one channel: about the oscillator frequency over one second.
int upwardCrossings(const std::vector<int>& s) {
    int n = 0;
    for (std::size_t i = 1; i < s.size(); ++i)
        if (s[i - 1] < 0 && s[i] >= 0) ++n;
    return n;
}

TEST(Synthesis, NewDocumentStartsWithTheKnownSamples) {
    Render r;
    ASSERT_TRUE(r.run(1, 22050, 8));
    ASSERT_EQ(r.out.data.size(), 22050u);
    EXPECT_EQ(std::vector<int>(r.out.data.begin(), r.out.data.begin() + 6),
              (std::vector<int>{139, 150, 160, 170, 179, 187}));

    ASSERT_TRUE(r.run(1, 22050, 16));
    auto s = r.samples16();
    EXPECT_EQ(std::vector<int>(s.begin(), s.begin() + 6),
              (std::vector<int>{2891, 5722, 8432, 10963, 13264, 15282}));
    EXPECT_NEAR(upwardCrossings(s), 512, 1);
}

TEST(Synthesis, FrequencyModesAndExtremes) {
    Render r;
    r.design().settings.frequencyMode = 0;  // linear: the middle level plays at 1024 Hz
    ASSERT_TRUE(r.run(1, 22050, 16));
    EXPECT_EQ(r.samples16()[0], 5722);  // waveform point trunc(2 * 51.13)
    EXPECT_NEAR(upwardCrossings(r.samples16()), 1024, 1);

    r.track(0).curve(CurveKind::Frequency).fill(-32768);  // the top plays at 2048 Hz
    for (int mode : {0, 1}) {
        r.design().settings.frequencyMode = mode;
        ASSERT_TRUE(r.run(1, 44100, 16));
        EXPECT_NEAR(upwardCrossings(r.samples16()), 2048, 1) << "mode " << mode;
    }

    // The bottom (level 1): the square law practically stops the oscillator at point 0; the
    // linear mode crawls through the first 69 points in one second.
    r.makeTransparent(0);
    r.track(0).curve(CurveKind::Frequency).fill(32767);
    r.design().settings.frequencyMode = 1;
    ASSERT_TRUE(r.run(1, 22050, 16));
    auto s = r.samples16();
    EXPECT_TRUE(std::all_of(s.begin(), s.end(), [](int v) { return v == 0; }));
    r.design().settings.frequencyMode = 0;
    ASSERT_TRUE(r.run(1, 22050, 16));
    s = r.samples16();
    EXPECT_EQ(s.front(), 0);
    EXPECT_EQ(s.back(), 680);
    EXPECT_TRUE(std::is_sorted(s.begin(), s.end()));
}

TEST(Synthesis, MixIsLimitedSymmetricallyAndSilenceIsZeroOr128) {
    Render r;
    for (int t = 0; t < kTrackCount; ++t) {
        r.makeTransparent(t);
        r.design().settings.trackUse[static_cast<std::size_t>(t)] = 1;
    }
    struct Case {
        std::int32_t waveform, volume;
        int sample16, byte8;
    };
    // -32767 >> 8 is -128; a Volume curve at +32767 (level 1) mutes.
    for (const Case& c : {Case{32767, -32768, 32767, 255}, Case{-32767, -32768, -32767, 0},
                          Case{32767, 32767, 0, 128}}) {
        for (int t = 0; t < kTrackCount; ++t) {
            r.track(t).curve(CurveKind::Waveform).fill(c.waveform);
            r.track(t).curve(CurveKind::Volume).fill(c.volume);
        }
        ASSERT_TRUE(r.run(2, 11025, 16));
        auto s = r.samples16();
        EXPECT_TRUE(std::all_of(s.begin(), s.end(), [&](int v) { return v == c.sample16; }));
        ASSERT_TRUE(r.run(2, 11025, 8));
        EXPECT_EQ(r.out.data.size(), 22050u);
        EXPECT_TRUE(std::all_of(r.out.data.begin(), r.out.data.end(),
                                [&](std::uint8_t b) { return b == c.byte8; }));
    }
}

TEST(Synthesis, PanShiftsTheFarSideDownToHalf) {
    Render r;
    r.makeTransparent(0);
    r.design().settings.directWaveform[0] = 1;
    struct Case {
        int pan;
        double left, right;
    };
    for (const Case& c :
         {Case{-32768, 1.0, 0.5}, Case{32767, 32769.0 / 65536, 1.0}, Case{0, 1.0, 1.0}}) {
        r.track(0).curve(CurveKind::Pan).fill(c.pan);
        ASSERT_TRUE(r.run(2, 22050, 16));
        auto s = r.samples16();
        for (std::size_t frame = 0; frame < 2202; frame += 97) {
            const double x = 10.0 * static_cast<double>(frame);
            EXPECT_EQ(s[2 * frame], static_cast<int>(x * c.left)) << c.pan << " " << frame;
            EXPECT_EQ(s[2 * frame + 1], static_cast<int>(x * c.right)) << c.pan << " " << frame;
        }
    }
}

TEST(Synthesis, DirectWaveformPlaysThePointsInTurn) {
    Render r;
    r.makeTransparent(0);
    r.design().settings.directWaveform[0] = 1;
    r.track(0).curve(CurveKind::Frequency).fill(12345);  // has no effect
    ASSERT_TRUE(r.run(1, 11025, 16));
    auto s = r.samples16();
    ASSERT_EQ(s.size(), 11025u);
    for (std::size_t i = 0; i < s.size(); ++i) ASSERT_EQ(s[i], 10 * static_cast<int>(i % 2202));
}

TEST(Synthesis, DispersionDrawsInAFixedOrderFromTheSharedGenerator) {
    Render a;
    a.design().settings.volumeSpread[0] = 127;
    a.design().settings.waveformSpread[0] = 64;
    a.design().settings.trackUse[2] = 1;
    a.design().settings.frequencySpread[2] = 5;
    a.design().settings.frequencySpread[3] = 100;  // unused track: draws nothing
    ASSERT_TRUE(a.run(1, 11025, 16));

    // Two draws per spread that is not 0, per sounding track and frame.
    kit::Random expected{1};
    for (int i = 0; i < 11025 * 6; ++i) expected.next();
    EXPECT_EQ(a.random.state(), expected.state());

    Render b;
    b.design().settings = a.design().settings;
    ASSERT_TRUE(b.run(1, 11025, 16));
    EXPECT_EQ(a.out.data, b.out.data);  // same seed, same sound
    ASSERT_TRUE(b.run(1, 11025, 16));
    EXPECT_NE(a.out.data, b.out.data);  // the generator is never reseeded
}

TEST(Synthesis, ProgressAndCancel) {
    struct Recorder : RenderProgress {
        void progress(int percent) override { seen.push_back(percent); }
        bool cancelRequested() override { return ++asked > cancelAfter; }
        std::vector<int> seen;
        int asked = 0;
        int cancelAfter = 1000000;
    } recorder;
    Render r;
    ASSERT_TRUE(r.run(1, 22050, 8, recorder));
    EXPECT_EQ(recorder.seen.size(), 23u);  // every 1000 frames, 0 ... 99
    EXPECT_EQ(recorder.seen.back(), 99);
    EXPECT_EQ(recorder.asked, 111);  // every 200 frames

    recorder.asked = 0;
    recorder.cancelAfter = 3;
    EXPECT_FALSE(r.run(1, 22050, 8, recorder));
    EXPECT_EQ(recorder.asked, 4);
}

TEST(Synthesis, NothingToRenderAndDamagedCurves) {
    Render r;
    r.design().settings.trackUse[0] = 0;
    EXPECT_FALSE(r.run(1, 22050, 8));
    EXPECT_TRUE(r.out.data.empty());
    r.design().settings.trackUse[0] = 1;
    EXPECT_FALSE(r.run(3, 22051, 24));  // a format outside the tables

    // Curves of a damaged file never read outside the waveform.
    r.track(0).curve(CurveKind::Frequency).fill(-2147483647 - 1);
    r.track(0).curve(CurveKind::Volume).fill(2147483647);
    r.track(0).curve(CurveKind::Pan).fill(-2147483647 - 1);
    r.track(0).volume = 2147483647;
    for (int mode : {0, 1}) {
        r.design().settings.frequencyMode = mode;
        EXPECT_TRUE(r.run(2, 44100, 16));
    }
    r.track(0).curve(CurveKind::Frequency).fill(2147483647);  // a negative level
    r.design().settings.frequencyMode = 0;
    EXPECT_TRUE(r.run(2, 44100, 16));
}

}  // namespace
}  // namespace kyrel
