// Whole field flows driven by key input through the frame loop: walking with the party, a
// conversation, and a tile event.
#include <gtest/gtest.h>

#include "engine/script/ScriptRunner.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

using gamedir::Sjis;

// A town of 20 x 20 tiles with a hero, a follower and one character below the hero, whose
// START script hands control to the player. Tile (4, 2) is marked with event 0.
struct FieldPlayTest : ::testing::Test {
    EngineHarness h;
    Engine& e = h.engine;

    void SetUp() override {
        gamedir::WriteTileSet(h, 0);
        gamedir::MapSpec map(20, 20, 0x01);
        map.At(2, 4, 2) = 1;
        gamedir::WriteMap(h, "TOWN", map);
        gamedir::WriteCharacterPicture(h, "hero");
        gamedir::WriteCharacterPicture(h, "npc");
        gamedir::WriteScript(h, "ev\\START", R"(
            c0;0;6;= f11;                       * six actors
            c4;=$TOWN// f13;
            c4;=$hero// c0;3;0;= f4;  c0;0;2;= c0;1;2;= f5;
            c4;=$hero// c0;3;1;= f4;  c0;0;1;= c0;1;2;= f5;
            c4;=$npc//  c0;3;5;= f4;  c0;0;2;= c0;1;3;= f5;
            c4;=$npc// f2;
            f6; f0;
            c0;0;1;= c-3;                       * the characters come alive
            #
            @PLC0//
            c4;=$踏んだ// f1;
            #f8;
            c4;=$// f1; f0;
            #
        )");
        gamedir::WriteScript(h, "ev\\chr\\npc", R"(
            @NRM//
            #c2;1;$NRM//
            @SPK//
            c4;=$こんにちは//
            f1;
            #f8;
            c4;=$// f1;
            e0;
        )");
        InitField(e);
        ASSERT_TRUE(e.Scripts.GlobalScript.READ(e, "ev\\START"));
        e.SceneProc = FieldScene;
        e.ModeProc = ScriptMode;
        e.Field.scriptMode = 1;
        RunGlobalScript(e);
    }
    const Actor& A(int i) const { return e.Actors[static_cast<std::size_t>(i)]; }
};

TEST_F(FieldPlayTest, StartScriptSetsTheSceneAndHandsOver) {
    EXPECT_EQ(e.ModeProc, PlayerControl);
    EXPECT_EQ(e.Field.scriptMode, 0);
    ASSERT_EQ(e.Actors.size(), 6u);
    EXPECT_EQ(A(0).x, TileToX(2));
    EXPECT_EQ(A(5).y, TileToY(3));
    EXPECT_EQ(e.Field.events[5]->active, 1);
    EXPECT_EQ(e.Field.events[4]->active, 0);
    EXPECT_TRUE(gamedir::Boxes(h).empty());
}

TEST_F(FieldPlayTest, ConversationRunsFromShiftToTheEndOfTheTalk) {
    h.SetKeys("10 shift\n12\n21 shift\n23\n");
    h.RunFrames(10);
    EXPECT_EQ(e.Field.talkPartner, 5);
    h.RunFrames(1);
    EXPECT_EQ(e.ModeProc, TextBoxMode);
    EXPECT_EQ(e.Text.Text(), Sjis("こんにちは") + "\\n\\e");
    h.RunFrames(9);  // the text is out, but Shift has been up since frame 13
    EXPECT_EQ(e.ModeProc, TextBoxMode);
    EXPECT_GE(e.Text.revealed, 12);
    h.RunFrames(1);
    EXPECT_EQ(e.ModeProc, PlayerControl);
    EXPECT_TRUE(e.Text.IsEmpty());
    EXPECT_EQ(e.Field.talkPartner, 0);
    EXPECT_EQ(e.Field.events[5]->active, 1);
    EXPECT_EQ(e.InputTimer, -96);
    h.RunFrames(5);  // the character idles again
    EXPECT_EQ(e.ModeProc, PlayerControl);
    EXPECT_TRUE(gamedir::Boxes(h).empty());
}

TEST_F(FieldPlayTest, TileEventShowsItsTextAndReturnsControl) {
    h.SetKeys("2 right\n40\n60 shift\n62\n");
    h.RunFrames(2);
    EXPECT_FALSE(e.Field.movers[0].Walking());  // a key pressed only this frame does not walk
    h.RunFrames(1);
    EXPECT_TRUE(e.Field.movers[0].Walking());
    h.RunFrames(37);
    EXPECT_EQ(A(0).x, TileToX(4));
    // The follower walked onto the tile its leader left, but not on the step that started the
    // event: that step reports "not started" to the player control.
    EXPECT_EQ(A(1).x, TileToX(2));
    EXPECT_EQ(e.ModeProc, ScriptMode);
    EXPECT_EQ(e.Text.Text(), Sjis("踏んだ") + "\\n\\e");
    EXPECT_EQ(e.Field.events[5]->active, 0);  // characters rest during the event
    h.RunFrames(20);
    EXPECT_EQ(e.ModeProc, PlayerControl);
    EXPECT_TRUE(e.Text.IsEmpty());
    EXPECT_EQ(e.Field.events[5]->active, 1);
    EXPECT_TRUE(gamedir::Boxes(h).empty());
}

TEST_F(FieldPlayTest, CtrlWalksFaster) {
    h.SetKeys("1 ctrl\n2 ctrl up\n");
    h.RunFrames(3);
    EXPECT_EQ(e.Field.movers[0].speed, 11);
    h.RunFrames(8);
    EXPECT_EQ(A(0).y, TileToY(1));
}

}  // namespace
