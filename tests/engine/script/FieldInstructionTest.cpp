// The `e`, `f` and `a` instruction classes and the event and animation runners.
#include <gtest/gtest.h>

#include "engine/battle/Battle.h"
#include "engine/script/ScriptRunner.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

using gamedir::Boxes;
using gamedir::LoadSource;

struct FieldInstructionTest : ::testing::Test {
    EngineHarness h;
    Engine& e = h.engine;
    QDCR& global = e.Scripts.GlobalScript;

    void SetUp() override {
        gamedir::WriteTileSet(h, 0);
        InitField(e);
        gamedir::WriteMap(h, "TOWN", gamedir::MapSpec(20, 20, 1));
        ASSERT_TRUE(LoadMap(e, "TOWN"));
        CreateActors(e, 8);
        e.FrameMs = 16;
    }
    void Run(std::string_view source) {
        LoadSource(global, source);
        RunGlobalScript(e);
    }
    EventObject& Event(int i) { return *e.Field.events[static_cast<std::size_t>(i)]; }
    Actor& A(int i) { return e.Actors[static_cast<std::size_t>(i)]; }
};

TEST_F(FieldInstructionTest, EndOfConversationGoesOnAtNrmInTheSameFrame) {
    LoadSource(Event(5).script, "@NRM// c0;5;1;+ # c2;1;$NRM// @SPK// e0; c0;6;1;= #");
    Event(5).savedActive = 1;
    Event(6).savedActive = 1;
    e.Field.talkPartner = 5;
    ASSERT_TRUE(JumpToLabel(e, Event(5).script, false, "SPK"));
    RunEventScript(e, 5);
    EXPECT_EQ(Event(5).script.variables[5], 1);
    EXPECT_EQ(Event(5).script.variables[6], 0);
    EXPECT_EQ(Event(5).active, 1);  // restored from its saved flag
    EXPECT_EQ(Event(6).active, 1);
    EXPECT_EQ(e.Field.talkPartner, 0);
    EXPECT_EQ(e.ModeProc, PlayerControl);
    EXPECT_EQ(e.InputTimer, -96);
}

TEST_F(FieldInstructionTest, EventInstructionsKnowTheirActorAndDriveTheGlobalScript) {
    LoadSource(global, "# @A// c0;0;1;= # @GO// c0;0;2;= #");
    LoadSource(Event(6).script, "e1; c4;=$GO// e2; #");
    RunEventScript(e, 6);
    EXPECT_EQ(Event(6).script.variables[3], 6);
    RunGlobalScript(e);
    EXPECT_EQ(global.variables[0], 2);
}

TEST_F(FieldInstructionTest, RunAllEventsNeverReentersARunningScript) {
    LoadSource(Event(5).script, "c0;0;1;+ c-2; #");
    LoadSource(Event(6).script, "c0;0;1;+ #");
    Run("c0;0;1;= c-3; c-2; #");  // activates the characters, not the party
    EXPECT_EQ(Event(4).active, 0);
    EXPECT_EQ(Event(7).active, 1);
    EXPECT_EQ(Event(5).script.variables[0], 1);
    EXPECT_EQ(Event(6).script.variables[0], 1);  // run once, from within event 5's run
    // Characters running each other without a yield share the frame's one budget.
    constexpr int kActors = 64;
    CreateActors(e, kActors);
    for (int i = kPartySize; i < kActors; ++i) {
        LoadSource(Event(i).script, "@L// c0;0;1;+ c-2; c2;1;$L//");
        Event(i).active = 1;
    }
    Run("c-2; #");
    long rounds = 0;
    for (int i = kPartySize; i < kActors; ++i) {
        rounds += Event(i).script.variables[0];
        EXPECT_TRUE(Event(i).script.AtEnd()) << i;
    }
    // Each nested run once had a budget of its own: millions of rounds and seconds per frame.
    EXPECT_LT(rounds, 100000);
    ASSERT_EQ(Boxes(h).size(), 1u);
    EXPECT_NE(Boxes(h)[0].find("runs on without yielding"), std::string::npos);
}

