// Maps, tile attributes, walking, the hit test, the camera and the drawing of a field frame.
#include <gtest/gtest.h>

#include "engine/field/MapFile.h"
#include "engine/script/ScriptRunner.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

using gamedir::Boxes;
using gamedir::MapSpec;

constexpr int kWall = 0x11;  // tile-set 0 makes this tile block walking

struct FieldTest : ::testing::Test {
    EngineHarness h;
    Engine& e = h.engine;

    void SetUp() override {
        gamedir::WriteTileSet(h, 0, {kWall});
        InitField(e);
        MapSpec map(20, 20, 0x01);
        for (int i = 0; i < 20; ++i) map.At(0, 5, i) = kWall;  // a wall down column 5
        map.At(2, 5, 3) = 3;                                   // a sign on the wall: event 2
        map.At(2, 7, 7) = 0x41;                                // event 0 (high bits ignored)
        gamedir::WriteMap(h, "TOWN", map);
        ASSERT_TRUE(LoadMap(e, "TOWN"));
        CreateActors(e, 6);
        e.FrameMs = 16;
    }
    Actor& A(int i) { return e.Actors[static_cast<std::size_t>(i)]; }
    Mover& M(int i) { return e.Field.movers[static_cast<std::size_t>(i)]; }
    void Place(int i, int column, int row) {
        A(i).x = TileToX(column);
        A(i).y = TileToY(row);
        A(i).level = 32;
    }
    // Runs the field scene until actor i stands still; returns the frames used.
    int WalkToRest(int i, int limit = 200) {
        int frames = 0;
        while (M(i).Walking() && frames < limit) {
            FieldScene(e);
            ++frames;
        }
        return frames;
    }
};

TEST(MapFileTest, MissingBytesReadAs0xFFAndHugeMapsAreRefused) {
    EXPECT_FALSE(ParseMapFile(std::vector<std::uint8_t>{0}));  // width and height read 0xFFFF
    const std::vector<std::uint8_t> bytes = {2, 3, 0, 2, 0, 7, 7, 7};
    const auto map = ParseMapFile(bytes);
    ASSERT_TRUE(map);
    EXPECT_EQ(map->tileSet, 2);
    EXPECT_EQ(map->width, 3);
    EXPECT_EQ(map->height, 2);
    ASSERT_EQ(map->layers.size(), 24u);
    EXPECT_EQ(map->layers[2], 7);
    EXPECT_EQ(map->layers[3], 0xFF);
    EXPECT_EQ(map->layers[23], 0xFF);
}

TEST(MapFileTest, AttributesAreListedColumnByColumn) {
    std::vector<std::uint8_t> bytes(256, 0);
    bytes[0x3 * 16 + 0x2] = 0x20;  // tile 0x23: column 3, row 2
    const auto attributes = ParseTileAttributes(bytes);
    EXPECT_EQ(attributes[0x23], 0x20);
    EXPECT_EQ(attributes[0x32], 0);
    const auto shortFile = ParseTileAttributes(std::vector<std::uint8_t>(16, 0));
    EXPECT_EQ(shortFile[0x00], 0);
    EXPECT_EQ(shortFile[0x01], 0xFF);  // byte 16 is missing
}

TEST_F(FieldTest, LoadingMapsKeepsTheOldOneOnFailureAndRereadsTheTileSet) {
    gamedir::WriteMap(h, "NO", MapSpec(3, 3, 0));
    ASSERT_TRUE(LoadMap(e, "NO"));
    EXPECT_EQ(e.Field.mapName, "TOWN");  // the battle's map is not remembered
    EXPECT_EQ(e.Field.width, 3);
    EXPECT_FALSE(LoadMap(e, "NOWHERE"));
    h.WriteFile("Mt\\HUGE.qd", std::string("\0\xFF\xFF\xFF\xFF", 5));
    EXPECT_FALSE(LoadMap(e, "HUGE"));
    EXPECT_EQ(Boxes(h), (std::vector<std::string>{"エラー発生|Mat file Reading error!",
                                                  "エラー発生|Mat file Reading error!"}));
    EXPECT_EQ(e.Field.layers.size(), 3u * 3 * 4);
    EXPECT_EQ(e.Field.tileAttributes[kWall], 0x20);
    gamedir::WriteTileSet(h, 0, {});
    ASSERT_TRUE(LoadMap(e, "TOWN"));
    EXPECT_EQ(e.Field.tileAttributes[kWall], 0);
    std::filesystem::remove(h.gameDir / "Smt" / "sMat0.qd");
    ASSERT_TRUE(LoadMap(e, "TOWN"));
    EXPECT_EQ(Boxes(h).back(), "エラー発生|SMat file Reading error!");
}

