#include <gtest/gtest.h>

#include <random>

#include "engine/core/PixelRows.h"
#include "engine/core/ShadeTable.h"

namespace {

// Rows of every length up to 40 go through the wide, the narrow and the one-pixel paths.
TEST(PixelRowsTest, EveryPathMatchesTheBrightnessFormulaAtEveryLevel) {
    std::mt19937 rng(99);
    for (int level = 0; level <= 32; ++level)
        for (int count = 1; count <= 40; ++count) {
            std::vector<std::uint16_t> src(static_cast<std::size_t>(count));
            std::vector<std::uint16_t> dst(src.size());
            for (auto& v : src) v = rng() % 3 == 0 ? 0 : static_cast<std::uint16_t>(rng());
            for (auto& v : dst) v = static_cast<std::uint16_t>(rng());
            const auto colour = static_cast<std::uint16_t>(rng() & 0x7FFF);

            auto blended = dst, shaded = dst, tinted = dst;
            pixel_rows::Blend(blended.data(), src.data(), count, level);
            pixel_rows::Shade(shaded.data(), count, level);
            pixel_rows::Tint(tinted.data(), count, level, colour);
            for (std::size_t i = 0; i < src.size(); ++i) {
                const std::uint16_t d = dst[i], s = src[i];
                ASSERT_EQ(blended[i], s == 0 ? d : ShadeOf(32 - level, d) + ShadeOf(level, s))
                    << "level " << level << " count " << count << " at " << i;
                ASSERT_EQ(shaded[i], ShadeOf(level, d));
                ASSERT_EQ(tinted[i], ShadeOf(32 - level, d) + ShadeOf(level, colour));
            }
        }
}

}  // namespace
