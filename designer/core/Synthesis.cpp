#include "designer/core/Synthesis.h"

#include <algorithm>
#include <cmath>

namespace kyrel {

namespace {

constexpr double kCurveLength = static_cast<double>(kCurvePoints);  // 2202.0

struct TrackVoice {
    double lengthMs = 0.0;
    double rate = 0.0;
    double phase = 0.0;
    double endSample = 0.0;
    bool finished = false;
};

// Random dispersion of a value by up to +/-19999 * d / 127. No draw at all when d is 0.
double spread(double value, std::int32_t d, kit::Random& random) {
    const int r1 = random.next();
    double delta = (r1 % 20000) * (d / 127.0);
    const int r2 = random.next();
    if (r2 % 1000 < 500) delta = -delta;
    return value + delta;
}

double limitLevel(double level) {
    return std::clamp(level, 0.0, 65536.0);
}

// Level of a curve point, 32768 - value, without overflow for damaged values.
double levelAt(const Curve& curve, int index) {
    return 32768.0 - static_cast<double>(curve[static_cast<std::size_t>(index)]);
}

// A phase outside 0 ... 2202 after the single wrap can only come from damaged curves (a level
// far beyond 65536 or below 0); fold it back so the waveform is never read outside its table.
double foldPhase(double phase) {
    if (!std::isfinite(phase)) return 0.0;
    double folded = std::fmod(phase, kCurveLength);
    if (folded < 0.0) folded += kCurveLength;
    return folded < kCurveLength ? folded : 0.0;
}

void appendSample(std::uint8_t*& at, double sum, int bits) {
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

    std::array<TrackVoice, kTrackCount> voices;
    for (std::size_t t = 0; t < voices.size(); ++t) {
        voices[t].rate = rate;
        voices[t].lengthMs = lengthMs;
        voices[t].endSample = std::trunc(tracks[t].endMs * double(rate) / 1000.0);
    }

    std::uint8_t* at = out.data.data();
    for (std::int32_t s = 0; s < frames; ++s) {
        if (s % 1000 == 0) progress.progress(static_cast<int>(s * 100.0 / frames));
        if (s % 200 == 0 && progress.cancelRequested()) return false;

        double sumLeft = 0.0;
        double sumRight = 0.0;
        for (std::size_t t = 0; t < tracks.size(); ++t) {
            const Track& track = tracks[t];
            TrackVoice& voice = voices[t];
            if (track.renderEnabled == 0 || voice.finished) continue;
            if (s >= voice.endSample) {
                voice.finished = true;
                continue;
            }
            const double time = s / voice.rate;
            const std::int32_t frequencySpread = settings.frequencySpread[t];
            const std::int32_t volumeSpread = settings.volumeSpread[t];
            const std::int32_t waveformSpread = settings.waveformSpread[t];

            int index = static_cast<int>((kCurveLength / (voice.lengthMs / 1000.0)) * time);
            index = std::clamp(index, 0, kCurvePoints - 1);

            double level = levelAt(track.curve(CurveKind::Volume), index);
            if (volumeSpread != 0) level = limitLevel(spread(level, volumeSpread, random));
            const double loudness = level / 2.0;

            level = levelAt(track.curve(CurveKind::Frequency), index);
            if (frequencySpread != 0) level = limitLevel(spread(level, frequencySpread, random));
            const double frequency =
                settings.frequencyMode == 0 ? level * 0.03125 : level * level * (1.0 / 2097152.0);

            const Curve& wave = track.curve(CurveKind::Waveform);
            double w;
            if (settings.directWaveform[t] != 0) {
                w = wave[static_cast<std::size_t>(s % kCurvePoints)];
            } else {
                voice.phase = (kCurveLength / (1.0 / frequency)) * (1.0 / voice.rate) + voice.phase;
                if (voice.phase >= kCurveLength) voice.phase = voice.phase - kCurveLength;
                if (!(voice.phase >= 0.0 && voice.phase < kCurveLength))
                    voice.phase = foldPhase(voice.phase);
                w = wave[static_cast<std::size_t>(voice.phase)];
            }
            if (waveformSpread != 0)
                w = std::clamp(spread(w, waveformSpread, random), -32767.0, 32767.0);

            const double x = std::trunc(track.volume / 127.0 * ((loudness / 32768.0) * w));

            double left = x;
            double right = x;
            if (channels == 2) {
                const double p = levelAt(track.curve(CurveKind::Pan), index) - 32768.0;
                if (p >= 0.0)
                    right = x * (65536.0 - p) / 65536.0;
                else
                    left = x * (65536.0 + p) / 65536.0;
            }
            sumLeft += left;
            sumRight += right;
        }
        appendSample(at, sumLeft, bits);
        if (channels == 2) appendSample(at, sumRight, bits);
    }
    return true;
}

}  // namespace kyrel