TEST_F(FieldTest, BlockedStepsTurnOnlyUnderPlayerControlAndTheMapsEdgesBlock) {
    const struct {
        int column, row, dx, dy, playerControl, result, facing;
    } cases[] = {
        {4, 3, 1, 0, 0, 1, 0},   // a script's step into the wall keeps the facing
        {4, 4, 1, 0, 1, 1, 3},   // the player's turns the walker
        {0, 0, -1, 0, 0, 1, 0},  // off the map on every side
        {0, 0, 0, -1, 0, 1, 0},  {19, 19, 1, 0, 0, 1, 0},
        {19, 19, 0, 1, 0, 1, 0}, {19, 19, -1, 0, 0, 0, 1},
    };
    for (const auto& c : cases) {
        Place(1, c.column, c.row);
        A(1).facing = 0;
        M(1).stepX = M(1).stepY = 0;
        e.Field.playerControl = c.playerControl;
        EXPECT_EQ(Step(e, 1, c.dx, c.dy), c.result) << c.column << "," << c.dx << "," << c.dy;
        EXPECT_EQ(A(1).facing, c.facing) << c.column << "," << c.dx << "," << c.dy;
        EXPECT_EQ(M(1).Walking(), c.result == 0);
    }
}

TEST_F(FieldTest, MarkOnABlockingTileFiresWhenTheLeaderWalksIntoItAndAMissingLabelIsReported) {
    gamedir::LoadSource(e.Scripts.GlobalScript, "c0;0;1;= # @PLC1// c0;0;5;= # @PLC2// c0;0;7;= #");
    RunGlobalScript(e);
    e.Field.playerControl = 1;
    e.Field.events[5]->active = 1;
    Place(0, 4, 3);
    EXPECT_EQ(Step(e, 0, 1, 0), 1);
    EXPECT_EQ(e.Scripts.GlobalScript.variables[0], 7);
    EXPECT_EQ(e.ModeProc, ScriptMode);
    EXPECT_EQ(e.Field.events[5]->active, 0);  // saved and cleared for the event
    EXPECT_EQ(e.Field.events[5]->savedActive, 1);
    // A mark without its label is reported, and walking goes on.
    gamedir::LoadSource(e.Scripts.GlobalScript, "#");
    e.ModeProc = PlayerControl;
    Place(0, 6, 7);
    EXPECT_EQ(Step(e, 0, 1, 0), 0);
    EXPECT_NE(Boxes(h).back().find("PLC0"), std::string::npos);
    EXPECT_NE(e.ModeProc, ScriptMode);
}

TEST_F(FieldTest, WalkersComeToRestWhereTheirStepsMeetATile) {
    // Speed 9 walks a pixel every 60 ms (four frames of 16 ms); 10 and 11 one and two pixels a
    // frame; 12 three pixels a frame, which pass the next tile and meet one again 48 pixels on.
    const struct {
        std::int32_t speed;
        int frames, tiles;
    } cases[] = {{9, 64, 1}, {10, 16, 1}, {11, 8, 1}, {12, 16, 3}};
    for (const auto& c : cases) {
        Place(1, 1, 1);
        M(1).speed = c.speed;
        ASSERT_EQ(Step(e, 1, 0, 1), 0);
        EXPECT_EQ(WalkToRest(1), c.frames) << c.speed;
        EXPECT_EQ(A(1).y, TileToY(1 + c.tiles)) << c.speed;
        EXPECT_EQ(A(1).walkFrame, 0);
    }
}

