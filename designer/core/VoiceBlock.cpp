#include "designer/core/VoiceBlock.h"

#include <cmath>
#include <cstring>

namespace kyrel {

namespace {

constexpr double kCurveLength = static_cast<double>(kCurvePoints);

// One step of the generator and `count` steps at once: s -> s * mul + add.
struct Jump {
    std::uint32_t mul = 1;
    std::uint32_t add = 0;
    std::uint32_t apply(std::uint32_t s) const { return s * mul + add; }
    Jump then(const Jump& next) const { return {mul * next.mul, add * next.mul + next.add}; }
};
constexpr Jump kStep{214013u, 2531011u};

// `step` applied `count` times, by squaring.
Jump repeat(Jump step, int count) {
    Jump jump;
    for (; count > 0; count >>= 1, step = step.then(step))
        if (count & 1) jump = jump.then(step);
    return jump;
}

// r mod 1000 < 500 exactly when r div 500 is even; r div 500 = ((r >> 2) * 8389) >> 20 for
// every draw (0 ... 32767), which needs no division.
constexpr bool fiveHundredthIsExact() {
    for (std::uint32_t r = 0; r <= kit::Random::kMax; ++r)
        if ((((r >> 2) * 8389u) >> 20) != r / 500) return false;
    return true;
}
static_assert(fiveHundredthIsExact());

}  // namespace

#if defined(__x86_64__)

// Eight frames at a time in AVX2 registers. IEEE arithmetic gives the same bits there as in
// scalar registers, and nothing is fused (AVX2 brings no FMA, and the build turns contraction
// off).
#define KYREL_AVX2 [[gnu::target("avx2")]]
#define KYREL_AVX2_INLINE [[gnu::target("avx2"), gnu::always_inline]] inline

namespace {

using V4d = double __attribute__((vector_size(32)));
using V4l = std::int64_t __attribute__((vector_size(32)));
using V4i = std::int32_t __attribute__((vector_size(16)));
using V8u = std::uint32_t __attribute__((vector_size(32)));

template <class V, class T>
KYREL_AVX2_INLINE V load(const T* at) {
    V v;
    std::memcpy(&v, at, sizeof v);
    return v;
}
template <class V, class T>
KYREL_AVX2_INLINE void store(T* at, V v) {
    std::memcpy(at, &v, sizeof v);
}

// The dispersion of four frames from their pairs of draws: (r1 mod 20000) * scale, negated
// when r2 mod 1000 < 500 (by the sign bit, as the frame-by-frame render does).
KYREL_AVX2_INLINE V4d dispersion(const std::int32_t* first, const std::int32_t* second,
                                 double scale) {
    const V4i r1 = load<V4i>(first);
    const V4i r2 = load<V4i>(second);
    const V4i below20000 = r1 - ((r1 >= 20000) & 20000);
    const V4i fiveHundredths = (((r2 >> 2) * 8389) >> 20);
    const V4l negate = __builtin_convertvector((fiveHundredths & 1) == 0, V4l) & INT64_MIN;
    const V4d delta = __builtin_convertvector(below20000, V4d) * scale;
    return (V4d)((V4l)delta ^ negate);
}

KYREL_AVX2_INLINE V4d limit(V4d v, double low, double high) {
    v = v < low ? V4d{} + low : v;
    return high < v ? V4d{} + high : v;
}

// What one track computes for every frame of a block before the mix.
struct VoiceLanes {
    alignas(32) double loudness[kBlockStride];  // when the volume is dispersed
    alignas(32) double step[kBlockStride];
    alignas(32) std::int32_t index[kBlockStride];  // position in the waveform curve
};

// Loudness (volume dispersed) and phase step of every frame.
KYREL_AVX2_INLINE void dispersedLevels(const VoiceBlock& v, const std::int32_t* draws, int frames,
                                       VoiceLanes& lanes) {
    const std::int32_t* volume = draws + v.volumeDraw * kBlockStride;
    const std::int32_t* frequency = draws + v.frequencyDraw * kBlockStride;
    for (int j = 0; j < frames; j += 4) {
        if (v.volumeDraw >= 0) {
            const V4d d = dispersion(volume + j, volume + kBlockStride + j, v.volumeSpreadScale);
            store(lanes.loudness + j, limit(v.loudness + d, 0.0, 65536.0) / 2.0);
        }
        if (v.frequencyDraw >= 0) {
            const V4d d =
                dispersion(frequency + j, frequency + kBlockStride + j, v.frequencySpreadScale);
            const V4d level = limit(v.frequencyLevel + d, 0.0, 65536.0);
            const V4d hz = v.linear ? level * 0.03125 : level * level * (1.0 / 2097152.0);
            store(lanes.step + j, (kCurveLength / (1.0 / hz)) * v.secondsPerSample);
        } else {
            store(lanes.step + j, V4d{} + v.step);
        }
    }
}

// The oscillator's position in every frame: each follows from the one before, so two tracks go
// side by side to keep two chains of additions in flight.
KYREL_AVX2_INLINE void oscillatePair(const VoiceBlock& a, VoiceLanes& la, const VoiceBlock& b,
                                     VoiceLanes& lb, int frames) {
    double p = *a.phase;
    double q = *b.phase;
    for (int j = 0; j < frames; ++j) {
        p = advancePhase(p, la.step[j]);
        q = advancePhase(q, lb.step[j]);
        la.index[j] = static_cast<std::int32_t>(p);
        lb.index[j] = static_cast<std::int32_t>(q);
    }
    *a.phase = p;
    *b.phase = q;
}

KYREL_AVX2_INLINE void oscillate(const VoiceBlock& v, VoiceLanes& lanes, int frames) {
    if (v.direct) {
        for (int j = 0; j < frames; ++j) lanes.index[j] = (v.firstFrame + j) % kCurvePoints;
        return;
    }
    double p = *v.phase;
    for (int j = 0; j < frames; ++j) {
        p = advancePhase(p, lanes.step[j]);
        lanes.index[j] = static_cast<std::int32_t>(p);
    }
    *v.phase = p;
}

// The track's samples of every frame added to the sums.
KYREL_AVX2_INLINE void mix(const VoiceBlock& v, const VoiceLanes& lanes, const std::int32_t* draws,
                           int frames, double* sumLeft, double* sumRight) {
    alignas(32) double wave[kBlockStride];
    const Curve& curve = *v.wave;
    for (int j = 0; j < frames; ++j) wave[j] = curve[static_cast<std::size_t>(lanes.index[j])];
    for (int j = frames; j < kBlockStride; ++j) wave[j] = 0.0;

    const std::int32_t* waveDraws = draws + v.waveformDraw * kBlockStride;
    for (int j = 0; j < frames; j += 4) {
        V4d w = load<V4d>(wave + j);
        if (v.waveformDraw >= 0) {
            const V4d d =
                dispersion(waveDraws + j, waveDraws + kBlockStride + j, v.waveformSpreadScale);
            w = limit(w + d, -32767.0, 32767.0);
        }
        const V4d level = v.volumeDraw >= 0 ? load<V4d>(lanes.loudness + j) : V4d{} + v.loudness;
        // Rounds toward zero; the sample is at most 32768 in size.
        const V4d product = v.volumeScale * ((level / 32768.0) * w);
        const V4d x = __builtin_convertvector(__builtin_convertvector(product, V4i), V4d);
        if (v.stereo) {
            const V4d far = x * v.panFactor / 65536.0;
            store(sumLeft + j, load<V4d>(sumLeft + j) + (v.panFarLeft ? far : x));
            store(sumRight + j, load<V4d>(sumRight + j) + (v.panFarLeft ? x : far));
        } else {
            store(sumLeft + j, load<V4d>(sumLeft + j) + x);
        }
    }
}

KYREL_AVX2 void addBlocks(const VoiceBlock* voices, int count, const std::int32_t* draws,
                          int frames, double* sumLeft, double* sumRight) {
    VoiceLanes lanes[kTrackCount];
    for (int n = 0; n < count; ++n) dispersedLevels(voices[n], draws, frames, lanes[n]);
    for (int n = 0; n < count;) {
        if (n + 1 < count && !voices[n].direct && !voices[n + 1].direct) {
            oscillatePair(voices[n], lanes[n], voices[n + 1], lanes[n + 1], frames);
            n += 2;
        } else {
            oscillate(voices[n], lanes[n], frames);
            n += 1;
        }
    }
    // The tracks are added in their order, as frame by frame.
    for (int n = 0; n < count; ++n) mix(voices[n], lanes[n], draws, frames, sumLeft, sumRight);
}

KYREL_AVX2 void writeSamples16(const double* left, const double* right, int frames, bool stereo,
                               std::uint8_t* at) {
    alignas(32) std::int32_t l[kBlockStride];
    alignas(32) std::int32_t r[kBlockStride];
    // Limiting before the truncation gives the same integer as truncating first.
    for (int j = 0; j < frames; j += 4) {
        store(l + j, __builtin_convertvector(limit(load<V4d>(left + j), -32767.0, 32767.0), V4i));
        if (stereo)
            store(r + j,
                  __builtin_convertvector(limit(load<V4d>(right + j), -32767.0, 32767.0), V4i));
    }
    for (int j = 0; j < frames; ++j) {
        const auto sample = static_cast<std::int16_t>(l[j]);
        std::memcpy(at, &sample, 2);  // little-endian, as x86 stores it
        at += 2;
        if (stereo) {
            const auto other = static_cast<std::int16_t>(r[j]);
            std::memcpy(at, &other, 2);
            at += 2;
        }
    }
}

// Four vectors of eight lanes hold the states of one slot in 32 consecutive frames; each step
// moves every lane 32 frames on (four independent chains, so the multiplications overlap), and
// one generator step moves all lanes from a slot to the next.
KYREL_AVX2 void drawLanes(std::uint32_t first, const Jump& perFrame, int slots, int frames,
                          std::int32_t* out) {
    alignas(32) std::uint32_t start[32];
    for (std::uint32_t& state : start) {
        state = first;
        first = perFrame.apply(first);
    }
    const Jump perStep = repeat(perFrame, 32);
    V8u lanes[4] = {load<V8u>(start), load<V8u>(start + 8), load<V8u>(start + 16),
                    load<V8u>(start + 24)};
    for (int k = 0; k < slots; ++k, out += kBlockStride) {
        V8u a = lanes[0], b = lanes[1], c = lanes[2], d = lanes[3];
        for (int j = 0; j < frames; j += 32) {
            store(out + j, (V8u)((a >> 16) & 0x7FFFu));
            store(out + j + 8, (V8u)((b >> 16) & 0x7FFFu));
            store(out + j + 16, (V8u)((c >> 16) & 0x7FFFu));
            store(out + j + 24, (V8u)((d >> 16) & 0x7FFFu));
            a = a * perStep.mul + perStep.add;
            b = b * perStep.mul + perStep.add;
            c = c * perStep.mul + perStep.add;
            d = d * perStep.mul + perStep.add;
        }
        for (V8u& v : lanes) v = v * kStep.mul + kStep.add;
    }
}

}  // namespace

bool blockRenderAvailable() {
    return __builtin_cpu_supports("avx2");
}

void drawSlots(kit::Random& random, int slots, int frames, std::int32_t* out) {
    if (slots == 0) return;
    const Jump perFrame = repeat(kStep, slots);
    drawLanes(kStep.apply(random.state()), perFrame, slots, frames, out);
    random.seed(repeat(perFrame, frames).apply(random.state()));
}

void addVoiceBlocks(std::span<const VoiceBlock> voices, const std::int32_t* draws, int frames,
                    double* sumLeft, double* sumRight) {
    addBlocks(voices.data(), static_cast<int>(voices.size()), draws, frames, sumLeft, sumRight);
}

void writeBlock16(const double* sumLeft, const double* sumRight, int frames, bool stereo,
                  std::uint8_t* at) {
    writeSamples16(sumLeft, sumRight, frames, stereo, at);
}

#else

void writeBlock16(const double*, const double*, int, bool, std::uint8_t*) {}

bool blockRenderAvailable() {
    return false;
}
void drawSlots(kit::Random&, int, int, std::int32_t*) {}
void addVoiceBlocks(std::span<const VoiceBlock>, const std::int32_t*, int, double*, double*) {}

#endif

}  // namespace kyrel
