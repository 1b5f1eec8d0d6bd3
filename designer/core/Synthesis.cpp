#include "designer/core/Synthesis.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <span>

#include "designer/core/VoiceBlock.h"

namespace kyrel {

namespace {

constexpr double kCurveLength = static_cast<double>(kCurvePoints);  // 2202.0

// One track's oscillator and the values that stay fixed for the whole render. The cached
// quotients are the very expressions of the per-sample arithmetic, evaluated once: the result
// is bit-for-bit the same, only faster.
struct TrackVoice {
    const Track* track = nullptr;
    double phase = 0.0;
    double endSample = 0.0;
    bool finished = false;
    bool direct = false;
    std::int32_t frequencySpread = 0;
    std::int32_t volumeSpread = 0;
    std::int32_t waveformSpread = 0;
    double frequencySpreadScale = 0.0;  // d / 127.0
    double volumeSpreadScale = 0.0;
    double waveformSpreadScale = 0.0;
    double volumeScale = 0.0;  // volume / 127.0
    // The phase step of the last frequency; the frequency changes only at curve points unless
    // it is dispersed.
    double lastFrequency = 0.0;
    double lastStep = 0.0;
    // Values for the current segment of frames (see renderTracks).
    double segmentLoudness = 0.0;        // loudness, or the volume level when it is dispersed
    double segmentFrequencyLevel = 0.0;  // the frequency level before dispersion
    double segmentStep = 0.0;            // the phase step when the frequency is not dispersed
    bool panFarLeft = false;             // p < 0: the left side is the far one
    double panFactor = 0.0;  // 65536 - |p|, what the far side is multiplied by before / 65536
    bool ordinary = false;   // see isOrdinary
};

// The curve index of a frame: trunc((2202 / (length / 1000)) * (s / rate)), clamped to the
// curve. It never decreases with s, which lets a render find where it changes.
struct CurveClock {
    double indexScale;
    double sampleRate;
    std::int32_t frames;

    int indexAt(std::int32_t s) const {
        const int index = static_cast<int>(indexScale * (s / sampleRate));
        return std::clamp(index, 0, kCurvePoints - 1);
    }

