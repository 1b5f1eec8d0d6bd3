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

class DrawTest : public ::testing::Test {
  protected:
    EngineHarness h;
    Engine& e = h.engine;
    std::mt19937 rng{12345};
};

TEST_F(DrawTest, ShadeTableScalesEachChannelAndIgnoresBitFifteen) {
    EXPECT_EQ(e.ShadeTable(32, 0xFFFF), 0x7FFF);
    EXPECT_EQ(e.ShadeTable(0, 0x7FFF), 0);
    EXPECT_EQ(e.ShadeTable(16, (31 << 10) | (9 << 5) | 1), (15 << 10) | (4 << 5) | 0);
}

TEST_F(DrawTest, KeyedCopiesClipAtEveryEdgeAndRefuseOddRectangles) {
    CDib sprite;
    sprite.Create(16, 1);
    for (int x = 0; x < 16; ++x) sprite.At(x, 0) = static_cast<std::uint16_t>(x + 1);
    BltKeyed(e, -10, 300, sprite, 0, 0, 16, 1);
    for (int x = 0; x < 6; ++x) EXPECT_EQ(e.Screen.At(x, 300), x + 11);  // lost columns 0..9
    EXPECT_EQ(e.Screen.At(6, 300), 0);
    BltKeyed(e, 230, 301, sprite, 0, 0, 16, 1);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(e.Screen.At(230 + x, 301), x + 1);  // lost the last 6
    EXPECT_EQ(e.Screen.At(0, 302), 0);  // nothing wrapped onto the next row
    const CDib square = RandomPicture(8, 8, rng, false);
    BltKeyed(e, 0, 400, square, 5, 0, 2, 8);    // right < left
    BltKeyed(e, 0, 400, square, 0, 5, 8, 2);    // bottom < top
    BltKeyed(e, 240, 400, square, 0, 0, 8, 8);  // entirely right of Screen
    for (int y = 302; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x) ASSERT_EQ(e.Screen.At(x, y), 0);
    BltKeyed(e, 0, 626, square, 0, 0, 8, 8);  // only 4 rows fit
    EXPECT_EQ(e.Screen.At(0, 629), square.At(0, 3));
    BltKeyed(e, 0, -6, square, 0, 0, 8, 8);  // only the last 2 rows land
    EXPECT_EQ(e.Screen.At(0, 0), square.At(0, 6));
    EXPECT_EQ(e.Screen.At(0, 1), square.At(0, 7));
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

// The row operations themselves are checked level by level in PixelRowsTest; here, where they
// apply.
TEST_F(DrawTest, FadeShadesTheVisiblePageAndTintAndBlendTheirRectangles) {
    FillRandom(e.Screen, rng, false);
    const CDib before = e.Screen;
    FadeScreen(e, 20);
    TintRect(e, 13, 250, 200, 280, 9, 0x1F);
    CDib sprite = RandomPicture(3, 2, rng);
    BltBlend(e, 100, 300, sprite, 0, 0, 3, 2, 11);
    const struct {
        int x, y;
        std::uint16_t expected;
    } cases[] = {
        {5, 209, before.At(5, 209)},  // the margins are not faded
        {5, 420, before.At(5, 420)},
        {5, 210, e.ShadeTable(20, before.At(5, 210))},
        {12, 260, e.ShadeTable(20, before.At(12, 260))},
        {13, 250,
         static_cast<std::uint16_t>(e.ShadeTable(23, e.ShadeTable(20, before.At(13, 250))) +
                                    e.ShadeTable(9, 0x1F))},
        {102, 301,
         sprite.At(2, 1) == 0
             ? e.ShadeTable(20, before.At(102, 301))
             : static_cast<std::uint16_t>(e.ShadeTable(21, e.ShadeTable(20, before.At(102, 301))) +
                                          e.ShadeTable(11, sprite.At(2, 1)))},
    };
    for (const auto& c : cases) EXPECT_EQ(e.Screen.At(c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST_F(DrawTest, ClearTouchesOnlyTheVisiblePageAndTintsClipToScreen) {
    FillRandom(e.Screen, rng, false);
    const std::uint16_t margin = e.Screen.At(5, 100);
    ClearScreen(e);
    EXPECT_EQ(e.Screen.At(239, 419), 0);
    EXPECT_EQ(e.Screen.At(5, 100), margin);
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

TEST(CDibTest, AbsurdSizesAreRefusedAndDestroyIsIdempotent) {
    CDib dib;
    EXPECT_FALSE(dib.Create(0, 5));
    EXPECT_TRUE(dib.Empty());
    EXPECT_FALSE(dib.Create(100000, 100000));
    dib.Destroy();
    dib.Destroy();
    EXPECT_TRUE(dib.Empty());
}

}  // namespace
