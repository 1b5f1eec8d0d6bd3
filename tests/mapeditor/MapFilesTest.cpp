// Map and attribute files as the editor opens and saves them, and the command line.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/WholeFile.h"
#include "engine/field/MapFile.h"
#include "engine/platform/headless/EngineHarness.h"
#include "mapeditor/core/CommandLine.h"
#include "mapeditor/core/MapDocument.h"
#include "tests/engine/field/GameDirKit.h"
#include "tools/mapmake/MapText.h"

namespace {

using namespace tessel;
namespace fs = std::filesystem;

const fs::path kSample = SAMPLE_GAME_DIR;

std::vector<std::uint8_t> bytesOf(const fs::path& path) {
    return kit::readWholeFile(path).value_or(std::vector<std::uint8_t>{});
}

// A copy of the sample's maps and tile set in a temporary game directory.
struct SampleCopy {
    EngineHarness h;
    SampleCopy() {
        for (const char* dir : {"Mt", "Smt"})
            fs::copy(kSample / dir, h.gameDir / dir, fs::copy_options::recursive);
    }
};

int run(std::vector<std::string> args, std::string* message = nullptr) {
    std::ostringstream err;
    const int status = runCommandLine(args, err).value_or(-1);
    if (message) *message = err.str();
    return status;
}

// Each sample map saves back byte for byte, and survives the text form.
TEST(MapFilesTest, SampleMapsSaveBackByteForByte) {
    SampleCopy game;
    const auto names = GameFolder{game.h.gameDir}.mapNames();
    ASSERT_EQ(names, (std::vector<std::string>{"NO", "forest", "village"}));
    for (const std::string& name : names) {
        const fs::path file = GameFolder{game.h.gameDir}.mapPath(name);
        const auto original = bytesOf(file);
        OpenResult opened = openMap(file, game.h.gameDir);
        ASSERT_TRUE(opened.document) << name;
        EXPECT_EQ(opened.message, "") << name;
        EXPECT_EQ(saveMap(*opened.document, file), "");
        EXPECT_EQ(bytesOf(file), original) << name;
        EXPECT_EQ(bytesOf(game.h.gameDir / "Smt" / "sMat0.qd"), bytesOf(kSample / "Smt/sMat0.qd"));
        const std::string text = (game.h.gameDir / "map.txt").string();
        const std::string back = (game.h.gameDir / "back.qd").string();
        ASSERT_EQ(run({"--to-text", file.string(), text}), 0) << name;
        ASSERT_EQ(run({"--from-text", text, back}), 0) << name;
        EXPECT_EQ(bytesOf(back), original) << name;
    }
}

// In a source folder each file keeps its form: a text map is never written over, attribute text
// stays text with its comments. A built game opens on the map its start script names first.
TEST(MapFilesTest, SourceFolderFilesKeepTheirForm) {
    EngineHarness h;
    for (const char* file : {"Mt/village.map", "Smt/sMat0.attr"}) {
        fs::create_directories((h.gameDir / file).parent_path());
        fs::copy_file(fs::path(SAMPLE_SOURCE_DIR) / file, h.gameDir / file);
    }
    const fs::path text = h.gameDir / "Mt/village.map";
    const auto original = bytesOf(text);
    OpenResult opened = openMap(text, h.gameDir);
    ASSERT_TRUE(opened.document) << opened.message;
    MapDocument& document = *opened.document;
    EXPECT_EQ(document.map, readTileMap(bytesOf(kSample / "Mt/village.qd")).map);
    EXPECT_NE(saveMap(document, text), "");
    EXPECT_EQ(bytesOf(text), original);

    document.attributes.setBlocks(5, true);
    ASSERT_EQ(saveMap(document, h.gameDir / "Mt/village.qd"), "");
    EXPECT_NE(textTwinNote(h.gameDir / "Mt/village.qd"), "");
    const auto attributes = bytesOf(h.gameDir / "Smt/sMat0.attr");
    const std::string attributeText(attributes.begin(), attributes.end());
    EXPECT_TRUE(attributeText.starts_with("# Tiles of sheet 0")) << attributeText;
    std::vector<std::uint8_t> read;
    ASSERT_EQ(tools::makeAttributes(attributeText, read), "");
    EXPECT_EQ(read, document.attributes.bytes);
    EXPECT_TRUE(readTileAttributes(read).blocks(5));

    EXPECT_EQ(GameFolder{kSample}.firstMap(), "village");
    // A source folder whose start script is in the readable form names its map in quotes.
    const fs::path readable = h.gameDir / "readable";
    fs::create_directories(readable / "Mt");
    fs::create_directories(readable / "ev");
    for (const char* file : {"Mt/a.map", "Mt/b.map", "ev/START.script"})
        std::ofstream(readable / file) << "map \"b\"\n";
    EXPECT_TRUE(GameFolder{readable}.isSource());
    EXPECT_EQ(GameFolder{readable}.firstMap(), "b");
}

TEST(MapFilesTest, DamagedMapsReadAsTheGameReadsThem) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        MapReadStatus status;
        std::size_t missing;
        std::size_t savedSize;  // 0: cannot be opened
    };
    using enum MapReadStatus;
    const Case cases[] = {
        {"whole", {7, 2, 0, 1, 0, 1, 2, 3, 4, 5, 6, 7, 8}, Complete, 0, 13},
        {"bytes after the layers are kept", {7, 1, 0, 1, 0, 1, 2, 3, 4, 9, 9}, Complete, 0, 11},
        {"three bytes missing", {7, 2, 0, 1, 0, 1, 2, 3, 4, 5}, Short, 3, 13},
        {"header cut after the tile set", {7}, TooLarge, 0, 0},
        {"header cut inside the height: too tall to draw", {7, 1, 0, 1}, TooWide, 0, 0},
        {"too wide to draw", {0, 0x01, 0x04, 1, 0}, TooWide, 0, 0},
    };
    for (const Case& c : cases) {
        const MapRead read = readTileMap(c.bytes);
        EXPECT_EQ(read.status, c.status) << c.name;
        EXPECT_EQ(read.missingBytes, c.missing) << c.name;
        EXPECT_EQ(read.map.has_value(), c.savedSize > 0) << c.name;
        EXPECT_EQ(describeMapRead(read).empty(), c.status == Complete) << c.name;
        if (!read.map) continue;
        const auto saved = writeTileMap(*read.map);
        EXPECT_EQ(saved.size(), c.savedSize) << c.name;
        const std::size_t kept = std::min(c.bytes.size(), saved.size());
        EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + kept, c.bytes.begin())) << c.name;
        EXPECT_TRUE(
            std::all_of(saved.begin() + kept, saved.end(), [](auto b) { return b == 0xFF; }))
            << c.name << ": the missing bytes as the game reads them";
    }
}