TEST_F(FieldInstructionTest, ActorPropertiesAndTheirMessages) {
    Run("c0;3;5;= c0;0;0;= c0;1;0;= c0;2;40;= f3;"  // x = 40
        "c0;1;1;= c0;2;-8;= f3;"                    // x += -8
        "c0;1;2;= c0;2;3;= f3;"                     // x *= 3
        "c0;1;3;= c0;2;4;= f3;"                     // x /= 4
        "c0;0;100;= c0;1;0;= c0;2;11;= f3;"         // speed = 11
        "c0;0;101;= c0;2;1;= f3;"                   // its event object becomes active
        "c0;0;5;= f3; c0;0;0;= c0;1;4;= f3;"        // unknown property, unknown operator
        "c0;1;3;= c0;2;0;= f3; #");                 // division by zero
    EXPECT_EQ(A(5).x, 24);
    EXPECT_EQ(e.Field.movers[5].speed, 11);
    EXPECT_EQ(Event(5).active, 1);
    const auto boxes = Boxes(h);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0], "エラー発生|Proparty missing!");
    EXPECT_EQ(boxes[1], "エラー発生|Operator missing!");
    EXPECT_NE(boxes[2].find("division by zero"), std::string::npos);
}

TEST_F(FieldInstructionTest, IndicesOutsideTheirTablesAreRefused) {
    Run("c0;3;8;= c0;0;1;= c0;1;1;= f5; f2; f19; f20; c0;3;-1;= f9;"
        "c0;0;12;= c0;1;0;= f14; c0;0;4;= f15; #");
    const auto boxes = Boxes(h);
    // A fault already shown in this frame (the same text from the same script) is not repeated.
    const char* named[] = {"actor 8 does not exist", "event object 8", "actor -1", "animation 12",
                           "party slot 4"};
    ASSERT_EQ(boxes.size(), std::size(named));
    for (std::size_t i = 0; i < boxes.size(); ++i)
        EXPECT_NE(boxes[i].find(named[i]), std::string::npos) << boxes[i];
    Run("c0;3;9;= c4;=$x// f4; #");
    EXPECT_EQ(Boxes(h).back(), "エラー発生|chr作りすぎ。");
}

TEST_F(FieldInstructionTest, TurnTowardsAnotherActor) {
    A(5).x = 100, A(5).y = 300;
    LoadSource(global, "c0;3;5;= c0;0;6;= #");
    RunGlobalScript(e);
    // Left, below, then the same place, where the facing stays.
    for (auto [x, y, facing] : {std::tuple{50, 300, 1}, {100, 400, 0}, {100, 300, 0}}) {
        A(6).x = x, A(6).y = y;
        Run("f9; #");
        EXPECT_EQ(A(5).facing, facing) << x << "," << y;
    }
}

TEST_F(FieldInstructionTest, SaveRestoreAndRestartOfEventObjects) {
    Event(5).active = 1;
    Run("c0;0;0;= f24; #");
    EXPECT_EQ(Event(5).active, 0);
    EXPECT_EQ(Event(5).savedActive, 1);
    Run("c0;0;1;= f24; #");
    EXPECT_EQ(Event(5).active, 1);
    LoadSource(Event(5).script, "@GO// c0;0;1;+ # @GO// c0;0;5;+ #");
    RunEventScript(e, 5);
    RunEventScript(e, 5);
    EXPECT_EQ(Event(5).script.variables[0], 6);
    Run("c0;3;5;= c4;=$GO// f19; #");  // back to the first GO
    RunEventScript(e, 5);
    EXPECT_EQ(Event(5).script.variables[0], 7);
}