TEST_F(FieldTest, ValuesScriptsMayStoreKeepTheFieldDefined) {
    // Positions and speeds come from `f` 3 unchecked; the sanitizer build sees any overflow.
    const std::int32_t extremes[] = {INT32_MIN, INT32_MIN + 5, -20, INT32_MAX - 9, INT32_MAX};
    e.Field.cameraFollow = 1;
    for (const std::int32_t v : extremes) {
        Place(0, 2, 2);
        Place(1, 8, 4);
        M(0).speed = M(1).speed = v;
        ASSERT_EQ(Step(e, 0, 1, 0), 0);
        ASSERT_EQ(Step(e, 1, 0, 1), 0);
        A(0).x = v;  // walking on from the far ends of the int range
        A(1).y = v;
        for (int frame = 0; frame < 4; ++frame) FieldScene(e);
        HitTest(e, 1, 1, 1);
        Place(0, 2, 2);  // the leader steps right; its follower stands at the far end
        M(0).stepX = M(0).stepY = M(1).stepX = M(1).stepY = 0;
        A(1).x = v;
        e.Keys[Key::Right] = KEY_HELD;
        PlayerControl(e);
        A(0).x = v;
        CentreCamera(e);
        EXPECT_EQ(e.Field.camX, v < 0 ? 16 : (20 - 15) * 16) << v;
    }
}

TEST_F(FieldTest, TalkingToACharacterWithoutSpkIsReportedOnce) {
    Place(0, 2, 2);
    Place(5, 2, 3);  // below the leader, who faces down
    gamedir::LoadSource(e.Field.events[5]->script, "@NRM// #c2;1;$NRM//");
    h.SetKeys("1 shift ctrl\n41\n42 right\n");
    e.ModeProc = PlayerControl;
    h.RunFrames(40);
    EXPECT_EQ(M(0).speed, 11);  // Ctrl held walks faster
    EXPECT_EQ(Boxes(h).size(), 1u);
    EXPECT_NE(Boxes(h)[0].find("SPK"), std::string::npos);
    EXPECT_EQ(e.Field.talkPartner, 0);
    EXPECT_EQ(e.Field.events[5]->active, 0);
    h.RunFrames(2);  // an arrow pressed only this frame does not walk; held, it does
    EXPECT_FALSE(M(0).Walking());
    h.RunFrames(1);
    EXPECT_TRUE(M(0).Walking());
}

TEST_F(FieldTest, HitTestLooksAQuarterStepAhead) {
    Place(0, 2, 2);
    Place(5, 3, 2);
    const int probeX = A(0).x + 16;
    A(5).x = probeX + 15;
    EXPECT_EQ(HitTest(e, 0, 1, 0), 5);
    M(5).stepX = 2;  // a quarter of 2 rounds to 1: it has moved out of the way
    EXPECT_EQ(HitTest(e, 0, 1, 0), -1);
    M(5).stepX = -2;  // a quarter of -2 rounds to 0
    EXPECT_EQ(HitTest(e, 0, 1, 0), 5);
    A(5).level = 0;  // hidden actors are never hit
    EXPECT_EQ(HitTest(e, 0, 1, 0), -1);
    A(5).level = 32;
    e.Field.hitTestStart = 6;
    EXPECT_EQ(HitTest(e, 0, 1, 0), -1);
}

TEST_F(FieldTest, CentreCameraKeepsTheOuterRowAndColumnHidden) {
    const struct {
        int column, row, camX, camY;
    } cases[] = {{0, 0, 16, 16},
                 {19, 19, (20 - 15) * 16, 16 * 20 - 210},
                 {10, 10, TileToX(10) - 120, TileToY(10) - 324}};
    for (const auto& c : cases) {
        Place(0, c.column, c.row);
        CentreCamera(e);
        EXPECT_EQ(e.Field.camX, c.camX) << c.column;
        EXPECT_EQ(e.Field.camY, c.camY) << c.column;
    }
}

