#include <gtest/gtest.h>

#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/core/Sjis.h"
#include "engine/platform/headless/EngineHarness.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

TEST(PictureTest, LoadKeepsTheTopFiveBitsSoNearBlackIsTransparent) {
    EngineHarness h;
    const std::uint32_t pixels[2][3] = {{0x070707, 0x080000, 0xFF8009}, {0, 0x010203, 0x000008}};
    h.WriteFile("pic\\Sprite.qdg",
                gamedir::MakeBmp(3, 2, [&](int x, int y) { return pixels[y][x]; }));
    CDib picture;
    ASSERT_TRUE(picture.LoadFile(h.engine, "pic\\sprite"));  // letter case is forgiven
    ASSERT_EQ(picture.Width(), 3);
    ASSERT_EQ(picture.Height(), 2);
    EXPECT_EQ(picture.At(0, 0), 0);
    EXPECT_EQ(picture.At(1, 0), 1 << 10);
    EXPECT_EQ(picture.At(2, 0), (31 << 10) | (16 << 5) | 1);
    EXPECT_EQ(picture.At(2, 1), 1);
    EXPECT_EQ(picture.Stride(), 8);

    std::fill_n(h.engine.Screen.Row(300), kScreenWidth, std::uint16_t{0x1111});
    BltKeyed(h.engine, 0, 300, picture, 0, 0, 3, 1);
    EXPECT_EQ(h.engine.Screen.At(0, 300), 0x1111);   // RGB (7, 7, 7) is transparent
    EXPECT_EQ(h.engine.Screen.At(1, 300), 1 << 10);  // RGB (8, 0, 0) is drawn
    EXPECT_TRUE(h.Trace().empty());
}

TEST(PictureTest, MissingOrUndecodablePictureNamesTheRelativeNameAndStaysEmpty) {
    EngineHarness h;
    CDib picture;
    picture.Create(4, 4);
    EXPECT_FALSE(picture.LoadFile(h.engine, "pic\\title"));
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(h.Trace().back(), "0 box エラー発生|CDib::LoadFile : えら～\\n\\npic\\\\title");
    h.WriteFile("pic\\bad.qdg", "BM this is not a bitmap");
    EXPECT_FALSE(picture.LoadFile(h.engine, "pic\\bad"));
    EXPECT_EQ(h.Trace().back(), "0 box エラー発生|CDib::LoadFile : えら～\\n\\npic\\\\bad");
    EXPECT_TRUE(picture.Empty());
}

std::vector<std::uint16_t> VisiblePage(const Engine& e) {
    return std::vector<std::uint16_t>(e.Screen.Row(0), e.Screen.Row(0) + 240 * 630);
}

int CountValue(const std::vector<std::uint16_t>& page, std::uint16_t v) {
    return static_cast<int>(std::count(page.begin(), page.end(), v));
}

TEST(TextTest, TextHasAShadowBelowRightAndAnOutlineInOutlineMode) {
    EngineHarness h;
    const std::uint16_t white = 0x7FFF, shadow = ColorRefTo555(0x0F0F0F);
    DrawString(h.engine, "I", 12, 10, 300, 0xFFFFFF);
    // Find the top-most text pixel; the shadow lies one pixel right and down of every one.
    int textPixels = 0;
    for (int y = 300; y < 312; ++y)
        for (int x = 10; x < 16; ++x)
            if (h.engine.Screen.At(x, y) == white) {
                ++textPixels;
                const std::uint16_t below = h.engine.Screen.At(x + 1, y + 1);
                EXPECT_TRUE(below == shadow || below == white);
            }
    EXPECT_GT(textPixels, 4);

    EngineHarness outlined;
    DrawString(outlined.engine, "I", 12, 10, 300, 0x2FFFFFF);
    const auto page = VisiblePage(outlined.engine);
    EXPECT_EQ(CountValue(page, white), textPixels);  // the outline bit keeps the colour
    for (int y = 300; y < 312; ++y)
        for (int x = 10; x < 16; ++x)
            if (outlined.engine.Screen.At(x, y) == white) {
                EXPECT_NE(outlined.engine.Screen.At(x - 1, y), 0);
                EXPECT_NE(outlined.engine.Screen.At(x, y - 1), 0);
            }
}

TEST(TextTest, FullWidthCharactersAdvanceTwelveAndHalfWidthSix) {
    EngineHarness h;
    const std::uint16_t yellow = ColorRefTo555(0x00FFFF);
    auto rightmost = [&](std::string_view text) {
        ClearScreen(h.engine);
        DrawString(h.engine, text, 12, 0, 300, 0x00FFFF);
        int right = -1;
        for (int y = 300; y < 312; ++y)
            for (int x = 0; x < 240; ++x)
                if (h.engine.Screen.At(x, y) == yellow) right = std::max(right, x);
        return right;
    };
    const int one = rightmost(Sjis("あ"));
    EXPECT_GE(one, 6);
    EXPECT_LT(one, 12);
    EXPECT_EQ(rightmost(Sjis("ああ")), one + 12);
    const int ascii = rightmost("H");
    EXPECT_LT(ascii, 6);
    EXPECT_EQ(rightmost("HH"), ascii + 6);
    EXPECT_EQ(rightmost(Sjis("ｱ")) >= 0, true);  // half-width katakana has glyphs
}

}  // namespace