TEST_F(FieldInstructionTest, WalkingFlagAndStoppingTheLeader) {
    A(0).x = TileToX(3), A(0).y = TileToY(3);
    A(0).level = 32;
    Run("c0;3;0;= c0;0;1;= f7; f20; #");
    EXPECT_EQ(global.variables[2], 1);
    EXPECT_EQ(e.Field.movers[0].stepY, 1);
    Run("f23; f20; #");
    EXPECT_EQ(global.variables[2], 0);
}

TEST_F(FieldInstructionTest, TextStartsAConversationOnlyWithATalkPartner) {
    e.ModeProc = ScriptMode;
    Run("c4;=$abc// f1; #");
    EXPECT_EQ(e.ModeProc, ScriptMode);
    EXPECT_EQ(e.Text.Text(), "abc\\n\\e");
    Run("c4;=$def// f1; #");
    EXPECT_EQ(e.Text.Text(), "abc\\n\\edef\\n\\e");
    e.Field.talkPartner = 5;
    Run("c4;=$// f1; #");
    EXPECT_TRUE(e.Text.IsEmpty());
    EXPECT_EQ(e.Field.talkPartner, 0);
    e.Field.talkPartner = 5;
    Run("c4;=$ghi// f1; #");
    EXPECT_EQ(e.ModeProc, TextBoxMode);
}

TEST_F(FieldInstructionTest, WaitForTheReaderNeedsTheWholeTextAndShift) {
    h.SetKeys("3 shift\n4\n12 shift\n");
    LoadSource(global, "c4;=$abcdefgh// f1; #f8; c0;5;1;= #");
    e.SceneProc = IdleProc;
    e.ModeProc = ScriptMode;
    // Shift pressed in frame 3 while the text appears does not count; frame 12 does.
    for (int frame = 1; frame <= 11; ++frame) {
        h.RunFrames(1);
        ASSERT_EQ(global.variables[5], 0) << frame;
    }
    EXPECT_EQ(e.Text.revealed, e.Text.Length());
    h.RunFrames(1);
    EXPECT_EQ(global.variables[5], 1);
    EXPECT_EQ(e.InputTimer, -96);
}

TEST_F(FieldInstructionTest, CameraAndFieldNumbers) {
    Run("c0;0;0;= c0;1;0;= c0;2;32;= f16; c0;0;1;= c0;1;1;= c0;2;5;= f16;"
        "c0;0;7;= f22; c0;0;1;= f21; c0;0;2;= f16; #");
    EXPECT_EQ(e.Field.camX, 32);
    EXPECT_EQ(e.Field.camY, 5);
    EXPECT_EQ(e.Field.battleBackground, 7);
    EXPECT_EQ(e.Field.cameraFollow, 1);
    EXPECT_EQ(Boxes(h), std::vector<std::string>{"エラー発生|Proparty missing!"});
}

TEST_F(FieldInstructionTest, MapLoadAndActorPicture) {
    gamedir::WriteMap(h, "CAVE", gamedir::MapSpec(30, 10, 2));
    gamedir::WriteCharacterPicture(h, "hero");
    Run("c4;=$CAVE// f13; c4;=$hero// c0;3;2;= f4; #");
    EXPECT_EQ(e.Field.width, 30);
    EXPECT_EQ(e.Field.mapName, "CAVE");
    EXPECT_EQ(A(2).level, 32);
    EXPECT_EQ(A(2).picture.Width(), 64);
    EXPECT_EQ(e.Field.movers[2].name, "hero");
}

// A character table of five characters, numbered 0 to 4.
void FillCharacters(Engine& e) {
    e.CharacterTable = {{"nobody", "", "p0"},
                        {"Aki", "", "p1"},
                        {"Bo", "", "p2"},
                        {"Chika", "", "p3"},
                        {"Dai", "", "p4"}};
}

