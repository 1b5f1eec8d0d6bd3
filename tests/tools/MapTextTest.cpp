#include <gtest/gtest.h>

#include "tools/mapmake/MapText.h"

namespace {

TEST(MapText, WritesHeaderAndFourLayersRowByRow) {
    std::vector<std::uint8_t> out;
    ASSERT_EQ(tools::makeMap("tileset 2\n"
                             "legend\n"
                             ". 1\n"
                             "T 3 upper 19 # a tree\n"
                             "S 5 mark 2 overlay 40\n"
                             "grid\n"
                             ".T.\n"
                             "S..\n",
                             out),
              "");
    const std::vector<std::uint8_t> expected = {
        2,   3,   0,   2,   0,         // tile set, width 3, height 2
        1,   3,   1,   5,   1,   1,    // ground
        255, 19,  255, 255, 255, 255,  // upper: empty where the legend gives none
        0,   0,   0,   2,   0,   0,    // marks
        255, 255, 255, 40,  255, 255,  // overlay
    };
    EXPECT_EQ(out, expected);
}

TEST(MapText, RefusesRaggedGridsAndUnknownCharacters) {
    std::vector<std::uint8_t> out;
    EXPECT_NE(tools::makeMap("tileset 0\nlegend\n. 1\ngrid\n..\n.\n", out).find("row 2"),
              std::string::npos);
    EXPECT_NE(tools::makeMap("tileset 0\nlegend\n. 1\ngrid\n.x\n", out).find("'x'"),
              std::string::npos);
    EXPECT_NE(tools::makeMap("legend\n. 1\ngrid\n..\n", out), "");
    EXPECT_NE(tools::makeMap("tileset 0\nlegend\n. 256\ngrid\n.\n", out), "");
    EXPECT_NE(tools::makeMap("tileset 0\nlegend\n. 1 mark 64\ngrid\n.\n", out), "");
    EXPECT_NE(tools::makeMap("tileset 0\nlegend\n. 1\n", out), "");
}

TEST(MapText, AttributesAreListedColumnByColumn) {
    std::vector<std::uint8_t> out;
    ASSERT_EQ(tools::makeAttributes("block 0x12 32-33\n", out), "");
    ASSERT_EQ(out.size(), 256u);
    // Tile 0x12 is sheet column 2, row 1: byte 2 * 16 + 1.
    EXPECT_EQ(out[33], 0x20);
    EXPECT_EQ(out[0 * 16 + 2], 0x20);  // tile 32: column 0, row 2
    EXPECT_EQ(out[1 * 16 + 2], 0x20);  // tile 33
    int blocked = 0;
    for (auto b : out) blocked += b != 0;
    EXPECT_EQ(blocked, 3);
    EXPECT_NE(tools::makeAttributes("block 300\n", out), "");
    EXPECT_NE(tools::makeAttributes("walls 3\n", out), "");
}

}  // namespace
