#include "engine/core/PixelRows.h"

#include "engine/core/PixelRowsAvx2.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace pixel_rows {
namespace {

// Red and blue are scaled together and green on its own: with the level moved up by 11 bits, the
// high half of (channels x level) holds (channel x level) >> 5 of blue in bits 0-4 and, shifted
// into place, of red in bits 10-14 (and of green in bits 5-9 of its own product); masking keeps
// exactly those. This equals ShadeOf for every colour and level 0..32.
inline std::uint16_t ShadeFast(std::uint16_t c, unsigned level) {
    const unsigned scaled = level << 11;
    const unsigned redBlue = (((c & 0x7C1Fu) * scaled) >> 16) & 0x7C1Fu;
    const unsigned green = (((c & 0x03E0u) * scaled) >> 16) & 0x03E0u;
    return static_cast<std::uint16_t>(redBlue | green);
}

#ifdef __SSE2__
struct ShadeMasks {
    __m128i redBlue = _mm_set1_epi16(0x7C1F);
    __m128i green = _mm_set1_epi16(0x03E0);
};

// Eight pixels at once, the arithmetic of ShadeFast with `scaled` = level << 11 in every lane;
// the level must be below 32 so that it fits in 16 bits.
inline __m128i Shade8(__m128i c, __m128i scaled, const ShadeMasks& m) {
    const __m128i redBlue =
        _mm_and_si128(_mm_mulhi_epu16(_mm_and_si128(c, m.redBlue), scaled), m.redBlue);
    const __m128i green =
        _mm_and_si128(_mm_mulhi_epu16(_mm_and_si128(c, m.green), scaled), m.green);
    return _mm_or_si128(redBlue, green);
}

inline __m128i Scaled(unsigned level) {
    return _mm_set1_epi16(static_cast<short>(level << 11));
}

inline __m128i Load(const std::uint16_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
inline void Store(std::uint16_t* p, __m128i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}
// Where the source is 0 the destination stays, elsewhere `value`.
inline __m128i KeepWhereZero(__m128i src, __m128i value, __m128i dst) {
    const __m128i transparent = _mm_cmpeq_epi16(src, _mm_setzero_si128());
    return _mm_or_si128(_mm_and_si128(transparent, dst), _mm_andnot_si128(transparent, value));
}
#endif

}  // namespace

void Keyed(std::uint16_t* dst, const std::uint16_t* src, int count) {
    int i = 0;
#ifdef __SSE2__
    for (; i + 8 <= count; i += 8) {
        const __m128i s = Load(src + i);
        Store(dst + i, KeepWhereZero(s, s, Load(dst + i)));
    }
#endif
    for (; i < count; ++i)
        if (src[i] != 0) dst[i] = src[i];
}

void Blend(std::uint16_t* dst, const std::uint16_t* src, int count, int level) {
    const auto l = static_cast<unsigned>(level);
    const auto inverse = static_cast<unsigned>(32 - level);
    int i = avx2::Available() ? avx2::Blend(dst, src, count, level) : 0;
#ifdef __SSE2__
    const ShadeMasks m;
    const __m128i low15 = _mm_set1_epi16(0x7FFF);
    // Levels 0 and 32 do not fit in a lane: they keep the destination or copy the source, either
    // without bit 15.
    if (level == 0) {
        for (; i + 8 <= count; i += 8) {
            const __m128i s = Load(src + i);
            const __m128i d = Load(dst + i);
            Store(dst + i, KeepWhereZero(s, _mm_and_si128(d, low15), d));
        }
    } else if (level == 32) {
        for (; i + 8 <= count; i += 8) {
            const __m128i s = Load(src + i);
            Store(dst + i, KeepWhereZero(s, _mm_and_si128(s, low15), Load(dst + i)));
        }
    } else {
        const __m128i vl = Scaled(l);
        const __m128i vinverse = Scaled(inverse);
        for (; i + 8 <= count; i += 8) {
            const __m128i s = Load(src + i);
            const __m128i d = Load(dst + i);
            const __m128i mixed = _mm_add_epi16(Shade8(d, vinverse, m), Shade8(s, vl, m));
            Store(dst + i, KeepWhereZero(s, mixed, d));
        }
    }
#endif
    for (; i < count; ++i)
        if (src[i] != 0)
            dst[i] = static_cast<std::uint16_t>(ShadeFast(dst[i], inverse) + ShadeFast(src[i], l));
}

void Shade(std::uint16_t* dst, int count, int level) {
    const auto l = static_cast<unsigned>(level);
    int i = avx2::Available() ? avx2::Shade(dst, count, level) : 0;
#ifdef __SSE2__
    const ShadeMasks m;
    const __m128i vl = Scaled(l == 32 ? 0 : l);
    const __m128i keep = _mm_set1_epi16(l == 32 ? 0x7FFF : 0);
    for (; i + 8 <= count; i += 8) {
        const __m128i d = Load(dst + i);
        Store(dst + i, _mm_or_si128(Shade8(d, vl, m), _mm_and_si128(d, keep)));
    }
#endif
    for (; i < count; ++i) dst[i] = ShadeFast(dst[i], l);
}

void Tint(std::uint16_t* dst, int count, int level, std::uint16_t colour) {
    const auto inverse = static_cast<unsigned>(32 - level);
    const std::uint16_t tint = ShadeFast(colour, static_cast<unsigned>(level));
    int i = avx2::Available() ? avx2::Tint(dst, count, level, tint) : 0;
#ifdef __SSE2__
    const ShadeMasks m;
    const __m128i vinverse = Scaled(inverse == 32 ? 0 : inverse);
    const __m128i keep = _mm_set1_epi16(inverse == 32 ? 0x7FFF : 0);
    const __m128i vtint = _mm_set1_epi16(static_cast<short>(tint));
    for (; i + 8 <= count; i += 8) {
        const __m128i d = Load(dst + i);
        Store(dst + i,
              _mm_add_epi16(_mm_or_si128(Shade8(d, vinverse, m), _mm_and_si128(d, keep)), vtint));
    }
#endif
    for (; i < count; ++i) dst[i] = static_cast<std::uint16_t>(ShadeFast(dst[i], inverse) + tint);
}

}  // namespace pixel_rows