TEST_F(FieldInstructionTest, NamesOfCharactersGoIntoTheStringRegister) {
    FillCharacters(e);
    Run("c4;=$Hi, // c0;0;3;= c4;N; c0;0;5;= c4;N; #");
    EXPECT_EQ(global.String(), "Hi, Chika");
    EXPECT_NE(Boxes(h).back().find("character 5"), std::string::npos);
}

TEST_F(FieldInstructionTest, PartyLineupAndItsPictures) {
    FillCharacters(e);
    gamedir::WriteCharacterPicture(h, "f-p4");
    gamedir::WriteCharacterPicture(h, "f-p1");
    e.PartyLineup = {2, 3, 1, 4};
    Run("c0;0;0;= c0;1;4;= f15; c0;0;2;= c0;1;0;= f15; c0;0;1;= c0;1;5;= f15; f12; #");
    EXPECT_EQ(e.PartyLineup, (std::array<std::int32_t, 4>{4, 3, 0, 4}));
    EXPECT_NE(Boxes(h)[0].find("character 5"), std::string::npos);  // beyond the table
    EXPECT_EQ(A(0).level, 32);
    EXPECT_EQ(e.Field.movers[0].name, "f-p4");
    EXPECT_EQ(A(0).picture.Width(), 64);
    EXPECT_EQ(A(2).level, 0);  // an empty slot hides its actor
    EXPECT_EQ(A(3).width, 16);
}

// ---- animation players ----

struct AnimTest : FieldInstructionTest {
    AnimActor& Anim(int i) { return e.Scripts.AnimActors[static_cast<std::size_t>(i)]; }
};

TEST_F(AnimTest, LoadRunAndStop) {
    h.WriteFile("ev\\anm\\fx.qdg", gamedir::MakeBmp(96, 48, [](int x, int) {
                    return x < 48 ? 0xF80000u : (x % 48 < 24 ? 0x00F800u : 0x0000F8u);
                }));
    gamedir::WriteScript(h, "ev\\anm\\boom",
                         "c4;=$fx// a1; c0;3;2;= c0;0;6;= c0;1;0;= c0;2;32;= a2;"
                         "c0;0;2;= c0;2;1;= a2; c0;0;4;= c0;2;-1;= a2; # a0;");
    Run("c0;0;3;= c0;1;0;= c4;=$boom// f14; #");
    AnimActor& anim = Anim(3);
    EXPECT_EQ(anim.active, 1);
    anim.originX = 100;
    anim.originY = 300;
    RunAndDrawAnimActor(e, 3, 0, 0);
    EXPECT_EQ(anim.cells[2].level, 32);
    EXPECT_EQ(anim.cells[2].column, 1);
    // Mirrored: the frame's first column (green) lands at x + 24 and runs leftwards.
    EXPECT_EQ(e.Screen.At(124, 300), gamedir::To555(0x00F800));
    EXPECT_EQ(e.Screen.At(101, 300), gamedir::To555(0x00F800));
    EXPECT_EQ(e.Screen.At(100, 300), gamedir::To555(0x0000F8));
    EXPECT_EQ(e.Screen.At(77, 300), gamedir::To555(0x0000F8));
    EXPECT_EQ(e.Screen.At(76, 300), 0);
    RunAndDrawAnimActor(e, 3, 0, 0);
    EXPECT_EQ(anim.active, 0);
    EXPECT_TRUE(anim.picture.Empty());
    EXPECT_EQ(anim.cells[2].level, 0);
}

TEST_F(AnimTest, CellPropertiesOutsideTheTableAreRefused) {
    LoadSource(Anim(0).script,
               "c0;3;0;= c0;0;7;= c0;1;0;= c0;2;5;= a2; c0;3;8;= c0;0;0;= a2;"
               "c0;3;0;= c0;1;9;= a2; #");
    RunAnimScript(e, 0);
    EXPECT_EQ(Boxes(h).size(), 2u);
    EXPECT_EQ(Anim(0).cells[0].x, 0);
}

}  // namespace
