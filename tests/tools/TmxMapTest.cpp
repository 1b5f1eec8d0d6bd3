// Maps from Tiled: a .tmx written from each sample map builds to the bytes of its .map source,
// and what the kit cannot carry is refused by name.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/field/MapFile.h"
#include "tools/mapmake/MapText.h"
#include "tools/mapmake/TmxMap.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// A Tiled map as Tiled saves it: the kit's sheet as the one tile set, three CSV tile layers and
// the marks as objects named by their number.
std::string WriteTmx(const MapData& map) {
    const std::size_t cells = static_cast<std::size_t>(map.width) * map.height;
    std::ostringstream x;
    x << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map version=\"1.10\" "
         "orientation=\"orthogonal\" "
         "renderorder=\"right-down\" width=\""
      << map.width << "\" height=\"" << map.height
      << "\" tilewidth=\"16\" tileheight=\"16\" infinite=\"0\">\n"
      << " <tileset firstgid=\"1\" name=\"village tiles\" tilewidth=\"16\" tileheight=\"16\" "
         "tilecount=\"256\" columns=\"16\">\n  <image source=\"../Smt/map"
      << map.tileSet << ".png\" width=\"256\" height=\"256\"/>\n </tileset>\n";
    const char* names[] = {"Ground", "Upper", nullptr, "Overlay"};
    for (int layer : {0, 1, 3}) {
        x << " <layer name=\"" << names[layer] << "\" width=\"" << map.width << "\" height=\""
          << map.height << "\">\n  <data encoding=\"csv\">\n";
        for (std::size_t c = 0; c < cells; ++c) {
            const int tile = map.layers[layer * cells + c];
            x << (tile == tools::kEmptyTile ? 0 : tile + 1) << (c + 1 < cells ? "," : "");
            if ((c + 1) % map.width == 0) x << "\n";
        }
        x << "  </data>\n </layer>\n";
    }
    x << " <objectgroup name=\"Marks\">\n";
    for (std::size_t c = 0; c < cells; ++c)
        if (const int mark = map.layers[2 * cells + c])
            x << "  <object name=\"" << mark << "\" x=\"" << 16 * (c % map.width) << "\" y=\""
              << 16 * (c / map.width) << "\" width=\"16\" height=\"16\"/>\n";
    x << " </objectgroup>\n</map>\n";
    return x.str();
}

TEST(TmxMap, EachSampleMapBuildsToTheBytesOfItsTextSource) {
    int maps = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(KIT_SOURCE_DIR) / "sample/Mt")) {
        if (entry.path().extension() != ".map") continue;
        ++maps;
        std::vector<std::uint8_t> expected, built;
        ASSERT_EQ(tools::makeMap(ReadText(entry.path()), expected), "") << entry.path();
        const std::string tmx = WriteTmx(*ParseMapFile(expected));
        EXPECT_EQ(tools::makeMapFromTmx(tmx, built), "") << entry.path();
        EXPECT_EQ(built, expected) << entry.path();
    }
    EXPECT_GE(maps, 3);
}

TEST(TmxMap, NamesWhatCannotBeCarried) {
    MapData small{
        0, 2, 2, {0, 1, 2, 3, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 5, 0, 0xFF, 0xFF, 0xFF, 0xFF}};
    const std::string good = WriteTmx(small);
    tools::TmxMap read;
    ASSERT_EQ(tools::readTmx(good, read), "");
    EXPECT_EQ(read.map.layers, small.layers);
    EXPECT_FALSE(read.attributes);

    auto edit = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::string secondSet = edit(" <layer",
                                       " <tileset firstgid=\"300\" name=\"map1\" tilewidth=\"16\" "
                                       "tileheight=\"16\" columns=\"16\"/>\n <layer");
    // The `blocks` tile property is the tile set's attributes, whatever tiles the map uses.
    const auto blocksOn = [&](const char* id, const char* value) {
        return edit("</tileset>", std::string("<tile id=\"") + id +
                                      "\"><properties><property name=\"blocks\" type=\"bool\" "
                                      "value=\"" +
                                      value + "\"/></properties></tile></tileset>");
    };
    std::vector<std::uint8_t> attributes, expected(256, 0);
    ASSERT_EQ(tools::makeAttributesFromTmx(blocksOn("3", "false"), attributes), "");
    EXPECT_EQ(attributes, expected);
    ASSERT_EQ(tools::makeAttributesFromTmx(blocksOn("200", "true"), attributes), "");
    expected[TileAttributeOffset(200)] = 0x20;
    EXPECT_EQ(attributes, expected);
    EXPECT_EQ(tools::firstBlockingDifference(attributes, expected), -1);
    EXPECT_EQ(tools::firstBlockingDifference(attributes, std::vector<std::uint8_t>(255, 0)), 200);
    EXPECT_EQ(tools::firstBlockingDifference(attributes, std::vector<std::uint8_t>(255, 0x20)), 0);
    EXPECT_NE(tools::makeAttributesFromTmx(good, attributes).find("no tile"), std::string::npos);

    const struct {
        std::string xml;
        const char* says;
    } refused[] = {
        {secondSet, "a second tile set"},
        {edit("1,2,\n", "1,257,\n"), "tile id 256 at (1, 0) is beyond the sheet"},
        {edit("1,2,\n", "1,2147483650,\n"), "a flipped or rotated tile at (1, 0)"},
        {edit("width=\"2\" height=\"2\" tilewidth", "width=\"5000\" height=\"5000\" tilewidth"),
         "over the size limit"},
        {edit("orthogonal", "isometric"), "a isometric map"},
        {edit("../Smt/map0.png", "grass.png"), "is not one of the kit's sheets"},
        {edit("x=\"0\" y=\"16\"", "x=\"4\" y=\"16\""), "not on a grid cell"},
        {edit("name=\"5\"", "name=\"door\""), "integer property 'mark'"},
        {edit("name=\"5\"", "name=\"64\""), "mark 64 is not 1 to 63"},
        {edit("1,2,\n", "1,\n"), "does not hold one tile a cell"},
        {edit("</map>", ""), "line "},
        {blocksOn("256", "true"), "tile 256 has 'blocks' but lies beyond the sheet"},
        {blocksOn("3", "yes"), "tile 3: 'blocks' is 'yes'; make it a bool property"},
    };
    for (const auto& c : refused) {
        const std::string why = tools::readTmx(c.xml, read);
        EXPECT_NE(why.find(c.says), std::string::npos) << c.says << " -> " << why;
    }
}

}  // namespace
