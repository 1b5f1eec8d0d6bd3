#include "designer/core/Presets.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "designer/core/ProjectFile.h"
#include "designer/core/WaveGenerator.h"

namespace kyrel {

namespace {

constexpr std::int32_t kRateIndex44100 = 2;
constexpr std::int32_t kBitsIndex16 = 1;
// The oscillator tops out at 2048 Hz; tones above this use more periods per waveform curve.
constexpr double kHighestOscillatorHz = 1900.0;

// A function of the position in the sound, 0 at its start and 1 at its end.
using Shape = std::function<double(double)>;

// Uniform draws from the program's generator.
class Draw {
  public:
    explicit Draw(kit::Random& random) : random_(random) {}
    double between(double low, double high) {
        return low + (high - low) * (random_.next() / double(kit::Random::kMax));
    }
    int below(int n) { return random_.next() % n; }
    kit::Random& random() { return random_; }

  private:
    kit::Random& random_;
};

std::int32_t curveValue(double v) {
    return static_cast<std::int32_t>(std::clamp(std::lround(v), -32768L, 32767L));
}

// The Volume curve value of a loudness from 0 (silent) to 1 (full).
std::int32_t volumeValue(double loudness) {
    return curveValue(32768.0 - std::clamp(loudness, 0.0, 1.0) * 65536.0);
}

template <class ValueAt>
void fillCurve(Curve& curve, ValueAt valueAt) {
    for (int i = 0; i < kCurvePoints; ++i)
        curve[static_cast<std::size_t>(i)] = valueAt(i / double(kCurvePoints - 1));
}

// Rises from 0 to `peak` over the first `attack` of the sound, then falls to 0 at its end along
// (1 - x)^power: power 1 is a straight line, larger powers fall fast and trail off.
Shape attackDecay(double peak, double attack, double power) {
    return [=](double u) {
        if (u < attack) return peak * u / attack;
        return peak * std::pow(1.0 - (u - attack) / (1.0 - attack), power);
    };
}

// Holds `level` until `fadeFrom`, then falls in a straight line to 0 at the end.
Shape holdFade(double level, double fadeFrom) {
    return [=](double u) { return u < fadeFrom ? level : level * (1.0 - u) / (1.0 - fadeFrom); };
}

// From `from` to `to` on a logarithmic scale (equal musical steps), along u^bend.
Shape sweep(double from, double to, double bend) {
    return [=](double u) { return from * std::pow(to / from, std::pow(u, bend)); };
}

struct Voice {
    GeneratorSettings wave;
    Shape pitch;     // Hz of the sound heard: oscillator frequency times the periods per curve
    Shape loudness;  // 0 ... 1
    int volume = 120;
    double panFrom = 0.0;  // Pan curve values, used in stereo
    double panTo = 0.0;
    std::int32_t frequencySpread = 0;
    std::int32_t volumeSpread = 0;
    std::int32_t waveformSpread = 0;
};

// A plain periodic waveform (sine, square, triangle or sawtooth) with a number of periods that
// divides the 2202 points exactly, so every cycle is alike; enough periods for `highestPitch`.
GeneratorSettings toneWave(Draw& draw, double highestPitch) {
    GeneratorSettings wave;
    wave.shape = draw.below(4);
    wave.cycles = 1 + draw.below(3);
    if (highestPitch / wave.cycles > kHighestOscillatorHz) wave.cycles = 3;
    // A triangle with an odd half period drifts from cycle to cycle.
    if (wave.shape == static_cast<int>(WaveShape::Triangle) && wave.cycles == 2) wave.cycles = 3;
    return wave;
}

// Random points of random size at every point: played fast it is white noise, played slowly
// each point is held for several samples and the noise gets darker.
GeneratorSettings noiseWave() {
    GeneratorSettings wave;
    wave.shape = static_cast<int>(WaveShape::Noise);
    wave.noiseChance = 1000;
    wave.randomSize = 1;
    return wave;
}

void writeVoice(SoundDesign& design, int t, const Voice& voice, kit::Random& random) {
    const auto index = static_cast<std::size_t>(t);
    DesignSettings& s = design.settings;
    Track& track = design.tracks[index];
    Curve& waveform = track.curve(CurveKind::Waveform);
    waveform = generateWaveform(voice.wave, waveform, random).points;
    const double cycles = std::max(voice.wave.cycles, 1);
    fillCurve(track.curve(CurveKind::Frequency), [&](double u) {
        return frequencyValueFor(voice.pitch(u) / cycles, s.frequencyMode);
    });
    fillCurve(track.curve(CurveKind::Volume),
              [&](double u) { return volumeValue(voice.loudness(u)); });
    const bool stereo = s.channelIndex == 1;
    fillCurve(track.curve(CurveKind::Pan), [&](double u) {
        return stereo ? curveValue(voice.panFrom + (voice.panTo - voice.panFrom) * u) : 0;
    });
    track.volume = voice.volume;
    track.edited = 1;
    s.trackUse[index] = 1;
    s.frequencySpread[index] = voice.frequencySpread;
    s.volumeSpread[index] = voice.volumeSpread;
    s.waveformSpread[index] = voice.waveformSpread;
}

// New's design with no track used, the preset's length and 16-bit 44100 Hz, mono or stereo.
void startDesign(SoundDesign& design, Draw& draw, double durationMs, bool noise) {
    resetDesign(design);
    DesignSettings& s = design.settings;
    s.trackUse.fill(0);
    s.durationMs = static_cast<std::int32_t>(durationMs);
    s.rateIndex = kRateIndex44100;
    s.bitsIndex = kBitsIndex16;
    s.channelIndex = draw.below(2);
    // Noise is shaped through the oscillator's speed, which the square law spreads more evenly.
    s.frequencyMode = noise ? 1 : draw.below(2);
}

void pan(Voice& voice, Draw& draw) {
    voice.panFrom = draw.between(-12000.0, 12000.0);
    voice.panTo = draw.between(-12000.0, 12000.0);
}

Voice tone(Draw& draw, Shape pitch, double highestPitch, Shape loudness) {
    Voice voice;
    voice.wave = toneWave(draw, highestPitch);
    voice.pitch = std::move(pitch);
    voice.loudness = std::move(loudness);
    voice.volume = 100 + draw.below(28);
    pan(voice, draw);
    return voice;
}

// A short tone that steps up once or twice by a third, a fourth or a fifth.
void buildCoin(SoundDesign& design, Draw& draw) {
    startDesign(design, draw, draw.between(250, 550), false);
    // A fourth or a fifth up, while the tone is still at full loudness.
    constexpr double kIntervals[] = {1.335, 1.5};
    const double base = draw.between(600, 1100);
    const bool twoSteps = draw.below(2) == 1;
    const double first = twoSteps ? draw.between(0.15, 0.25) : draw.between(0.25, 0.4);
    const double second = first + draw.between(0.2, 0.3);
    const double up1 = kIntervals[draw.below(2)];
    const double up2 = twoSteps ? kIntervals[draw.below(2)] : 1.0;
    auto pitch = [=](double u) {
        return base * (u >= first ? up1 : 1.0) * (u >= second ? up2 : 1.0);
    };
    auto loudness = holdFade(draw.between(0.8, 1.0), draw.between(0.6, 0.75));
    writeVoice(design, 0, tone(draw, pitch, base * up1 * up2, loudness), draw.random());
}

void buildSweep(SoundDesign& design, Draw& draw, bool rising) {
    if (rising) {
        startDesign(design, draw, draw.between(200, 450), false);
        const double from = draw.between(150, 350);
        const double to = from * draw.between(2.2, 3.5);
        auto loudness = holdFade(draw.between(0.8, 1.0), draw.between(0.5, 0.8));
        writeVoice(design, 0, tone(draw, sweep(from, to, draw.between(0.6, 1.4)), to, loudness),
                   draw.random());
    } else {
        startDesign(design, draw, draw.between(150, 450), false);
        const double from = draw.between(1000, 2000);
        const double to = from * draw.between(0.2, 0.4);
        auto loudness = holdFade(draw.between(0.85, 1.0), draw.between(0.3, 0.6));
        writeVoice(design, 0, tone(draw, sweep(from, to, draw.between(0.5, 1.5)), from, loudness),
                   draw.random());
    }
}

// A longer rise: one broad sweep, or a staircase of five to eight equal steps.
void buildPowerup(SoundDesign& design, Draw& draw) {
    startDesign(design, draw, draw.between(600, 1200), false);
    auto loudness = holdFade(draw.between(0.8, 0.95), draw.between(0.8, 0.9));
    if (draw.below(2) == 0) {
        const double from = draw.between(200, 400);
        const double to = from * draw.between(3.0, 5.0);
        writeVoice(design, 0, tone(draw, sweep(from, to, draw.between(0.7, 1.3)), to, loudness),
                   draw.random());
        return;
    }
    const int steps = 5 + draw.below(4);
    const double from = draw.between(250, 450);
    const double ratio = draw.between(1.12, 1.26);
    auto pitch = [=](double u) {
        return from * std::pow(ratio, std::min(std::floor(u * steps), steps - 1.0));
    };
    writeVoice(design, 0, tone(draw, pitch, from * std::pow(ratio, steps - 1), loudness),
               draw.random());
}

void buildBlip(SoundDesign& design, Draw& draw) {
    startDesign(design, draw, draw.between(40, 150), false);
    const double pitch = draw.between(500, 1500);
    writeVoice(design, 0,
               tone(
                   draw, [=](double) { return pitch; }, pitch,
                   holdFade(draw.between(0.85, 1.0), draw.between(0.6, 0.8))),
               draw.random());
}

// Noise whose oscillator slows from `from` Hz by `drop` over the first `fallTime` of the sound,
// its speed jittered by a frequency spread so the curve's random points never repeat in step.
Voice noise(Draw& draw, double from, double drop, double fallTime, Shape loudness) {
    Voice voice;
    voice.wave = noiseWave();
    voice.pitch = [=](double u) { return from * std::pow(drop, std::min(1.0, u / fallTime)); };
    voice.loudness = std::move(loudness);
    voice.volume = 110 + draw.below(18);
    voice.frequencySpread = 8 + draw.below(9);
    pan(voice, draw);
    return voice;
}

// A short burst: white at its start, darker as it fades.
void buildHit(SoundDesign& design, Draw& draw) {
    startDesign(design, draw, draw.between(80, 300), true);
    auto loudness = attackDecay(1.0, 0.01, draw.between(1.2, 2.2));
    writeVoice(design, 0,
               noise(draw, draw.between(25, 45), draw.between(0.06, 0.12), 0.6, loudness),
               draw.random());
}

// A loud crack that decays for most of a second or more over a dark rumble.
void buildExplosion(SoundDesign& design, Draw& draw) {
    startDesign(design, draw, draw.between(900, 2000), true);
    auto crackLoudness = attackDecay(1.0, draw.between(0.003, 0.02), draw.between(1.0, 1.8));
    Voice crack = noise(draw, draw.between(20, 45), draw.between(0.1, 0.25), 1.0, crackLoudness);
    crack.volumeSpread = draw.below(9);
    crack.waveformSpread = draw.below(5);
    writeVoice(design, 0, crack, draw.random());
    auto rumbleLoudness = attackDecay(draw.between(0.5, 0.7), 0.02, draw.between(0.8, 1.2));
    Voice rumble = noise(draw, draw.between(3, 6), 0.5, 1.0, rumbleLoudness);
    rumble.volume = 80 + draw.below(20);
    writeVoice(design, 1, rumble, draw.random());
}

// One to three tracks of tones or noise with free sweeps, envelopes and spreads.
void buildRandom(SoundDesign& design, Draw& draw) {
    startDesign(design, draw, draw.between(100, 1500), false);
    const int tracks = 1 + draw.below(3);
    for (int t = 0; t < tracks; ++t) {
        const double from = draw.between(100, 1800);
        const double to = draw.between(100, 1800);
        auto loudness =
            attackDecay(draw.between(0.6, 1.0), draw.between(0.0, 0.3), draw.between(0.5, 3.0));
        Voice voice =
            tone(draw, sweep(from, to, draw.between(0.5, 2.0)), std::max(from, to), loudness);
        if (draw.below(10) < 3) {
            voice.wave = noiseWave();
            voice.pitch = sweep(from / 40.0, to / 40.0, 1.0);
        }
        voice.volume = 127 - 25 * t;
        auto maybeSpread = [&] { return draw.below(4) == 0 ? 1 + draw.below(40) : 0; };
        voice.frequencySpread = maybeSpread();
        voice.volumeSpread = maybeSpread();
        voice.waveformSpread = maybeSpread();
        writeVoice(design, t, voice, draw.random());
    }
}

// The largest point of a track's waveform, or the limit when the waveform is dispersed.
double waveformPeak(const SoundDesign& design, std::size_t t) {
    if (design.settings.waveformSpread[t] != 0) return 32767.0;
    double peak = 0.0;
    for (std::int32_t w : design.tracks[t].curve(CurveKind::Waveform))
        peak = std::max(peak, std::abs(double(w)));
    return peak;
}

// Lowers every track's volume in proportion when the tracks together could pass full scale at
// any moment, so that no seed clips. A track's sample is at most its volume times the Volume
// curve's level (raised by the largest volume dispersion) times its waveform's peak; all tracks
// share the sound's length and so its curve points.
void fitHeadroom(SoundDesign& design) {
    constexpr double kLimit = 32767.0 * 0.97;
    std::array<double, kTrackCount> scale{};
    for (std::size_t t = 0; t < kTrackCount; ++t)
        if (design.settings.trackUse[t] == 1)
            scale[t] = design.tracks[t].volume / 127.0 * waveformPeak(design, t) / 65536.0;
    double bound = 0.0;
    for (std::size_t i = 0; i < kCurvePoints; ++i) {
        double sum = 0.0;
        for (std::size_t t = 0; t < kTrackCount; ++t) {
            if (scale[t] == 0.0) continue;
            const double raise = 19999.0 * design.settings.volumeSpread[t] / 127.0;
            const double level = levelOf(design.tracks[t].curve(CurveKind::Volume)[i]) + raise;
            sum += scale[t] * std::min(65536.0, level);
        }
        bound = std::max(bound, sum);
    }
    if (bound <= kLimit) return;
    for (Track& track : design.tracks)
        track.volume = std::max(1, static_cast<int>(track.volume * kLimit / bound));
}

}  // namespace

std::optional<PresetKind> presetByName(std::string_view name) {
    for (const PresetName& preset : kPresetNames)
        if (preset.name == name) return preset.kind;
    return std::nullopt;
}

std::int32_t frequencyValueFor(double hz, std::int32_t frequencyMode) {
    const double level = frequencyMode == 0 ? hz * 32.0 : std::sqrt(std::max(hz, 0.0) * 2097152.0);
    return curveValue(32768.0 - std::clamp(level, 1.0, 65536.0));
}

void buildPreset(PresetKind kind, kit::Random& random, SoundDesign& design) {
    // Right after a small seed the first draws hardly differ from seed to seed (the multiplier
    // moves the top bits slowly), so a preset starts a few draws in.
    for (int i = 0; i < 3; ++i) random.next();
    Draw draw(random);
    switch (kind) {
        case PresetKind::Coin:
            buildCoin(design, draw);
            break;
        case PresetKind::Laser:
            buildSweep(design, draw, false);
            break;
        case PresetKind::Jump:
            buildSweep(design, draw, true);
            break;
        case PresetKind::Powerup:
            buildPowerup(design, draw);
            break;
        case PresetKind::Hit:
            buildHit(design, draw);
            break;
        case PresetKind::Explosion:
            buildExplosion(design, draw);
            break;
        case PresetKind::Blip:
            buildBlip(design, draw);
            break;
        case PresetKind::Random:
            buildRandom(design, draw);
            break;
    }
    fitHeadroom(design);
}

}  // namespace kyrel
