#include "engine/core/PixelRowsAvx2.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define PIXEL_ROWS_AVX2 1
#endif

namespace pixel_rows::avx2 {

#ifdef PIXEL_ROWS_AVX2
namespace {

#define AVX2_FUNCTION __attribute__((target("avx2")))

// ShadeOf for 16 pixels with `scaled` = level << 11 (level 0..31) in every lane: the high half
// of the product holds the scaled red and blue, or green, already in place.
AVX2_FUNCTION inline __m256i Shade16(__m256i c, __m256i scaled) {
    const __m256i redBlueMask = _mm256_set1_epi16(0x7C1F);
    const __m256i greenMask = _mm256_set1_epi16(0x03E0);
    const __m256i redBlue =
        _mm256_and_si256(_mm256_mulhi_epu16(_mm256_and_si256(c, redBlueMask), scaled), redBlueMask);
    const __m256i green =
        _mm256_and_si256(_mm256_mulhi_epu16(_mm256_and_si256(c, greenMask), scaled), greenMask);
    return _mm256_or_si256(redBlue, green);
}

AVX2_FUNCTION inline __m256i Load(const std::uint16_t* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}
AVX2_FUNCTION inline void Store(std::uint16_t* p, __m256i v) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}
AVX2_FUNCTION inline __m256i Scaled(int level) {
    return _mm256_set1_epi16(static_cast<short>(level << 11));
}

}  // namespace

bool Available() {
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
}

AVX2_FUNCTION int Blend(std::uint16_t* dst, const std::uint16_t* src, int count, int level) {
    if (level <= 0 || level >= 32) return 0;  // the edge levels are plain copies: left to SSE2
    const __m256i vl = Scaled(level);
    const __m256i vinverse = Scaled(32 - level);
    const __m256i zero = _mm256_setzero_si256();
    int i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m256i s = Load(src + i);
        const __m256i d = Load(dst + i);
        const __m256i mixed = _mm256_add_epi16(Shade16(d, vinverse), Shade16(s, vl));
        const __m256i transparent = _mm256_cmpeq_epi16(s, zero);
        Store(dst + i, _mm256_blendv_epi8(mixed, d, transparent));
    }
    return i;
}

AVX2_FUNCTION int Shade(std::uint16_t* dst, int count, int level) {
    if (level < 0 || level >= 32) return 0;
    const __m256i vl = Scaled(level);
    int i = 0;
    for (; i + 16 <= count; i += 16) Store(dst + i, Shade16(Load(dst + i), vl));
    return i;
}

AVX2_FUNCTION int Tint(std::uint16_t* dst, int count, int level, std::uint16_t tint) {
    if (level <= 0 || level > 32) return 0;
    const __m256i vinverse = Scaled(32 - level);
    const __m256i vtint = _mm256_set1_epi16(static_cast<short>(tint));
    int i = 0;
    for (; i + 16 <= count; i += 16)
        Store(dst + i, _mm256_add_epi16(Shade16(Load(dst + i), vinverse), vtint));
    return i;
}

#else

bool Available() {
    return false;
}
int Blend(std::uint16_t*, const std::uint16_t*, int, int) {
    return 0;
}
int Shade(std::uint16_t*, int, int) {
    return 0;
}
int Tint(std::uint16_t*, int, int, std::uint16_t) {
    return 0;
}

#endif

}  // namespace pixel_rows::avx2
