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

// Numbers are decimal, leading zeros included: a legend's "010" is tile 10 and "08" tile 8.
TEST(MapText, NumbersAreDecimal) {
    const struct {
        const char* number;
        int tile;  // -1: refused
    } cases[] = {{"010", 10},  {"08", 8},  {"0", 0},   {"255", 255},
                 {"0x12", -1}, {"+1", -1}, {"-1", -1}, {"1e2", -1}};
    for (const auto& c : cases) {
        std::vector<std::uint8_t> map, attributes;
        const std::string legend = std::string("tileset 0\nlegend\na ") + c.number + "\ngrid\na\n";
        const bool read = tools::makeMap(legend, map).empty();
        EXPECT_EQ(read, c.tile >= 0) << c.number;
        if (read) {
            EXPECT_EQ(map[5], c.tile) << c.number;
        }
        EXPECT_EQ(
            tools::makeAttributes(std::string("block ") + c.number + "\n", attributes).empty(),
            c.tile >= 0)
            << c.number;
    }
}

TEST(MapText, AttributesAreListedColumnByColumn) {
    std::vector<std::uint8_t> out;
    ASSERT_EQ(tools::makeAttributes("block 018 32-33\n", out), "");
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

// What Tessel writes into a source folder's attribute text reads back as the same bytes.
TEST(MapText, AttributeTextReadsBackAsTheSameBytes) {
    std::vector<std::uint8_t> bytes, back;
    ASSERT_EQ(tools::makeAttributes("block 4 16 18-22 255\n", bytes), "");
    std::string text;
    ASSERT_EQ(tools::writeAttributesText(bytes, "# walls\n", text), "");
    EXPECT_EQ(text, "# walls\nblock 4 16 18-22 255\n");
    ASSERT_EQ(tools::makeAttributes(text, back), "");
    EXPECT_EQ(back, bytes);
    bytes[0] = 0x21;  // a bit the text cannot say
    EXPECT_NE(tools::writeAttributesText(bytes, "", text), "");
}

}  // namespace
