#pragma once
#include <cstdint>

// Sixteen-pixel versions of the row work for processors with AVX2. Each handles the longest
// prefix of the row that is a multiple of 16 pixels and returns its length; the caller does the
// rest. The arithmetic is exactly that of pixel_rows.
namespace pixel_rows::avx2 {

bool Available();
int Blend(std::uint16_t* dst, const std::uint16_t* src, int count, int level);
int Shade(std::uint16_t* dst, int count, int level);
int Tint(std::uint16_t* dst, int count, int level, std::uint16_t colour);

}  // namespace pixel_rows::avx2