TEST(MapFilesTest, AttributeEditsOfEveryTileSetAreSaved) {
    EngineHarness h;
    gamedir::WriteTileSet(h, 0, {0x11});
    gamedir::WriteTileSet(h, 1);
    h.WriteFile("Smt\\sMat2.qd", std::vector<std::uint8_t>(200, 0));  // damaged: 56 bytes short
    MapDocument doc = newMap(h.gameDir, 0, 3, 3);
    EXPECT_TRUE(doc.attributes.blocks(0x11));
    doc.attributes.setBlocks(0x12, true);
    doc.map.tileSet = 1;  // another set before saving: set 0's edit must not be lost
    loadTileSet(doc);
    doc.attributes.setBlocks(0x01, true);
    doc.map.tileSet = 2;
    loadTileSet(doc);
    EXPECT_NE(doc.sheetProblem.find("56 bytes are missing"), std::string::npos) << doc.sheetProblem;
    EXPECT_TRUE(doc.attributes.blocks(0xFF)) << "missing attribute bytes read as 0xFF";
    ASSERT_EQ(saveMap(doc, h.gameDir / "Mt" / "new.qd"), "");
    const auto set0 = ParseTileAttributes(bytesOf(h.gameDir / "Smt" / "sMat0.qd"));
    const auto set1 = ParseTileAttributes(bytesOf(h.gameDir / "Smt" / "sMat1.qd"));
    EXPECT_EQ(set0[0x11], 0x20);
    EXPECT_EQ(set0[0x12], 0x20);
    EXPECT_EQ(set1[0x01], 0x20);
    EXPECT_EQ(bytesOf(h.gameDir / "Smt" / "sMat2.qd").size(), 200u) << "unchanged: not written";
}

