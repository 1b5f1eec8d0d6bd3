#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "common/Random.h"
#include "designer/core/KyrelUi.h"
#include "designer/core/SoundDesign.h"

namespace kyrel {

// The 16-byte PCM format record, written as the WAV file's "fmt " chunk.
struct PcmFormat {
    std::uint16_t formatTag = 1;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSecond = 0;
    std::uint32_t averageBytesPerSecond = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
};

struct RenderOutput {
    PcmFormat format;
    std::vector<std::uint8_t> data;  // interleaved PCM frames; its size is the data length
};

// Longest sound renderTracks accepts: a longer one (only possible from a damaged project) is
// refused rather than allocated.
inline constexpr double kMaxRenderMs = kMaxDurationMs;

// Renders the enabled tracks into interleaved PCM: each track a wavetable oscillator with
// frequency, volume and pan curves over the sound's length, optional random dispersion, the
// mix limited to -32767 ... +32767 and quantised to `bits`. Returns true when the render
// completed; false when it was cancelled (the output then holds the frames done so far) or when
// there is nothing to render (no enabled track, a length of 0, or a format outside the tables).
// The arithmetic is exact double precision in a fixed order, so a render is bit-exact and,
// without dispersion, repeatable; dispersion draws from `random` in a fixed order.
bool renderTracks(const std::array<Track, kTrackCount>& tracks, const DesignSettings& settings,
                  int channels, int rate, int bits, kit::Random& random, RenderProgress& progress,
                  RenderOutput& out);

}  // namespace kyrel
