// Doors: the door table file, and walks through doors with the map trace and a save between.
#include <gtest/gtest.h>

#include "engine/field/DoorTable.h"
#include "engine/field/Doors.h"
#include "engine/platform/Options.h"
#include "engine/save/SaveFile.h"
#include "engine/save/SaveSnapshot.h"
#include "engine/title/DebugStart.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

using gamedir::MapSpec;

std::vector<std::uint8_t> Corrupt(std::vector<std::uint8_t> bytes, std::size_t at,
                                  std::uint8_t value) {
    bytes.at(at) = value;
    return bytes;
}

TEST(DoorTableTest, ReadsWhatItWroteAndRefusesDamage) {
    const std::vector<Door> doors = {{1, "cave", 3, 4, 2, 8}, {63, "town", 65535, 0, 0, 0}};
    const std::vector<std::uint8_t> good = WriteDoorTable(doors);
    ASSERT_EQ(good.size(), kDoorHeaderBytes + 2 * kDoorRecordBytes);
    EXPECT_EQ(std::get<std::vector<Door>>(ParseDoorTable(good)), doors);
    EXPECT_TRUE(std::get<std::vector<Door>>(ParseDoorTable(WriteDoorTable({}))).empty());

    const std::vector<std::uint8_t> truncated(good.begin(), good.end() - 1);
    std::vector<std::uint8_t> longName = good;
    std::fill_n(longName.begin() + 14, kDoorNameBytes, 'x');
    const struct {
        std::vector<std::uint8_t> bytes;
        const char* says;
    } refused[] = {
        {std::vector<std::uint8_t>(3, 'Q'), "not a door table"},
        {Corrupt(good, 0, 'X'), "not a door table"},
        {truncated, "2 doors announced in 85 bytes"},
        {Corrupt(good, 4, 3), "3 doors announced"},
        {Corrupt(good, 6, 0), "door 1: mark must be 1 to 63"},
        {Corrupt(good, 46, 64), "door 2: mark must be 1 to 63"},
        {Corrupt(good, 46, 1), "a second door on mark 1"},
        {Corrupt(good, 7, 4), "facing"},
        {Corrupt(good, 8, 33), "fade"},
        {Corrupt(good, 9, 1), "reserved"},
        {Corrupt(good, 14, 0), "no destination map"},
        {longName, "not terminated"},
    };
    for (const auto& c : refused) {
        const auto table = ParseDoorTable(c.bytes);
        ASSERT_TRUE(std::holds_alternative<DoorTableError>(table)) << c.says;
        EXPECT_NE(std::get<DoorTableError>(table).message.find(c.says), std::string::npos)
            << std::get<DoorTableError>(table).message;
    }
}

// Three maps in a row: town's mark 1 leads to cave, cave's mark 1 back to town and its mark 2 on
// to deep, deep's mark 1 back to cave. Mark 5 of town has no door and runs PLC4.
struct DoorWalk : ::testing::Test {
    EngineHarness h;
    Engine& e = h.engine;

    void SetUp() override {
        gamedir::WriteTileSet(h, 0);
        MapSpec town(20, 20, 1), cave(20, 20, 2), deep(20, 20, 3);
        town.At(2, 5, 4) = 1;
        town.At(2, 3, 4) = 5;
        cave.At(2, 10, 10) = 1;
        cave.At(2, 12, 10) = 2;
        deep.At(2, 2, 2) = 1;
        gamedir::WriteMap(h, "town", town);
        gamedir::WriteMap(h, "cave", cave);
        gamedir::WriteMap(h, "deep", deep);
        h.WriteFile("Mt\\town.dr", WriteDoorTable({{1, "cave", 10, 9, 0, 8}}));
        h.WriteFile("Mt\\cave.dr",
                    WriteDoorTable({{1, "town", 5, 5, 0, 4}, {2, "deep", 3, 2, 3, 0}}));
        h.WriteFile("Mt\\deep.dr", WriteDoorTable({{1, "cave", 11, 10, 1, 16}}));
        gamedir::WriteCharacterPicture(h, "hero");
        InitField(e);
        ASSERT_TRUE(EnterMap(e, "town"));
        CreateActors(e, 6);
        SetActorPicture(e, 0, "hero");
        SetActorPicture(e, 5, "hero");  // someone who lives in town
        Place(0, 4, 4);
        Place(5, 8, 8);
        e.Field.playerControl = 1;
        e.SceneProc = FieldScene;
        e.ModeProc = PlayerControl;
    }
    void Place(int i, int column, int row) {
        e.Actors[static_cast<std::size_t>(i)].x = TileToX(column);
        e.Actors[static_cast<std::size_t>(i)].y = TileToY(row);
    }
    std::pair<int, int> Leader() const {
        return {(e.Actors[0].x - 8) / 16, (e.Actors[0].y - 226) / 16};
    }
    // Holds `key` until the leader sets off, then waits until the player has control again.
    void Walk(const char* key) {
        const auto next = e.FrameNumber + 1;
        h.SetKeys(std::to_string(next) + " " + key + "\n");
        for (int i = 0; i < 50 && e.ModeProc == PlayerControl && !e.Field.movers[0].Walking(); ++i)
            h.RunFrames(1);
        h.SetKeys("1\n");
        for (int i = 0; i < 200 && (e.ModeProc != PlayerControl || e.Field.movers[0].Walking());
             ++i)
            h.RunFrames(1);
    }
    std::vector<std::string> Maps() const {
        std::vector<std::string> maps;
        for (const std::string& line : h.Trace())
            if (line.find(" map ") != std::string::npos)
                maps.push_back(line.substr(line.find(' ') + 1));
        return maps;
    }
};

