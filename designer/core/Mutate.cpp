#include "designer/core/Mutate.h"

#include <algorithm>
#include <cmath>

namespace kyrel {

namespace {

constexpr double kPi = 3.14159265358979323846;

double between(kit::Random& random, double low, double high) {
    return low + (high - low) * (random.next() / double(kit::Random::kMax));
}

double position(int i) {
    return i / double(kCurvePoints - 1);
}

// Scales the level (32768 - value) of every point by a factor that moves in a straight line
// from `atStart` to `atEnd`; levels stay within 1 ... 65536.
void scaleLevels(Curve& curve, double atStart, double atEnd) {
    for (int i = 0; i < kCurvePoints; ++i) {
        std::int32_t& v = curve[static_cast<std::size_t>(i)];
        const double factor = atStart + (atEnd - atStart) * position(i);
        const double level = std::clamp((32768.0 - v) * factor, 1.0, 65536.0);
        v = static_cast<std::int32_t>(std::lround(32768.0 - level));
    }
}

// Adds a smooth raised-cosine bump of `height` to a stretch of the curve.
void addBump(Curve& curve, kit::Random& random, double height, std::int32_t limit) {
    const int centre = static_cast<int>(between(random, 0, kCurvePoints - 1));
    const int halfWidth = static_cast<int>(between(random, 40, 300));
    for (int i = std::max(0, centre - halfWidth);
         i <= std::min(kCurvePoints - 1, centre + halfWidth); ++i) {
        std::int32_t& v = curve[static_cast<std::size_t>(i)];
        const double weight = 0.5 + 0.5 * std::cos(kPi * (i - centre) / halfWidth);
        const auto moved = static_cast<std::int32_t>(std::lround(v + height * weight));
        v = std::clamp(moved, -limit, limit);
    }
}

std::int32_t nudge(std::int32_t value, kit::Random& random, std::int32_t low, std::int32_t high) {
    const int step = random.next() % (2 * kMutationMaxSettingStep + 1) - kMutationMaxSettingStep;
    return std::clamp(value + step, low, high);
}

void mutateTrack(SoundDesign& design, std::size_t t, kit::Random& random) {
    Track& track = design.tracks[t];
    DesignSettings& s = design.settings;
    const double pitch = between(random, -0.012, 0.012);
    const double tilt = between(random, -0.005, 0.005);
    scaleLevels(track.curve(CurveKind::Frequency), 1.0 + pitch - tilt, 1.0 + pitch + tilt);
    scaleLevels(track.curve(CurveKind::Volume), 1.0 + between(random, -0.04, 0.04),
                1.0 + between(random, -0.04, 0.04));
    addBump(track.curve(CurveKind::Waveform), random, between(random, -1000, 1000), 32767);
    if (s.channelIndex == 1) {
        const double shift = between(random, -600, 600);
        for (std::int32_t& v : track.curve(CurveKind::Pan))
            v = std::clamp(static_cast<std::int32_t>(std::lround(v + shift)), -32767, 32767);
    }
    track.volume = nudge(track.volume, random, 1, 127);
    for (auto* spread : {&s.frequencySpread[t], &s.volumeSpread[t], &s.waveformSpread[t]})
        if (*spread > 0) *spread = nudge(*spread, random, 1, 127);
}

}  // namespace

void mutateDesign(SoundDesign& design, kit::Random& random) {
    for (std::size_t t = 0; t < design.tracks.size(); ++t)
        if (design.settings.trackUse[t] == 1) mutateTrack(design, t, random);
}

}  // namespace kyrel
