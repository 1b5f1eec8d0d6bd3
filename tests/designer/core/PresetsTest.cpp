#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>
#include <sstream>

#include "FakeUi.h"
#include "designer/core/Mutate.h"
#include "designer/core/PresetCommands.h"
#include "designer/core/RenderCommand.h"
#include "designer/core/Synthesis.h"

namespace kyrel {
namespace {

using testing::FakeUi;
using testing::TempDir;

// What a listener would measure: the sound's length, and per 10 ms window its loudness and its
// zero crossings, which follow the pitch of a tone and the brightness of a noise.
struct Measured {
    double seconds = 0.0;
    double pitchTrend = 1.0;   // crossings late in the loud part over crossings early in it
    double periodicity = 0.0;  // best autocorrelation around the loudest moment, 1 = periodic
    double peakAt = 0.0;       // where the loudest window lies, 0 ... 1 of the length
    double peakRms = 0.0;
};

// The render's channels summed; `clipped` counts the samples at full scale.
std::vector<double> renderMono(const SoundDesign& design, kit::Random& random, int& rate,
                               int& clipped) {
    auto tracks = design.tracks;
    for (std::size_t t = 0; t < tracks.size(); ++t) {
        tracks[t].renderEnabled = design.settings.trackUse[t];
        tracks[t].endMs = design.settings.durationMs;
    }
    const int channels = design.settings.channelIndex + 1;
    rate = kSampleRates[static_cast<std::size_t>(design.settings.rateIndex)];
    RenderProgress quiet;
    RenderOutput out;
    EXPECT_TRUE(renderTracks(tracks, design.settings, channels, rate, 16, random, quiet, out));
    std::vector<double> mono(out.data.size() / 2 / static_cast<std::size_t>(channels));
    clipped = 0;
    for (std::size_t f = 0; f < mono.size(); ++f)
        for (int c = 0; c < channels; ++c) {
            const std::size_t at = (f * static_cast<std::size_t>(channels) + c) * 2;
            const auto v = static_cast<std::int16_t>(out.data[at] | out.data[at + 1] << 8);
            mono[f] += v;
            clipped += std::abs(v) >= 32767;
        }
    return mono;
}

double periodicityAround(const std::vector<double>& x, std::size_t centre) {
    // 11.6 ms at 44.1 kHz: short enough for a fast sweep to keep its period.
    constexpr std::size_t kWindow = 512;
    constexpr std::size_t kLongestLag = 384;
    if (x.size() < kWindow + kLongestLag) return 0.0;
    const std::size_t start =
        std::min(centre > kWindow / 2 ? centre - kWindow / 2 : 0, x.size() - kWindow - kLongestLag);
    double best = 0.0;
    for (std::size_t lag = 8; lag <= kLongestLag; ++lag) {
        double xy = 0, xx = 0, yy = 0;
        for (std::size_t i = start; i < start + kWindow; ++i) {
            xy += x[i] * x[i + lag];
            xx += x[i] * x[i];
            yy += x[i + lag] * x[i + lag];
        }
        if (xx > 0 && yy > 0) best = std::max(best, xy / std::sqrt(xx * yy));
    }
    return best;
}

Measured measure(const std::vector<double>& x, int rate) {
    Measured m;
    m.seconds = double(x.size()) / rate;
    const auto window = static_cast<std::size_t>(std::max(rate / 100, 1));
    std::vector<double> rms, crossings;
    for (std::size_t w = 0; w + window <= x.size(); w += window) {
        double energy = 0;
        int count = 0, sign = 0;
        for (std::size_t i = w; i < w + window; ++i) {
            energy += x[i] * x[i];
            const int s = (x[i] > 0) - (x[i] < 0);
            if (s != 0 && sign != 0 && s != sign) ++count;
            if (s != 0) sign = s;
        }
        rms.push_back(std::sqrt(energy / double(window)));
        crossings.push_back(count);
    }
    if (rms.empty()) return m;
    const auto loudest = std::max_element(rms.begin(), rms.end()) - rms.begin();
    m.peakRms = rms[static_cast<std::size_t>(loudest)];
    m.peakAt = double(loudest) / double(rms.size());
    std::vector<double> loud;
    for (std::size_t w = 0; w < rms.size(); ++w)
        if (rms[w] >= 0.25 * m.peakRms) loud.push_back(crossings[w]);
    const std::size_t third = std::max<std::size_t>(1, loud.size() / 3);
    const double early = std::accumulate(loud.begin(), loud.begin() + third, 0.0) / third;
    const double late = std::accumulate(loud.end() - third, loud.end(), 0.0) / third;
    m.pitchTrend = (late + 1.0) / (early + 1.0);
    m.periodicity = periodicityAround(x, static_cast<std::size_t>(loudest) * window + window / 2);
    return m;
}

enum class Pitch { Rising, Falling, Any };
enum class Sound { Tone, Noise, Any };

struct Category {
    PresetKind kind;
    double minSeconds;
    double maxSeconds;
    Pitch pitch;
    Sound sound;
    double latestPeak;  // the loudest moment lies before this fraction of the length
};

// The promises of the category names, checked on the rendered samples of 200 seeds each, the
// first 60 also after three mutations (which must keep a design's character). No preset clips.
TEST(Presets, EveryCategorySoundsLikeItsNameOverManySeeds) {
    const Category categories[] = {
        {PresetKind::Coin, 0.0, 0.6, Pitch::Rising, Sound::Tone, 1.0},
        {PresetKind::Jump, 0.0, 30.0, Pitch::Rising, Sound::Tone, 1.0},
        {PresetKind::Laser, 0.0, 30.0, Pitch::Falling, Sound::Tone, 1.0},
        {PresetKind::Powerup, 0.6, 30.0, Pitch::Rising, Sound::Tone, 1.0},
        {PresetKind::Hit, 0.0, 0.4, Pitch::Falling, Sound::Noise, 0.3},
        {PresetKind::Explosion, 0.5, 30.0, Pitch::Any, Sound::Noise, 0.1},
        {PresetKind::Blip, 0.0, 0.2, Pitch::Any, Sound::Tone, 1.0},
        {PresetKind::Random, 0.05, 30.0, Pitch::Any, Sound::Any, 1.0},
    };
    for (const Category& c : categories) {
        for (std::uint32_t seed = 1; seed <= 200; ++seed) {
            for (int mutations : {0, 3}) {
                if (mutations > 0 && seed > 60) continue;
                SCOPED_TRACE(::testing::Message() << "preset " << static_cast<int>(c.kind)
                                                  << " seed " << seed << " mutated " << mutations);
                FakeUi ui;
                auto app = std::make_unique<KyrelApp>(ui, seed);
                commandPreset(*app, c.kind);
                for (int i = 0; i < mutations; ++i) commandMutate(*app);
                int rate = 0, clipped = 0;
                const std::vector<double> samples =
                    renderMono(app->design, app->random, rate, clipped);
                EXPECT_TRUE(mutations > 0 || clipped == 0) << clipped;
                const Measured m = measure(samples, rate);
                EXPECT_GE(m.seconds, c.minSeconds);
                EXPECT_LT(m.seconds, c.maxSeconds);
                EXPECT_GT(m.peakRms, 3000.0);
                EXPECT_LE(m.peakAt, c.latestPeak);
                EXPECT_TRUE(c.pitch != Pitch::Rising || m.pitchTrend > 1.15) << m.pitchTrend;
                EXPECT_TRUE(c.pitch != Pitch::Falling || m.pitchTrend < 1 / 1.15) << m.pitchTrend;
                EXPECT_TRUE(c.sound != Sound::Tone || m.periodicity > 0.6) << m.periodicity;
                EXPECT_TRUE(c.sound != Sound::Noise || m.periodicity < 0.35) << m.periodicity;
            }
        }
    }
}

// The largest change of a curve point, and the sum of all changes.
std::pair<std::int32_t, std::int64_t> change(const SoundDesign& a, const SoundDesign& b) {
    std::pair<std::int32_t, std::int64_t> c{0, 0};
    for (std::size_t t = 0; t < a.tracks.size(); ++t)
        for (std::size_t k = 0; k < a.tracks[t].curves.size(); ++k)
            for (std::size_t i = 0; i < kCurvePoints; ++i) {
                const std::int32_t d =
                    std::abs(a.tracks[t].curves[k][i] - b.tracks[t].curves[k][i]);
                c = {std::max(c.first, d), c.second + d};
            }
    return c;
}

TEST(Presets, MutationsDriftInSmallStepsAndKeepTheSettings) {
    for (const PresetName& preset : kPresetNames) {
        kit::Random random(static_cast<std::uint32_t>(preset.kind) + 7);
        auto first = std::make_unique<SoundDesign>();
        buildPreset(preset.kind, random, *first);
        auto design = std::make_unique<SoundDesign>(*first);
        std::int64_t firstChange = 0;
        for (int i = 0; i < 40; ++i) {
            const auto before = std::make_unique<SoundDesign>(*design);
            mutateDesign(*design, random);
            ASSERT_LE(change(*before, *design).first, kMutationMaxPointStep) << preset.name;
            if (i == 0) firstChange = change(*first, *design).second;
            const DesignSettings &s = design->settings, &p = before->settings;
            EXPECT_EQ(s.durationMs, p.durationMs);
            EXPECT_EQ(s.trackUse, p.trackUse);
            for (std::size_t t = 0; t < kTrackCount; ++t) {
                for (auto [now, was] : {std::pair{s.frequencySpread[t], p.frequencySpread[t]},
                                        {s.volumeSpread[t], p.volumeSpread[t]},
                                        {s.waveformSpread[t], p.waveformSpread[t]},
                                        {design->tracks[t].volume, before->tracks[t].volume}}) {
                    EXPECT_LE(std::abs(now - was), kMutationMaxSettingStep);
                    EXPECT_EQ(now == 0, was == 0);  // a clean tone stays clean
                }
            }
        }
        EXPECT_GT(change(*first, *design).second, 2 * firstChange) << preset.name << " drifts";
    }
}

TEST(Presets, CommandLineWritesProjectsAndWavsRepeatablyBySeed) {
    TempDir dir;
    std::ostringstream err;
    auto run = [&](std::vector<std::string> args) { return runPresetCommand(args, err); };
    const struct {
        std::vector<std::string> args;
        int status;
    } usage[] = {
        {{"--preset", "coin"}, 2},
        {{"--preset", "thunder", dir.file("a.wav")}, 2},
        {{"--preset", "coin", dir.file("a.mp3")}, 2},
        {{"--preset", "coin", "--seed", "x", dir.file("a.wav")}, 2},
        {{"--preset", "coin", dir.file("a.wav"), dir.file("b.wav")}, 2},
        {{"--preset", "coin", "--loud", dir.file("a.wav")}, 2},
        {{"--preset", "coin", dir.file("missing/a.wav")}, 1},
        {{"--preset", "coin", dir.file("missing/a.kyl")}, 1},
    };
    for (const auto& c : usage) EXPECT_EQ(run(c.args), c.status) << c.args.back();

    for (const PresetName& preset : kPresetNames) {
        const std::string name(preset.name);
        for (const char* ext : {".wav", ".kyl"}) {
            const std::string a = dir.file(name + "-a" + ext), b = dir.file(name + "-b" + ext);
            ASSERT_EQ(run({"--preset", name, "--seed", "42", a}), 0) << err.str();
            ASSERT_EQ(run({"--seed", "42", b, "--preset", name}), 0);
            EXPECT_EQ(readAll(a), readAll(b)) << name << ext;
        }
        const std::vector<std::uint8_t> wav = readAll(dir.file(name + "-a.wav"));
        ASSERT_GT(wav.size(), 44u);
        EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
        EXPECT_EQ(readAll(dir.file(name + "-a.kyl")).size(), 212204u);
        // The project renders, with the same seed, to the very bytes of the preset's WAV.
        const std::string again = dir.file(name + "-again.wav");
        ASSERT_EQ(
            runRenderCommand({"--render", dir.file(name + "-a.kyl"), again, "--seed", "42"}, err),
            0);
        EXPECT_EQ(readAll(again), wav) << name;
    }
    EXPECT_EQ(run({"--preset", "coin", dir.file("UPPER.WAV")}), 0);
    EXPECT_FALSE(readAll(dir.file("UPPER.WAV")).empty());
}

}  // namespace
}  // namespace kyrel
