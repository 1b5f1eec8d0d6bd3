#pragma once
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/Random.h"
#include "designer/core/SoundDesign.h"

namespace kyrel {

// The render works in blocks of at most this many frames (the cancel query's interval), within
// which every curve level stays the same.
inline constexpr int kBlockFrames = 200;
// Draws are made 32 frames at a time; buffers hold this many frames more (which keeps rows of
// kBlockStride values 32-byte aligned).
inline constexpr int kBlockPadding = 40;
inline constexpr int kBlockStride = kBlockFrames + kBlockPadding;

// A phase outside 0 ... 2202 after the single wrap can only come from damaged curves (a level
// far beyond 65536 or below 0); it is folded back so the waveform is never read outside its table.
// Inline like the rest of the per-sample code: a call, even one never made, costs the render
// loops their registers.
inline double foldPhase(double phase) {
    constexpr double kCurveLength = static_cast<double>(kCurvePoints);
    if (!std::isfinite(phase)) return 0.0;
    double folded = std::fmod(phase, kCurveLength);
    if (folded < 0.0) folded += kCurveLength;
    return folded < kCurveLength ? folded : 0.0;
}

// The oscillator's next position: phase + step, wrapped once (and folded when damaged).
inline double advancePhase(double phase, double step) {
    constexpr double kCurveLength = static_cast<double>(kCurvePoints);
    phase = step + phase;
    if (phase >= kCurveLength) phase = phase - kCurveLength;
    if (!(phase >= 0.0 && phase < kCurveLength)) phase = foldPhase(phase);
    return phase;
}

// True where blocks can be computed in vector registers (x86-64 with AVX2); elsewhere the render
// goes frame by frame.
bool blockRenderAvailable();

// The generator's next `frames` * `slots` results, which the render draws frame by frame, `slots`
// per frame, sorted by slot: slot k of frame j is at out[k * kBlockStride + j]. The generator
// ends past them all. Lanes run from states jumped ahead, so no draw waits for the one before it.
void drawSlots(kit::Random& random, int slots, int frames, std::int32_t* out);

// One sounding track over a block of frames whose curve levels stay the same. Its dispersion
// draws are at fixed slots of each frame's draws (tracks in order; for each its volume,
// frequency and waveform pairs).
struct VoiceBlock {
    const Curve* wave = nullptr;
    double* phase = nullptr;      // the oscillator's position, carried from block to block
    bool direct = false;          // play the waveform point by point
    std::int32_t firstFrame = 0;  // frame number of the block's first frame
    int volumeDraw = -1;          // slot of the volume pair's first draw; -1: no spread
    int frequencyDraw = -1;
    int waveformDraw = -1;
    double loudness = 0.0;        // the loudness, or the volume level when the volume is dispersed
    double frequencyLevel = 0.0;  // the frequency level before dispersion
    double step = 0.0;            // the phase step when the frequency is not dispersed
    double volumeSpreadScale = 0.0;  // spread / 127.0
    double frequencySpreadScale = 0.0;
    double waveformSpreadScale = 0.0;
    double volumeScale = 0.0;  // track volume / 127.0, at most 1
    bool linear = false;       // linear frequency law
    double secondsPerSample = 0.0;
    bool stereo = false;
    bool panFarLeft = false;
    double panFactor = 0.0;
};

// Adds the samples of the tracks (in their order) of `frames` frames to the sums (kBlockStride
// long) and advances their phases, with the very arithmetic of the frame-by-frame render: the
// same bytes. `draws` as drawSlots leaves them. For tracks whose volume is 0 ... 127 and whose
// waveform and volume curves hold -32768 ... +32767 (so a track sample never exceeds 32768).
void addVoiceBlocks(std::span<const VoiceBlock> voices, const std::int32_t* draws, int frames,
                    double* sumLeft, double* sumRight);

// Writes the sums of `frames` frames as 16-bit little-endian samples (left before right in
// stereo), each limited to -32767 ... +32767 and truncated, at `at`.
void writeBlock16(const double* sumLeft, const double* sumRight, int frames, bool stereo,
                  std::uint8_t* at);

}  // namespace kyrel
