#include <gtest/gtest.h>

#include "tools/picture/Bmp.h"
#include "tools/picture/PictureText.h"

namespace {

using tools::Picture;
using tools::Rgb;

Picture parseOk(const std::string& text) {
    Picture p;
    std::string err = tools::parsePicture(text, "", p);
    EXPECT_EQ(err, "");
    return p;
}

std::string parseError(const std::string& text) {
    Picture p;
    return tools::parsePicture(text, "", p);
}

TEST(PictureText, StampsRowsLeavingUnderscoresAlone) {
    Picture p = parseOk(
        "size 4 3\n"
        "colour r FF0000\n"
        "colour g 00FF00\n"
        "fill 0 0 4 3 g\n"
        "at 1 1\n"
        "  r_r\n"
        "\n");
    EXPECT_EQ(p.at(0, 0), (Rgb{0, 255, 0}));
    EXPECT_EQ(p.at(1, 1), (Rgb{255, 0, 0}));
    EXPECT_EQ(p.at(2, 1), (Rgb{0, 255, 0}));  // '_' kept the fill
    EXPECT_EQ(p.at(3, 1), (Rgb{255, 0, 0}));
}

TEST(PictureText, DotIsTransparentBlackButStampsLeaveItAlone) {
    Picture p = parseOk(
        "size 3 1\ncolour w FFFFFF\ncolour r FF0000\nfill 0 0 3 1 w\nat 0 0\n.r\nfill 2 0 1 1 .\n");
    EXPECT_EQ(p.at(0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(p.at(1, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(p.at(2, 0), (Rgb{0, 0, 0}));
}

TEST(PictureText, PatternRepeatsOverTheRectangle) {
    Picture p = parseOk("size 5 3\ncolour a 808080\npattern 0 0 5 3\na.\n.a\n");
    EXPECT_EQ(p.at(0, 0), (Rgb{128, 128, 128}));
    EXPECT_EQ(p.at(1, 0), (Rgb{0, 0, 0}));  // untouched
    EXPECT_EQ(p.at(4, 0), (Rgb{128, 128, 128}));
    EXPECT_EQ(p.at(1, 1), (Rgb{128, 128, 128}));
    EXPECT_EQ(p.at(0, 2), (Rgb{128, 128, 128}));  // rows repeat too
}

TEST(PictureText, CopyMirrorsAndRecolours) {
    Picture p = parseOk(
        "size 6 2\ncolour a 800000\ncolour b 008000\ncolour c 000080\n"
        "at 0 0\nab.\nbb.\n"
        "copy 0 0 3 2 3 0 flipx recolour bc\n");
    // Row 0 "ab." mirrored is ".ba", with b turned into c.
    EXPECT_EQ(p.at(3, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(p.at(4, 0), (Rgb{0, 0, 128}));
    EXPECT_EQ(p.at(5, 0), (Rgb{128, 0, 0}));
}

TEST(PictureText, RefusesColoursThatWouldTurnTransparent) {
    // Every channel below 8 becomes 0 once the engine keeps five bits: it would vanish.
    EXPECT_NE(parseError("size 1 1\ncolour k 070707\n").find("transparent"), std::string::npos);
    // One channel of 8 survives, and pure black is the deliberate transparent colour.
    EXPECT_EQ(parseError("size 1 1\ncolour k 080000\ncolour z 000000\n"), "");
}

TEST(PictureText, ReportsFaultsWithTheirLine) {
    EXPECT_NE(parseError("fill 0 0 1 1 a\n").find("size"), std::string::npos);
    EXPECT_NE(parseError("size 2 2\nat 0 0\nqq\n").find("undefined colour 'q'"), std::string::npos);
    EXPECT_NE(parseError("size 2 2\ncolour a 808080\nat 1 0\naa\n").find("outside"),
              std::string::npos);
    EXPECT_NE(parseError("size 2 2\n\nfrobnicate\n").find(":3:"), std::string::npos);
    EXPECT_NE(parseError("size 0 5\n"), "");
    EXPECT_NE(parseError("size 4000 5\n"), "");
    EXPECT_NE(parseError("size 2 2\ncolour a 808080\ncopy 0 0 2 2 1 1\n"), "");
    EXPECT_NE(parseError(""), "");
}

TEST(Bmp, RoundTripsOddWidthsWithRowPadding) {
    Picture p =
        parseOk("size 3 2\ncolour r FF0000\ncolour g 00FF00\ncolour b 0000FF\nat 0 0\nrgb\nb.r\n");
    auto bytes = tools::encodeBmp(p);
    // 54-byte headers, rows of 9 bytes padded to 12.
    ASSERT_EQ(bytes.size(), 54u + 2 * 12);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[28], 24);
    // Bottom-up: the file's first row is the picture's last, blue first in BGR order.
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 54, bytes.begin() + 57),
              (std::vector<std::uint8_t>{0xFF, 0, 0}));
    auto back = tools::decodeBmp(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(std::pair(back->width, back->height), std::pair(3, 2));
    EXPECT_EQ(back->pixels, p.pixels);
}

TEST(Bmp, RefusesTruncatedFiles) {
    Picture p = parseOk("size 4 4\n");
    auto bytes = tools::encodeBmp(p);
    bytes.resize(bytes.size() - 1);
    EXPECT_FALSE(tools::decodeBmp(bytes));
}

TEST(Png, HasSignatureAndScaledSize) {
    Picture p = parseOk("size 3 2\n");
    auto png = tools::encodePng(p, 4);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png[1], 'P');
    // IHDR width and height, big-endian, at bytes 16 and 20.
    EXPECT_EQ(png[19], 12);
    EXPECT_EQ(png[23], 8);
}

TEST(PictureText, TextDrawsGlyphsWithOutline) {
    Picture p = parseOk("size 9 9\ncolour w FFFFFF\ncolour k 202020\ntext 1 1 1 w k I\n");
    // 'I' is ".###." on top: ink from column 2 of the glyph, outline around it.
    EXPECT_EQ(p.at(2, 1), (Rgb{255, 255, 255}));
    EXPECT_EQ(p.at(1, 1), (Rgb{32, 32, 32}));
    EXPECT_EQ(p.at(2, 0), (Rgb{32, 32, 32}));
    EXPECT_EQ(p.at(8, 8), (Rgb{0, 0, 0}));
    EXPECT_NE(parseError("size 4 4\ncolour w FFFFFF\ntext 0 0 1 w - A\n"), "");
    EXPECT_NE(parseError("size 20 9\ncolour w FFFFFF\ntext 0 0 1 w - a\n"), "");
}

TEST(PictureText, BandsRunTopToBottomAndScatterStaysInside) {
    Picture p = parseOk(
        "size 4 8\ncolour a 800000\ncolour b 008000\nbands 0 0 4 8 a b\n"
        "scatter 0 0 2 2 a 50 7\n");
    EXPECT_EQ(p.at(3, 7), (Rgb{0, 128, 0}));
    EXPECT_EQ(p.at(3, 1), (Rgb{128, 0, 0}));
    int reds = 0;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) reds += p.at(x, y) == Rgb{128, 0, 0};
    EXPECT_EQ(reds, 4);
}

}  // namespace
