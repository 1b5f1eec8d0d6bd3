#include <gtest/gtest.h>

#include <random>

#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/platform/headless/EngineHarness.h"

namespace {

void FillRandom(CDib& dib, std::mt19937& rng, bool withTransparent) {
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x) {
            auto v = static_cast<std::uint16_t>(rng());  // bit 15 set at times: it must not matter
            if (withTransparent && rng() % 4 == 0) v = 0;
            dib.At(x, y) = v;
        }
}

CDib RandomPicture(int w, int h, std::mt19937& rng, bool withTransparent = true) {
    CDib dib;
    dib.Create(w, h);
    FillRandom(dib, rng, withTransparent);
    return dib;
}

// The keyed blend written out plainly with the brightness table, clipping included.
void ReferenceBlend(Engine& e, int dx, int dy, const CDib& src, int l, int t, int r, int b,
                    int level) {
    for (int y = t; y < b && y < src.Height(); ++y)
        for (int x = l; x < r && x < src.Width(); ++x) {
            const int sx = dx + (x - l), sy = dy + (y - t);
            if (sx < 0 || sx >= kScreenWidth || sy < 0 || sy >= kScreenHeight) continue;
            const std::uint16_t s = src.At(x, y);
            if (s == 0) continue;
            std::uint16_t& d = e.Screen.At(sx, sy);
            d = static_cast<std::uint16_t>(e.ShadeTable(32 - level, d) + e.ShadeTable(level, s));
        }
}

class DrawTest : public ::testing::Test {
  protected:
    EngineHarness h;
    Engine& e = h.engine;
    std::mt19937 rng{12345};
};

TEST_F(DrawTest, ShadeTableScalesEachChannelAndNeverCarries) {
    EXPECT_EQ(e.ShadeTable(32, 0x7FFF), 0x7FFF);
    EXPECT_EQ(e.ShadeTable(32, 0xFFFF), 0x7FFF);
    EXPECT_EQ(e.ShadeTable(0, 0x7FFF), 0);
    EXPECT_EQ(e.ShadeTable(16, (31 << 10) | (9 << 5) | 1), (15 << 10) | (4 << 5) | 0);
    for (int i = 0; i < 20000; ++i) {
        const int level = static_cast<int>(rng() % 33);
        const auto a = static_cast<std::uint16_t>(rng()), b = static_cast<std::uint16_t>(rng());
        const unsigned sum = e.ShadeTable(32 - level, a) + e.ShadeTable(level, b);
        EXPECT_LT(sum, 0x8000u);
        EXPECT_LE(sum & 31u, 31u);
    }
}

TEST_F(DrawTest, BltBlendMatchesTheTableAtEveryLevelWithClipping) {
    const CDib sprite = RandomPicture(37, 23, rng);
    const struct {
        int dx, dy, l, t, r, b;
    } cases[] = {{10, 300, 0, 0, 37, 23},  {-10, 250, 2, 1, 30, 20}, {220, 400, 0, 0, 37, 23},
                 {5, 620, 0, 0, 37, 23},   {5, -5, 0, 0, 37, 23},    {0, 220, 3, 4, 100, 100},
                 {-50, 230, 0, 0, 37, 23}, {239, 230, 0, 0, 37, 23}};
    for (int level = 0; level <= 32; ++level)
        for (const auto& c : cases) {
            FillRandom(e.Screen, rng, false);
            CDib actual = e.Screen;
            std::swap(e.Screen, actual);
            BltBlend(e, c.dx, c.dy, sprite, c.l, c.t, c.r, c.b, level);
            std::swap(e.Screen, actual);
            ReferenceBlend(e, c.dx, c.dy, sprite, c.l, c.t, c.r, c.b, level);
            for (int y = 0; y < kScreenHeight; ++y)
                ASSERT_TRUE(
                    std::equal(e.Screen.Row(y), e.Screen.Row(y) + kScreenWidth, actual.Row(y)))
                    << "level " << level << " dx " << c.dx << " dy " << c.dy << " row " << y;
        }
}

