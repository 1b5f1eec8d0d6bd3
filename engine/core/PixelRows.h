#pragma once
#include <cstdint>

// The per-row pixel work of the drawing primitives. Each gives exactly the results of the
// brightness table (ShadeOf), computed per channel so that whole rows vectorise.
namespace pixel_rows {

// dst[i] = src[i] where src[i] != 0.
void Keyed(std::uint16_t* dst, const std::uint16_t* src, int count);
// dst[i] = ShadeOf(32 - level, dst[i]) + ShadeOf(level, src[i]) where src[i] != 0.
void Blend(std::uint16_t* dst, const std::uint16_t* src, int count, int level);
// dst[i] = ShadeOf(level, dst[i]).
void Shade(std::uint16_t* dst, int count, int level);
// dst[i] = ShadeOf(32 - level, dst[i]) + ShadeOf(level, colour).
void Tint(std::uint16_t* dst, int count, int level, std::uint16_t colour);

}  // namespace pixel_rows
