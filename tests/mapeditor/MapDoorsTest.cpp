// Doors beside a map: the text form, the file of a source folder or a built game, the marks that
// have neither a door nor a label in the start script.
#include <gtest/gtest.h>

#include "common/WholeFile.h"
#include "engine/platform/headless/EngineHarness.h"
#include "mapeditor/core/MapDoors.h"

namespace {

using namespace tessel;
namespace fs = std::filesystem;

const std::vector<Door> kDoors = {{3, "forest", 10, 4, 0, 8}, {7, "cave", 0, 65535, 3, 0}};

TEST(MapDoorsTest, SavedAsTextInASourceFolderAsTheTableInABuiltGameDamagedLeftAlone) {
    EngineHarness h;
    const fs::path map = h.gameDir / "Mt" / "town.qd";
    fs::create_directories(map.parent_path());
    for (bool source : {true, false}) {
        DoorFile file = readDoorFile(map, source);
        EXPECT_TRUE(file.doors.empty() && file.problem.empty());
        file.doors = kDoors;
        ASSERT_EQ(writeDoorFile(file, map, source, false), "");
        const fs::path written = h.gameDir / "Mt" / (source ? "town.doors" : "town.dr");
        EXPECT_TRUE(fs::exists(written));
        EXPECT_EQ(readDoorFile(map, source).doors, kDoors);
        fs::remove(written);
    }
    h.WriteFile("Mt\\town.dr", std::vector<std::uint8_t>{'Q', 'D', 'R', '1', 1, 0});
    DoorFile damaged = readDoorFile(map, true);
    EXPECT_NE(damaged.problem.find("town.dr cannot be read"), std::string::npos);
    damaged.doors = kDoors;
    EXPECT_EQ(writeDoorFile(damaged, map, true, false), "");
    EXPECT_EQ(kit::readWholeFile(h.gameDir / "Mt" / "town.dr")->size(), 6u) << "not saved over";
}

TEST(MapDoorsTest, MarksWithNeitherDoorNorLabelAreFlagged) {
    EngineHarness h;
    h.WriteFile("ev\\START.src", std::string("jPLC12\nPLC0:\nPLC4:\n#PLC5x\n"));
    h.WriteFile("ev\\START.sc", std::string("\x01PLC1\x00", 6));
    const std::set<int> labels = scriptEventLabels(GameFolder{h.gameDir});
    EXPECT_EQ(labels, (std::set<int>{0, 1, 4, 12}));
    TileMap map = TileMap::blank(0, 4, 1);
    map.at(2, 0, 0) = 1;     // PLC0
    map.at(2, 1, 0) = 0x43;  // mark 3, a door
    map.at(2, 2, 0) = 6;     // nothing: flagged
    std::vector<std::pair<int, bool>> seen;
    for (const MarkUse& m : marksOf(map, kDoors, labels)) seen.emplace_back(m.mark, m.dangling());
    EXPECT_EQ(seen,
              (std::vector<std::pair<int, bool>>{{1, false}, {3, false}, {6, true}, {7, false}}));
}

}  // namespace