TEST_F(DoorWalk, ThroughTwoDoorsAndBackWithASaveTakenOnTheFarSide) {
    Walk("right");  // onto town's door
    EXPECT_EQ(e.Field.mapName, "cave");
    EXPECT_EQ(Leader(), std::make_pair(10, 9));
    EXPECT_EQ(e.Actors[5].level, 0) << "the townsman stays in town";
    EXPECT_EQ(e.Field.camX, 16 * 10 + 8 - 120);
    Walk("right");  // (11, 9): no mark
    Walk("down");   // (11, 10)
    Walk("right");  // (12, 10): mark 2, a cut to deep
    EXPECT_EQ(e.Field.mapName, "deep");
    EXPECT_EQ(Leader(), std::make_pair(3, 2));
    EXPECT_EQ(e.Actors[0].facing, 3);

    // The save goes through its file bytes, as a saved game does.
    const auto saved =
        save::DecodeSave(save::EncodeSave(CaptureGame(e, save::Mode::PlayerControl, 0)));
    ASSERT_TRUE(saved);
    Walk("left");  // (2, 2): back to cave
    EXPECT_EQ(Leader(), std::make_pair(11, 10));
    Walk("left");  // (10, 10): back to town
    EXPECT_EQ(e.Field.mapName, "town");
    EXPECT_EQ(Leader(), std::make_pair(5, 5));
    EXPECT_EQ(Maps(), (std::vector<std::string>{"map town", "map cave", "map deep", "map cave",
                                                "map town"}));

    RestoreGame(e, *saved);
    e.ModeProc = PlayerControl;
    EXPECT_EQ(e.Field.mapName, "deep");
    Walk("left");  // deep's door works after the load
    EXPECT_EQ(e.Field.mapName, "cave");
    EXPECT_EQ(Leader(), std::make_pair(11, 10));
}

TEST_F(DoorWalk, AMarkWithoutADoorRunsItsLabelAndADamagedTableIsReported) {
    gamedir::LoadSource(e.Scripts.GlobalScript, "# @PLC4// c0;0;7;= #");
    Walk("left");  // (3, 4): mark 5
    EXPECT_EQ(e.Scripts.GlobalScript.variables[0], 7);
    EXPECT_EQ(e.Field.mapName, "town");

    h.WriteFile("Mt\\cave.dr", std::string("QDR1\x01\x00", 6));
    EXPECT_TRUE(EnterMap(e, "cave"));
    EXPECT_TRUE(e.Field.doors.empty());
    EXPECT_NE(gamedir::Boxes(h).back().find("Door table Mt\\\\cave.dr: damaged"), std::string::npos)
        << gamedir::Boxes(h).back();
}

TEST_F(DoorWalk, ADebugStartRunsTheStartScriptThenPlacesThePartyOnTheChosenCell) {
    gamedir::WriteScript(h, "ev\\START",
                         "c0;0;6;=f11;c4;=$town//f13;c0;0;2;=c0;1;2;=c0;3;0;=f5;f0;"
                         "@IDLE//#c2;1;$IDLE//");
    e.Title.debugStart = {"cave", 12, 3};
    e.SceneProc = StartAtPlace;
    e.SpareProc = IdleProc;
    h.RunFrames(3);
    EXPECT_EQ(e.ModeProc, PlayerControl);
    EXPECT_EQ(e.Field.mapName, "cave");
    EXPECT_EQ(Leader(), std::make_pair(12, 3));
    EXPECT_EQ(Maps(), (std::vector<std::string>{"map town", "map town", "map cave"}));
    Walk("down");  // the doors of the map started on work
    Walk("down");
    Walk("down");
    Walk("down");
    Walk("down");
    Walk("down");
    Walk("down");
    EXPECT_EQ(e.Field.mapName, "deep");
}

TEST(DebugStartOptions, GoTogetherAndTakeACell) {
    const struct {
        std::vector<std::string> args;
        const char* error;  // empty when accepted
    } cases[] = {
        {{"--start-map", "cave", "--at", "12,3"}, ""},
        {{"--start-map", "cave"}, "--start-map and --at go together"},
        {{"--at", "1,2"}, "--start-map and --at go together"},
        {{"--start-map", "", "--at", "1,2"}, "needs a map name"},
        {{"--start-map", "cave", "--at", "12"}, "--at needs COLUMN,ROW"},
        {{"--start-map", "cave", "--at", "-1,2"}, "--at needs COLUMN,ROW"},
        {{"--start-map", "cave", "--at", "1,65536"}, "--at needs COLUMN,ROW"},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto options = ParseOptions(c.args, error);
        EXPECT_EQ(options.has_value(), *c.error == '\0') << c.error;
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
    std::string error;
    const auto options = ParseOptions({"--start-map", "cave", "--at", "12,3"}, error);
    EXPECT_EQ(options->startMap, "cave");
    EXPECT_EQ(std::make_pair(options->startColumn, options->startRow), std::make_pair(12, 3));
}

}  // namespace