    // The first frame after s whose index is above `index` (frames when there is none).
    std::int32_t nextIndexFrame(std::int32_t s, int index) const {
        if (index >= kCurvePoints - 1) return frames;
        const double estimate = std::ceil((index + 1) / indexScale * sampleRate);
        auto e = static_cast<std::int32_t>(
            std::clamp(estimate, static_cast<double>(s) + 1.0, static_cast<double>(frames)));
        while (e > s + 1 && indexAt(e - 1) > index) --e;
        while (e < frames && indexAt(e) <= index) ++e;
        return e;
    }
};

// Random dispersion of a value by up to +/-19999 * d / 127 (`scale` = d / 127.0).
double spread(double value, double scale, kit::Random& random) {
    const int r1 = random.next();
    double delta = (r1 % 20000) * scale;
    const int r2 = random.next();
    // The sign is a coin toss, so flip the sign bit rather than branch on it (same result as
    // negating, -0.0 included).
    const std::uint64_t flip = static_cast<std::uint64_t>(r2 % 1000 < 500) << 63;
    delta = std::bit_cast<double>(std::bit_cast<std::uint64_t>(delta) ^ flip);
    return value + delta;
}

double limitLevel(double level) {
    return std::clamp(level, 0.0, 65536.0);
}

// Level of a curve point, 32768 - value, without overflow for damaged values.
double levelAt(const Curve& curve, int index) {
    return 32768.0 - static_cast<double>(curve[static_cast<std::size_t>(index)]);
}

// Rounds toward zero; the integer conversion is exact and much faster than std::trunc for the
// values a sound can hold, std::trunc serves the rest (damaged track volumes).
double truncate(double v) {
    if (v > -2147483648.0 && v < 2147483648.0)
        return static_cast<double>(static_cast<std::int32_t>(v));
    return std::trunc(v);
}

// Inlined: it runs once per sample and channel.
[[gnu::always_inline]] inline void appendSample(std::uint8_t*& at, double sum, int bits) {
    // Limiting before the truncation gives the same integer as truncating first.
    const auto value = static_cast<std::int32_t>(std::clamp(sum, -32767.0, 32767.0));
    if (bits == 16) {
        const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
        *at++ = static_cast<std::uint8_t>(u & 0xFF);
        *at++ = static_cast<std::uint8_t>(u >> 8);
    } else {
        *at++ = static_cast<std::uint8_t>((value >> 8) + 128);
    }
}

bool formatIsValid(int channels, int rate, int bits) {
    const bool rateOk =
        std::find(kSampleRates.begin(), kSampleRates.end(), rate) != kSampleRates.end();
    return (channels == 1 || channels == 2) && (bits == 8 || bits == 16) && rateOk;
}

struct RenderContext {
    double secondsPerSample;
    bool linear;
    bool stereo;
    int bits;
};

// Each sounding track draws at most a pair for each of its three spreads in a frame.
constexpr int kMaxDrawsPerFrame = kTrackCount * 6;

double frequencyOf(double level, const RenderContext& c) {
    return c.linear ? level * 0.03125 : level * level * (1.0 / 2097152.0);
}

// The phase step of a frequency; the frequency changes only at curve points unless it is
// dispersed, so the last one is remembered.
double stepFor(TrackVoice& voice, double frequency, const RenderContext& c) {
    if (frequency != voice.lastFrequency) {
        voice.lastFrequency = frequency;
        voice.lastStep = (kCurveLength / (1.0 / frequency)) * c.secondsPerSample;
    }
    return voice.lastStep;
}

// The levels of a track that stay the same over a segment at curve index `index`.
void startSegment(TrackVoice& voice, int index, const RenderContext& c) {
    const Track& track = *voice.track;
    voice.segmentLoudness = levelAt(track.curve(CurveKind::Volume), index);
    voice.segmentFrequencyLevel = levelAt(track.curve(CurveKind::Frequency), index);
    if (voice.volumeSpread == 0) voice.segmentLoudness = voice.segmentLoudness / 2.0;
    if (voice.frequencySpread == 0)
        voice.segmentStep = stepFor(voice, frequencyOf(voice.segmentFrequencyLevel, c), c);
    const double p = levelAt(track.curve(CurveKind::Pan), index) - 32768.0;
    voice.panFarLeft = p < 0.0;
    voice.panFactor = p < 0.0 ? 65536.0 + p : 65536.0 - p;
}

// True when no word of the track can make a track sample larger than 32768: the block render's
// condition.
bool isOrdinary(const Track& track) {
    auto within = [](const Curve& curve) {
        return std::all_of(curve.begin(), curve.end(),
                           [](std::int32_t v) { return v >= -32768 && v <= 32767; });
    };
    return track.volume >= 0 && track.volume <= 127 && within(track.curve(CurveKind::Waveform)) &&
           within(track.curve(CurveKind::Volume));
}

// Frames s ... end - 1 one after another, each track in turn; any track, damaged words included.
void renderFramesOneByOne(std::span<TrackVoice* const> sounding, std::int32_t s, std::int32_t end,
                          const RenderContext c, kit::Random& random, std::uint8_t*& out) {
    // A local pointer: stores through it could otherwise change the caller's.
    std::uint8_t* at = out;
    for (; s < end; ++s) {
        double sumLeft = 0.0;
        double sumRight = 0.0;
        for (TrackVoice* v : sounding) {
            TrackVoice& voice = *v;
            double loudness = voice.segmentLoudness;
            if (voice.volumeSpread != 0)
                loudness = limitLevel(spread(loudness, voice.volumeSpreadScale, random)) / 2.0;

            double step = voice.segmentStep;
            if (voice.frequencySpread != 0) {
                const double level = limitLevel(
                    spread(voice.segmentFrequencyLevel, voice.frequencySpreadScale, random));
                step = stepFor(voice, frequencyOf(level, c), c);
            }

            const Curve& wave = voice.track->curve(CurveKind::Waveform);
            double w;
            if (voice.direct) {
                w = wave[static_cast<std::size_t>(s % kCurvePoints)];
            } else {
                voice.phase = advancePhase(voice.phase, step);
                w = wave[static_cast<std::size_t>(voice.phase)];
            }
            if (voice.waveformSpread != 0)
                w = std::clamp(spread(w, voice.waveformSpreadScale, random), -32767.0, 32767.0);

            const double x = truncate(voice.volumeScale * ((loudness / 32768.0) * w));
            if (c.stereo) {
                // The far side gets x * (65536 - |p|) / 65536, the near side x itself.
                const double far = x * voice.panFactor / 65536.0;
                sumLeft += voice.panFarLeft ? far : x;
                sumRight += voice.panFarLeft ? x : far;
            } else {
                sumLeft += x;
            }
        }
        appendSample(at, sumLeft, c.bits);
        if (c.stereo) appendSample(at, sumRight, c.bits);
    }
    out = at;
}

// Frames s ... end - 1 track by track: the segment's random draws are made ahead in one batch,
// then each track adds its samples of all the frames to the sums (addVoiceBlocks). The same
// arithmetic in the same order per sample, so the same bytes as one frame after another.
void renderBlock(std::span<TrackVoice* const> sounding, std::int32_t s, std::int32_t end,
                 const RenderContext& c, kit::Random& random, std::int32_t* draws,
                 std::uint8_t*& at) {
    std::array<VoiceBlock, kTrackCount> blocks;
    int drawsPerFrame = 0;
    for (std::size_t n = 0; n < sounding.size(); ++n) {
        TrackVoice& voice = *sounding[n];
        VoiceBlock& b = blocks[n];
        b.wave = &voice.track->curve(CurveKind::Waveform);
        b.phase = &voice.phase;
        b.direct = voice.direct;
        b.firstFrame = s;
        auto pair = [&drawsPerFrame](std::int32_t spread) {
            if (spread == 0) return -1;
            drawsPerFrame += 2;
            return drawsPerFrame - 2;
        };
        b.volumeDraw = pair(voice.volumeSpread);
        b.frequencyDraw = pair(voice.frequencySpread);
        b.waveformDraw = pair(voice.waveformSpread);
        b.loudness = voice.segmentLoudness;
        b.frequencyLevel = voice.segmentFrequencyLevel;
        b.step = voice.segmentStep;
        b.volumeSpreadScale = voice.volumeSpreadScale;
        b.frequencySpreadScale = voice.frequencySpreadScale;
        b.waveformSpreadScale = voice.waveformSpreadScale;
        b.volumeScale = voice.volumeScale;
        b.linear = c.linear;
        b.secondsPerSample = c.secondsPerSample;
        b.stereo = c.stereo;
        b.panFarLeft = voice.panFarLeft;
        b.panFactor = voice.panFactor;
    }
    const int frames = end - s;
    drawSlots(random, drawsPerFrame, frames, draws);

    alignas(32) std::array<double, kBlockStride> sumLeft{};
    alignas(32) std::array<double, kBlockStride> sumRight{};
    addVoiceBlocks(std::span(blocks.data(), sounding.size()), draws, frames, sumLeft.data(),
                   sumRight.data());
    if (c.bits == 16) {
        writeBlock16(sumLeft.data(), sumRight.data(), frames, c.stereo, at);
        at += static_cast<std::ptrdiff_t>(frames) * (c.stereo ? 4 : 2);
        return;
    }
    for (int j = 0; j < frames; ++j) {
        appendSample(at, sumLeft[static_cast<std::size_t>(j)], c.bits);
        if (c.stereo) appendSample(at, sumRight[static_cast<std::size_t>(j)], c.bits);
    }
}

// The voices of the enabled tracks in order (disabled ones never sound); returns their number.
std::size_t setUpVoices(const std::array<Track, kTrackCount>& tracks,
                        const DesignSettings& settings, double sampleRate,
                        std::array<TrackVoice, kTrackCount>& voices) {
    const double secondsPerSample = 1.0 / sampleRate;
    std::size_t voiceCount = 0;
    for (std::size_t t = 0; t < tracks.size(); ++t) {
        if (tracks[t].renderEnabled == 0) continue;
        TrackVoice& v = voices[voiceCount++];
        v.track = &tracks[t];
        v.endSample = std::trunc(tracks[t].endMs * sampleRate / 1000.0);
        v.direct = settings.directWaveform[t] != 0;
        v.frequencySpread = settings.frequencySpread[t];
        v.volumeSpread = settings.volumeSpread[t];
        v.waveformSpread = settings.waveformSpread[t];
        v.frequencySpreadScale = v.frequencySpread / 127.0;
        v.volumeSpreadScale = v.volumeSpread / 127.0;
        v.waveformSpreadScale = v.waveformSpread / 127.0;
        v.volumeScale = tracks[t].volume / 127.0;
        v.lastFrequency = 0.0;
        v.lastStep = (kCurveLength / (1.0 / 0.0)) * secondsPerSample;
        v.ordinary = isOrdinary(tracks[t]);
    }
    return voiceCount;
}

}  // namespace

bool renderTracks(const std::array<Track, kTrackCount>& tracks, const DesignSettings& settings,
                  int channels, int rate, int bits, kit::Random& random, RenderProgress& progress,
                  RenderOutput& out) {
    out = RenderOutput{};
    if (!formatIsValid(channels, rate, bits)) return false;

    double lengthMs = 0.0;
    for (const Track& track : tracks)
        if (track.renderEnabled != 0) lengthMs = std::max(lengthMs, double(track.endMs));
    if (lengthMs <= 0.0 || lengthMs > kMaxRenderMs) return false;

    const auto frames = static_cast<std::int32_t>(lengthMs * rate / 1000.0);
    const int bytesPerSample = bits / 8;
    out.format.channels = static_cast<std::uint16_t>(channels);
    out.format.samplesPerSecond = static_cast<std::uint32_t>(rate);
    out.format.averageBytesPerSecond = static_cast<std::uint32_t>(rate * channels * bytesPerSample);
    out.format.blockAlign = static_cast<std::uint16_t>(bytesPerSample * channels);
    out.format.bitsPerSample = static_cast<std::uint16_t>(bits);
    out.data.assign(static_cast<std::size_t>(frames) * channels * bytesPerSample, 0);

    const double sampleRate = rate;
    const CurveClock clock{kCurveLength / (lengthMs / 1000.0), sampleRate, frames};
    const double secondsPerSample = 1.0 / sampleRate;
    const bool linear = settings.frequencyMode == 0;
    const bool stereo = channels == 2;

    std::array<TrackVoice, kTrackCount> voices;
    const std::size_t voiceCount = setUpVoices(tracks, settings, sampleRate, voices);

    const RenderContext context{secondsPerSample, linear, stereo, bits};
    std::vector<std::int32_t> draws(static_cast<std::size_t>(kBlockStride) * kMaxDrawsPerFrame);
    const bool blocks = blockRenderAvailable();

    // The frames are rendered in segments over which the curve index, the set of sounding
    // tracks and therefore every undispersed level stay the same. Segments also end at every
    // 200th frame, where the cancel query is asked.
    std::array<TrackVoice*, kTrackCount> sounding{};
    std::uint8_t* at = out.data.data();
    std::int32_t s = 0;
    while (s < frames) {
        if (s % 1000 == 0) progress.progress(static_cast<int>(s * 100.0 / frames));
        if (s % 200 == 0 && progress.cancelRequested()) return false;

        const int index = clock.indexAt(s);
        std::int32_t end = std::min(clock.nextIndexFrame(s, index), (s / 200 + 1) * 200);
        std::size_t soundingCount = 0;
        bool allOrdinary = true;
        for (std::size_t n = 0; n < voiceCount; ++n) {
            TrackVoice& voice = voices[n];
            if (voice.finished) continue;
            if (s >= voice.endSample) {
                voice.finished = true;
                continue;
            }
            if (voice.endSample < end) end = static_cast<std::int32_t>(voice.endSample);
            sounding[soundingCount++] = &voice;
            allOrdinary = allOrdinary && voice.ordinary;
            startSegment(voice, index, context);
        }

        const std::span<TrackVoice* const> segment(sounding.data(), soundingCount);
        if (blocks && allOrdinary) {
            renderBlock(segment, s, end, context, random, draws.data(), at);
        } else {
            renderFramesOneByOne(segment, s, end, context, random, at);
        }
        s = end;
    }
    return true;
}

}  // namespace kyrel