TEST_F(FieldTest, GroundTilesAreDrawnAtTheirPlaceAndNoneOutsideTheMap) {
    e.Field.camX = 16;
    e.Field.camY = 16;
    FieldScene(e);
    // Tile (1, 1) is at the top-left of the view; tile (5, 2) is a wall.
    EXPECT_EQ(e.Screen.At(0, 210), gamedir::To555(gamedir::TileColour(0x01)));
    EXPECT_EQ(e.Screen.At(16 * 5 - 16 + 3, 16 * 2 - 16 + 210 + 3),
              gamedir::To555(gamedir::TileColour(kWall)));
    gamedir::WriteMap(h, "SMALL", MapSpec(4, 3, 0x01));
    ASSERT_TRUE(LoadMap(e, "SMALL"));
    for (int y = 0; y < 630; ++y) std::fill_n(e.Screen.Row(y), 240, std::uint16_t{0x1234});
    e.Field.camX = e.Field.camY = 0;
    CreateActors(e, 0);
    FieldScene(e);
    EXPECT_EQ(e.Screen.At(63, 210 + 47), gamedir::To555(gamedir::TileColour(0x01)));
    EXPECT_EQ(e.Screen.At(64, 210), 0x1234);
    EXPECT_EQ(e.Screen.At(10, 210 + 48), 0x1234);
}

TEST_F(FieldTest, ActorsAtEqualYKeepTheExchangeSortsOrder) {
    gamedir::WriteCharacterPicture(h, "hero");
    h.WriteFile("pic\\red.qdg", gamedir::MakeBmp(64, 32, [](int, int) { return 0xF80000u; }));
    ASSERT_TRUE(SetActorPicture(e, 0, "hero"));
    ASSERT_TRUE(SetActorPicture(e, 1, "red"));
    Place(0, 3, 3);
    Place(1, 3, 3);
    e.Field.camX = e.Field.camY = 0;
    FieldScene(e);
    const int x = TileToX(3), bottom = TileToY(3);
    EXPECT_EQ(e.Screen.At(x, bottom - 1), gamedir::To555(0xF80000));
    A(0).y += 1;  // now lower on the screen: drawn last
    FieldScene(e);
    EXPECT_EQ(e.Screen.At(x, bottom), gamedir::To555(gamedir::CharColour(0, 0)));
    EXPECT_EQ(M(1).name, "red");
}

TEST_F(FieldTest, MirroredActorRunsLeftwardsFromItsRightEdge) {
    h.WriteFile("pic\\half.qdg", gamedir::MakeBmp(64, 32, [](int x, int) {
                    return x % 16 < 8 ? 0xF80000u : 0x00F800u;
                }));
    ASSERT_TRUE(SetActorPicture(e, 1, "half"));
    Place(1, 4, 4);
    e.Field.camX = e.Field.camY = 0;
    const int x = TileToX(4), row = TileToY(4) - 5;
    FieldScene(e);
    EXPECT_EQ(e.Screen.At(x - 8, row), gamedir::To555(0xF80000));
    EXPECT_EQ(e.Screen.At(x + 7, row), gamedir::To555(0x00F800));
    A(1).stepX = -1;
    FieldScene(e);
    EXPECT_EQ(e.Screen.At(x + 8, row), gamedir::To555(0xF80000));
    EXPECT_EQ(e.Screen.At(x - 7, row), gamedir::To555(0x00F800));
}

TEST_F(FieldTest, QuitGameFreesTheFieldTheActorsAndTheScripts) {
    gamedir::LoadSource(e.Scripts.GlobalScript, "c0;0;1;= #");
    RunGlobalScript(e);
    e.Scripts.AnimActors[3].active = 1;
    QuitGame(e);
    EXPECT_TRUE(e.Field.layers.empty());
    EXPECT_TRUE(e.Field.tileSheet.Empty());
    EXPECT_TRUE(e.Field.events.empty());
    EXPECT_TRUE(e.Actors.empty());
    EXPECT_EQ(e.Scripts.GlobalScript.Size(), 1u);
    EXPECT_EQ(e.Scripts.AnimActors[3].active, 0);
    EXPECT_EQ(e.SceneProc, IdleProc);
}

}  // namespace