TEST(CommandLineTest, ExitStatusesAndMessages) {
    EngineHarness h;
    gamedir::WriteTileSet(h, 0, {0x10, 0x21});
    h.WriteFile("MT\\Town.QD", gamedir::MapSpec(3, 2, 1).Bytes());
    h.WriteFile("MT\\cut.qd", std::vector<std::uint8_t>{0, 3, 0, 2, 0, 1});
    h.WriteFile("MT\\set9.qd", std::vector<std::uint8_t>{9, 1, 0, 1, 0, 1, 1, 1, 1});
    const std::string dir = h.gameDir.string(), png = (h.gameDir / "out.png").string();
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"--render", "town", png, "--game-dir", dir}, 0, ""},
        {{"--render", (h.gameDir / "MT" / "Town.QD").string(), png, "--layers", "ground,3"}, 0, ""},
        {{"--render", "cut", png, "--game-dir", dir}, 1, "23 bytes are missing"},
        {{"--render", "set9", png, "--game-dir", dir}, 1, "map9.qdg"},
        {{"--render", "nowhere", png, "--game-dir", dir}, 1, "cannot read"},
        {{"--render", "town", png, "--layers", "0,4"}, 2, "usage"},
        {{"--render", "town"}, 2, "usage"},
        {{"--render", "town", png, "--scale", "2"}, 2, "usage"},
        {{"--to-text", "a"}, 2, "usage"},
        {{"--from-text", (h.gameDir / "nothing.txt").string(), png}, 1, "cannot read"},
        {{"--to-text", (h.gameDir / "MT" / "set9.qd").string(), dir}, 1, "cannot write"},
        {{"--to-text", (h.gameDir / "Smt" / "sMat0.qd").string(), png}, 1, "tile-attribute file"},
        {{"--bogus"}, 2, "usage"},
        {{"a", "b"}, 2, "usage"},
    };
    for (const Case& c : cases) {
        std::string message;
        EXPECT_EQ(run(c.args, &message), c.status)
            << c.args[0] << " " << c.args[1] << ": " << message;
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
    }
    EXPECT_EQ(run({}), -1) << "no arguments: the window";
    EXPECT_EQ(run({dir}), -1) << "a game directory: the window";
    // The damaged map is still drawn as the game reads it: the PNG holds the whole map, 16 pixels
    // a tile, width 48 and height 32 in its header.
    const auto bytes = bytesOf(png);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 16, bytes.begin() + 24),
              (std::vector<std::uint8_t>{0, 0, 0, 48, 0, 0, 0, 32}));
}

TEST(CommandLineTest, MapsTheTextFormCannotHoldAreRefused) {
    EngineHarness h;
    gamedir::MapSpec highMark(2, 1, 0);
    highMark.At(2, 1, 0) = 0x41;
    gamedir::MapSpec manyCells(100, 1, 0);
    for (int c = 0; c < 100; ++c) manyCells.At(0, c, 0) = static_cast<std::uint8_t>(c);
    h.WriteFile("high.qd", highMark.Bytes());
    h.WriteFile("many.qd", manyCells.Bytes());
    h.WriteFile("empty.qd", gamedir::MapSpec(0, 4, 0).Bytes());
    for (const char* name : {"high.qd", "many.qd", "empty.qd"}) {
        std::string message;
        EXPECT_EQ(run({"--to-text", (h.gameDir / name).string(), (h.gameDir / "t.txt").string()},
                      &message),
                  1)
            << name;
        EXPECT_FALSE(fs::exists(h.gameDir / "t.txt")) << name << ": " << message;
    }
}

}  // namespace

// --from-tmx writes the tiles' `blocks` into the attribute file Tessel reads for the map; an
// attribute file that says otherwise stops it before anything is written.
TEST(CommandLineTest, FromTmxCarriesBlocksIntoTheTileSetsAttributes) {
    EngineHarness h;
    const auto tmx = [](const char* blocking) {
        return std::string(
                   "<map orientation=\"orthogonal\" width=\"1\" height=\"1\" "
                   "tilewidth=\"16\" tileheight=\"16\" infinite=\"0\"><tileset "
                   "firstgid=\"1\" name=\"map2\" tilewidth=\"16\" tileheight=\"16\" "
                   "columns=\"16\"><tile id=\"") +
               blocking +
               "\"><properties><property name=\"blocks\" type=\"bool\" value=\"true\"/>"
               "</properties></tile></tileset><layer name=\"Ground\" width=\"1\" "
               "height=\"1\"><data encoding=\"csv\">1</data></layer></map>";
    };
    h.WriteFile("a.tmx", tmx("17"));
    h.WriteFile("b.tmx", tmx("18"));
    const std::string in = (h.gameDir / "a.tmx").string(), other = (h.gameDir / "b.tmx").string();
    const fs::path attributes = h.gameDir / "Smt" / "sMat2.qd";
    std::string message;
    ASSERT_EQ(run({"--from-tmx", in, (h.gameDir / "Mt" / "a.qd").string()}, &message), 0)
        << message;
    std::vector<std::uint8_t> expected(256, 0);
    expected[TileAttributeOffset(17)] = 0x20;
    EXPECT_EQ(bytesOf(attributes), expected);
    // The same blocks again keep the file; other blocks are refused and write no map.
    EXPECT_EQ(run({"--from-tmx", in, (h.gameDir / "Mt" / "again.qd").string()}), 0);
    EXPECT_EQ(run({"--from-tmx", other, (h.gameDir / "Mt" / "b.qd").string()}, &message), 1);
    EXPECT_NE(message.find("tile 17 blocks in one and not in the other"), std::string::npos)
        << message;
    EXPECT_FALSE(fs::exists(h.gameDir / "Mt" / "b.qd"));
    EXPECT_EQ(bytesOf(attributes), expected);
}