TEST_F(DrawTest, BlendLevelsThirtyTwoAndZeroAreKeyedCopyAndNothing) {
    CDib sprite = RandomPicture(40, 30, rng);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) sprite.At(x, y) &= 0x7FFF;  // as every loaded picture
    FillRandom(e.Screen, rng, false);
    EngineHarness other;
    for (int y = 0; y < kScreenHeight; ++y)
        std::copy_n(e.Screen.Row(y), kScreenWidth, other.engine.Screen.Row(y));
    BltBlend(e, 17, 260, sprite, 0, 0, 40, 30, 32);
    BltKeyed(other.engine, 17, 260, sprite, 0, 0, 40, 30);
    for (int y = 0; y < kScreenHeight; ++y)
        ASSERT_TRUE(std::equal(e.Screen.Row(y), e.Screen.Row(y) + kScreenWidth,
                               other.engine.Screen.Row(y)));
    BltBlend(e, 17, 260, sprite, 0, 0, 40, 30, 0);
    for (int y = 0; y < kScreenHeight; ++y)
        ASSERT_TRUE(std::equal(e.Screen.Row(y), e.Screen.Row(y) + kScreenWidth,
                               other.engine.Screen.Row(y)));
}

TEST_F(DrawTest, KeyedCopyClipsAtTheLeftAndRightEdges) {
    CDib sprite;
    sprite.Create(16, 1);
    for (int x = 0; x < 16; ++x) sprite.At(x, 0) = static_cast<std::uint16_t>(x + 1);
    BltKeyed(e, -10, 300, sprite, 0, 0, 16, 1);
    for (int x = 0; x < 6; ++x) EXPECT_EQ(e.Screen.At(x, 300), x + 11);  // lost columns 0..9
    EXPECT_EQ(e.Screen.At(6, 300), 0);
    BltKeyed(e, 230, 301, sprite, 0, 0, 16, 1);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(e.Screen.At(230 + x, 301), x + 1);  // lost the last 6
    EXPECT_EQ(e.Screen.At(0, 302), 0);  // nothing wrapped onto the next row
}

TEST_F(DrawTest, KeyedCopiesRefuseOddRectanglesAndKeepRowsInsideScreen) {
    const CDib sprite = RandomPicture(8, 8, rng, false);
    BltKeyed(e, 0, 300, sprite, 5, 0, 2, 8);    // right < left
    BltKeyed(e, 0, 300, sprite, 0, 5, 8, 2);    // bottom < top
    BltKeyed(e, 240, 300, sprite, 0, 0, 8, 8);  // entirely right of Screen
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x) ASSERT_EQ(e.Screen.At(x, y), 0);
    BltKeyed(e, 0, 626, sprite, 0, 0, 8, 8);  // only 4 rows fit
    EXPECT_EQ(e.Screen.At(0, 629), sprite.At(0, 3));
    BltKeyed(e, 0, -6, sprite, 0, 0, 8, 8);  // only the last 2 rows land
    EXPECT_EQ(e.Screen.At(0, 0), sprite.At(0, 6));
    EXPECT_EQ(e.Screen.At(0, 1), sprite.At(0, 7));
    BltKeyed(e, 100, 300, CDib(), 0, 0, 8, 8);  // an empty picture draws nothing
}

TEST_F(DrawTest, BltCopyIsOpaqueAndClippedToBothPictures) {
    CDib sprite = RandomPicture(10, 10, rng);
    sprite.At(0, 0) = 0;
    e.Screen.At(50, 300) = 0x1234;
    BltCopy(e, 50, 300, sprite, 0, 0, 10, 10);
    EXPECT_EQ(e.Screen.At(50, 300), 0);  // black is copied too
    EXPECT_EQ(e.Screen.At(59, 309), sprite.At(9, 9));
    BltCopy(e, 235, 625, sprite, -3, 0, 20, 20);  // clipped at every side
    EXPECT_EQ(e.Screen.At(238, 625), sprite.At(0, 0));
    EXPECT_EQ(e.Screen.At(239, 629), sprite.At(1, 4));
}

TEST_F(DrawTest, FadeAndTintMatchTheTableAtEveryLevel) {
    for (int level = 0; level <= 32; ++level) {
        FillRandom(e.Screen, rng, false);
        std::vector<std::uint16_t> before(e.Screen.Row(0), e.Screen.Row(0) + 240 * 630);
        FadeScreen(e, level);
        for (int y = 0; y < kScreenHeight; ++y)
            for (int x = 0; x < kScreenWidth; ++x) {
                const std::uint16_t old = before[static_cast<std::size_t>(y * 240 + x)];
                const bool visible = y >= 210 && y < 420;
                ASSERT_EQ(e.Screen.At(x, y), visible ? e.ShadeTable(level, old) : old);
            }
        const auto colour = static_cast<std::uint16_t>(rng() & 0x7FFF);
        std::copy_n(e.Screen.Row(0), 240 * 630, before.begin());
        TintRect(e, 13, 250, 200, 280, level, colour);
        for (int y = 245; y < 285; ++y)
            for (int x = 0; x < kScreenWidth; ++x) {
                const std::uint16_t old = before[static_cast<std::size_t>(y * 240 + x)];
                const bool inside = x >= 13 && x < 200 && y >= 250 && y < 280;
                ASSERT_EQ(
                    e.Screen.At(x, y),
                    inside ? e.ShadeTable(32 - level, old) + e.ShadeTable(level, colour) : old);
            }
    }
}

