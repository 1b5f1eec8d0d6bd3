#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace kyrel {

// How loud a rendered sound came out: its peak relative to full scale, and how many samples
// stand at full scale, where the mix was (or may have been) limited.
struct PeakLevel {
    double dbfs = 0.0;        // 20 log10(peak / 32767); meaningless when silent
    bool silent = true;       // every sample is silence
    std::size_t clipped = 0;  // samples at +-32767 (16 bits) or at byte 0 or 255 (8 bits)
};

PeakLevel measurePeak(std::span<const std::uint8_t> pcm, int bits);

// " ピーク -3.2 dBFS", with "（振り切れ N サンプル）" when samples stand at full scale, or
// " ピーク 無音"; Shift-JIS, to follow a status message.
std::string peakStatus(const PeakLevel& peak);

}  // namespace kyrel
