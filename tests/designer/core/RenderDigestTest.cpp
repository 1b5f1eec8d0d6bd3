#include <gtest/gtest.h>

#include <memory>

#include "designer/core/ProjectFile.h"
#include "designer/core/Synthesis.h"

namespace kyrel {
namespace {

// Digests of renders of a busy six-track design, fixed when the synthesis was checked against
// the known samples of a new document. They guard the exact arithmetic (order of operations,
// truncations, the random draws) against changes made for speed.

std::uint64_t fnv1a(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
    return h;
}

// `allSpreads`: every spread at `spread`; `loudTrack`: track 3 has a volume beyond 127, which
// only a damaged project holds and which the render takes frame by frame.
std::unique_ptr<SoundDesign> busyDesign(int spread, int frequencyMode, bool allSpreads,
                                        bool loudTrack) {
    auto design = std::make_unique<SoundDesign>();
    resetDesign(*design);
    DesignSettings& s = design->settings;
    s.frequencyMode = frequencyMode;
    for (int t = 0; t < kTrackCount; ++t) {
        const auto i = static_cast<std::size_t>(t);
        Track& track = design->tracks[i];
        s.trackUse[i] = 1;
        s.frequencySpread[i] = spread;
        s.volumeSpread[i] = allSpreads ? spread : spread / 2;
        s.waveformSpread[i] = allSpreads ? spread : spread / 3;
        s.directWaveform[i] = t == 5 ? 1 : 0;
        track.renderEnabled = 1;
        track.endMs = 700 + 100 * t;
        track.volume = loudTrack && t == 2 ? 300 : 40 + 15 * t;
        for (int p = 0; p < kCurvePoints; ++p) {
            const auto pi = static_cast<std::size_t>(p);
            track.curve(CurveKind::Frequency)[pi] = -5000 * t + 13 * p - 7000;
            track.curve(CurveKind::Volume)[pi] = -32768 + 29 * p;
            track.curve(CurveKind::Pan)[pi] = (p * 31 + t * 7000) % 65535 - 32767;
        }
    }
    return design;
}

std::uint64_t digest(int spread, int frequencyMode, int channels, int rate, int bits,
                     bool allSpreads = false, bool loudTrack = false) {
    auto design = busyDesign(spread, frequencyMode, allSpreads, loudTrack);
    kit::Random random(12345);
    RenderProgress quiet;
    RenderOutput out;
    EXPECT_TRUE(
        renderTracks(design->tracks, design->settings, channels, rate, bits, random, quiet, out));
    return fnv1a(out.data) ^ random.state();
}

TEST(RenderDigest, BusyDesignsRenderToTheirKnownBytes) {
    EXPECT_EQ(digest(0, 1, 2, 44100, 16), 10952877425332036604ull);
    EXPECT_EQ(digest(127, 1, 2, 22050, 16), 16218751742612051798ull);
    EXPECT_EQ(digest(90, 0, 1, 11025, 8), 5979682626373383313ull);
    EXPECT_EQ(digest(0, 0, 2, 22050, 8), 15111716529843482517ull);
    // Every spread of every track at its largest, as the speed benchmark renders it.
    EXPECT_EQ(digest(127, 1, 2, 44100, 16, true), 277920173081428596ull);
    EXPECT_EQ(digest(127, 0, 1, 44100, 16, true), 10095473124399316613ull);
    EXPECT_EQ(digest(127, 1, 2, 44100, 16, true, true), 10046756244044995833ull);
    EXPECT_EQ(digest(0, 0, 1, 22050, 8, false, true), 12737810588595581927ull);
}

}  // namespace
}  // namespace kyrel
