// The tools as pure functions on a small map, and resizing with each anchor.
#include <gtest/gtest.h>

#include <string>

#include "mapeditor/core/TileEdits.h"

namespace {

using namespace tessel;

// A map whose ground is written as rows of hex digits, one digit a tile.
TileMap groundMap(const std::vector<std::string>& rows) {
    TileMap map =
        TileMap::blank(0, static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int r = 0; r < map.height; ++r)
        for (int c = 0; c < map.width; ++c)
            map.at(0, c, r) =
                static_cast<std::uint8_t>(std::stoi(rows[r].substr(c, 1), nullptr, 16));
    return map;
}

std::vector<std::string> layerRows(const TileMap& map, int layer) {
    std::vector<std::string> rows;
    for (int r = 0; r < map.height; ++r) {
        std::string row;
        for (int c = 0; c < map.width; ++c) {
            const int v = map.at(layer, c, r);
            row += v == 0xFF ? '-' : "0123456789ABCDEF"[v & 15];
        }
        rows.push_back(row);
    }
    return rows;
}

const TileBlock kChecker{2, 2, {0xA, 0xB, 0xC, 0xD}};

struct ToolCase {
    const char* name;
    TilePatch (*edit)(const TileMap&);
    std::vector<std::string> ground;
};

const std::vector<std::string> kStart = {"1111", "1221", "1121", "3333"};

const ToolCase kToolCases[] = {
    {"pencil block is clipped at the edge",
     [](const TileMap& m) { return stampBrush(m, 0, 3, 2, kChecker); },
     {"1111", "1221", "112A", "333C"}},
    {"rectangle repeats the brush from its corner",
     [](const TileMap& m) { return fillRect(m, 0, spanOf(2, 3, 0, 1), kChecker); },
     {"1111", "ABA1", "CDC1", "ABA3"}},
    {"flood fill stays in the 4-connected region",
     [](const TileMap& m) { return floodFill(m, 0, 1, 1, TileBlock::single(9)); },
     {"1111", "1991", "1191", "3333"}},
    {"flood fill repeats a block from the clicked cell",
     [](const TileMap& m) { return floodFill(m, 0, 0, 0, kChecker); },
     {"ABAB", "C22D", "AB2B", "3333"}},
    {"eraser leaves the tile most of the ground is",
     [](const TileMap& m) { return eraseRect(m, spanOf(1, 1, 2, 3), layerBit(0)); },
     {"1111", "1111", "1111", "3113"}},
    {"move leaves the old place to the map's floor and covers the new one",
     [](const TileMap& m) {
         return moveRect(m, TileRect{1, 1, 2, 2}, kAllLayers, 1, 1);
     },
     {"1111", "1111", "1122", "3312"}},
    {"move past the edge loses what falls outside",
     [](const TileMap& m) {
         return moveRect(m, TileRect{0, 3, 4, 1}, kAllLayers, 2, -3);
     },
     {"1133", "1221", "1121", "1111"}},
};

TEST(TileEditsTest, ToolsChangeExactlyTheirCells) {
    for (const ToolCase& c : kToolCases) {
        TileMap map = groundMap(kStart);
        const TileMap before = map;
        const TilePatch undo = apply(map, c.edit(map));
        EXPECT_EQ(layerRows(map, 0), c.ground) << c.name;
        apply(map, undo);
        EXPECT_EQ(map, before) << c.name << ": undo restores the map";
    }
}

TEST(TileEditsTest, MarksKeepTheirHighBitsAndCompareByNumber) {
    TileMap map = TileMap::blank(0, 3, 1);
    map.at(2, 0, 0) = 0x45;  // event 5 with a high bit the field ignores
    map.at(2, 1, 0) = 0x05;
    apply(map, floodFill(map, 2, 0, 0, TileBlock::single(7)));
    EXPECT_EQ(map.at(2, 0, 0), 0x47);
    EXPECT_EQ(map.at(2, 1, 0), 0x07);
    EXPECT_EQ(map.at(2, 2, 0), 0x00);
    EXPECT_EQ(pickValue(map, 2, 0, 0), 7);
    apply(map, eraseRect(map, TileRect{0, 0, 3, 1}, layerBit(2)));
    EXPECT_EQ(map.at(2, 0, 0), 0x40);
    // Erasing the upper and overlay layers leaves the empty tile 255.
    map.at(1, 0, 0) = map.at(3, 0, 0) = 3;
    apply(map, eraseRect(map, TileRect{0, 0, 1, 1}, kAllLayers));
    EXPECT_EQ(layerRows(map, 1)[0] + layerRows(map, 3)[0], "------");
}

TEST(TileEditsTest, PasteClipsToTheMapAndChangesOnlyCopiedLayers) {
    TileMap map = groundMap(kStart);
    map.at(1, 1, 1) = 5;
    const TilePatch clip = capture(map, TileRect{1, 1, 2, 2}, layerBit(0));
    apply(map, placedAt(map, clip, 3, 3));
    EXPECT_EQ(layerRows(map, 0), (std::vector<std::string>{"1111", "1221", "1121", "3332"}));
    EXPECT_EQ(map.at(1, 3, 3), 0xFF);  // the upper layer was not copied
}

TEST(TileEditsTest, ResizeKeepsTheMapAtItsAnchor) {
    struct Case {
        Anchor anchor;
        int width, height;
        std::vector<std::string> ground;
    };
    const Case cases[] = {
        {Anchor::TopLeft, 4, 3, {"1200", "3400", "0000"}},
        {Anchor::Centre, 4, 4, {"0000", "0120", "0340", "0000"}},
        {Anchor::BottomRight, 3, 3, {"000", "012", "034"}},
        {Anchor::Right, 3, 2, {"012", "034"}},
        {Anchor::Bottom, 2, 3, {"00", "12", "34"}},
        {Anchor::TopLeft, 1, 1, {"1"}},
        {Anchor::BottomRight, 1, 1, {"4"}},
        {Anchor::Centre, 1, 2, {"1", "3"}},
    };
    for (const Case& c : cases) {
        const TileMap out = resized(groundMap({"12", "34"}), c.width, c.height, c.anchor);
        EXPECT_EQ(layerRows(out, 0), c.ground) << "anchor " << static_cast<int>(c.anchor);
        EXPECT_EQ(layerRows(out, 1)[0], std::string(static_cast<std::size_t>(c.width), '-'));
    }
}

}  // namespace
