#include "designer/core/PeakLevel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/LittleEndian.h"

namespace kyrel {

PeakLevel measurePeak(std::span<const std::uint8_t> pcm, int bits) {
    PeakLevel level;
    int peak = 0;
    if (bits == 16) {
        for (std::size_t i = 0; i + 1 < pcm.size(); i += 2) {
            const int sample = std::abs(kit::readI16LE(pcm, i));
            peak = std::max(peak, sample);
            level.clipped += sample >= 32767;
        }
    } else {
        for (std::uint8_t byte : pcm) {
            peak = std::max(peak, std::abs((byte - 128) * 256));
            level.clipped += byte == 0 || byte == 255;
        }
    }
    level.silent = peak == 0;
    level.dbfs = level.silent ? 0.0 : 20.0 * std::log10(std::min(peak, 32767) / 32767.0);
    return level;
}

std::string peakStatus(const PeakLevel& peak) {
    // " ピーク " ... " dBFS", " 無音", "（振り切れ " N " サンプル）" in Shift-JIS.
    std::string text = " \x83s\x81[\x83N ";
    if (peak.silent) return text + "\x96\xb3\x89\xb9";
    char number[32];
    std::snprintf(number, sizeof number, "%.1f dBFS", peak.dbfs);
    text += number;
    if (peak.clipped > 0) {
        text += "\x81i\x90U\x82\xe8\x90\xd8\x82\xea " + std::to_string(peak.clipped) +
                " \x83T\x83\x93\x83v\x83\x8b\x81j";
    }
    return text;
}

}  // namespace kyrel