TEST_F(DrawTest, FadeIdentitiesAndClear) {
    FillRandom(e.Screen, rng, false);
    const std::uint16_t sample = e.Screen.At(100, 300) & 0x7FFF;
    e.Screen.At(100, 300) = sample;
    FadeScreen(e, 32);
    EXPECT_EQ(e.Screen.At(100, 300), sample);
    FadeScreen(e, 0);
    EXPECT_EQ(e.Screen.At(100, 300), 0);
    FillRandom(e.Screen, rng, false);
    const std::uint16_t margin = e.Screen.At(5, 100);
    ClearScreen(e);
    EXPECT_EQ(e.Screen.At(239, 419), 0);
    EXPECT_EQ(e.Screen.At(5, 100), margin);
}

TEST_F(DrawTest, TintRectOutsideScreenIsClipped) {
    TintRect(e, -20, -20, 300, 700, 32, 0x7FFF);
    EXPECT_EQ(e.Screen.At(0, 0), 0x7FFF);
    EXPECT_EQ(e.Screen.At(239, 629), 0x7FFF);
}

TEST_F(DrawTest, WindowBoxIsABevelAroundATranslucentBluePanel) {
    for (int y = 0; y < kScreenHeight; ++y)
        std::fill_n(e.Screen.Row(y), kScreenWidth, std::uint16_t{(10 << 10) | (10 << 5) | 10});
    DrawWindowBox(e, 20, 300, 100, 40);
    const std::uint16_t dark = ColorRefTo555(0x202020), grey = ColorRefTo555(0xD0D0D0);
    EXPECT_EQ(e.Screen.At(20, 300), dark);   // outer outline
    EXPECT_EQ(e.Screen.At(119, 339), dark);  // right and bottom are exclusive
    EXPECT_EQ(e.Screen.At(120, 340), (10 << 10) | (10 << 5) | 10);
    EXPECT_EQ(e.Screen.At(21, 320), grey);
    EXPECT_EQ(e.Screen.At(22, 320), 0x7FFF);
    EXPECT_EQ(e.Screen.At(23, 320), dark);
    // 6/32 of the scene plus 26/32 of blue 31: (10*6)>>5 = 1 per channel, (31*26)>>5 = 25.
    EXPECT_EQ(e.Screen.At(60, 320), (1 << 10) | (1 << 5) | (1 + 25));
}

TEST_F(DrawTest, FrameRectWithAWidePenAndReversedCorners) {
    FrameRect(e, 60, 320, 40, 300, 3, 0x0000FF);  // corners given the other way round
    const std::uint16_t red = 31 << 10;
    EXPECT_EQ(e.Screen.At(39, 299), red);  // the pen is centred on the 1-pixel outline
    EXPECT_EQ(e.Screen.At(41, 301), red);
    EXPECT_EQ(e.Screen.At(42, 302), 0);  // the inside is left alone
    EXPECT_EQ(e.Screen.At(60, 319), red);
    EXPECT_EQ(e.Screen.At(61, 320), 0);
}

TEST(CDibTest, OddWidthRowsArePaddedToEvenAndOffsetsFollow) {
    CDib dib;
    ASSERT_TRUE(dib.Create(15, 3));
    EXPECT_EQ(dib.Stride(), 32);
    EXPECT_EQ(dib.RowOffsets(), (std::vector<std::int32_t>{0, 32, 64}));
    ASSERT_TRUE(dib.Create(16, 1));
    EXPECT_EQ(dib.Stride(), 32);
    EXPECT_FALSE(dib.Create(0, 5));
    EXPECT_TRUE(dib.Empty());
    EXPECT_FALSE(dib.Create(100000, 100000));
    dib.Destroy();
    dib.Destroy();
    EXPECT_TRUE(dib.Empty());
}

}  // namespace
