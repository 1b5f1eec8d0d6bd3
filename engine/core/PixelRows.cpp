#include "engine/core/PixelRows.h"

namespace pixel_rows {
namespace {

// One channel product stays within 16 bits (31 x 32), so the compiler can work on eight pixels
// at once with 16-bit lanes.
inline std::uint16_t ShadeFast(std::uint16_t c, std::uint16_t level) {
    const std::uint16_t r = static_cast<std::uint16_t>(((c >> 10) & 31u) * level) >> 5;
    const std::uint16_t g = static_cast<std::uint16_t>(((c >> 5) & 31u) * level) >> 5;
    const std::uint16_t b = static_cast<std::uint16_t>((c & 31u) * level) >> 5;
    return static_cast<std::uint16_t>((r << 10) | (g << 5) | b);
}

}  // namespace

void Keyed(std::uint16_t* dst, const std::uint16_t* src, int count) {
    for (int i = 0; i < count; ++i) {
        const std::uint16_t s = src[i];
        dst[i] = s != 0 ? s : dst[i];
    }
}

void Blend(std::uint16_t* dst, const std::uint16_t* src, int count, int level) {
    const auto l = static_cast<std::uint16_t>(level);
    const auto inverse = static_cast<std::uint16_t>(32 - level);
    for (int i = 0; i < count; ++i) {
        const std::uint16_t s = src[i];
        const std::uint16_t d = dst[i];
        const auto mixed = static_cast<std::uint16_t>(ShadeFast(d, inverse) + ShadeFast(s, l));
        dst[i] = s != 0 ? mixed : d;
    }
}

void Shade(std::uint16_t* dst, int count, int level) {
    const auto l = static_cast<std::uint16_t>(level);
    for (int i = 0; i < count; ++i) dst[i] = ShadeFast(dst[i], l);
}

void Tint(std::uint16_t* dst, int count, int level, std::uint16_t colour) {
    const auto inverse = static_cast<std::uint16_t>(32 - level);
    const std::uint16_t tint = ShadeFast(colour, static_cast<std::uint16_t>(level));
    for (int i = 0; i < count; ++i)
        dst[i] = static_cast<std::uint16_t>(ShadeFast(dst[i], inverse) + tint);
}

}  // namespace pixel_rows
