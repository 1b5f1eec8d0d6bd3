#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "BattleGame.h"
#include "engine/battle/Battle.h"
#include "engine/battle/BattleState.h"
#include "engine/battle/BattleTexts.h"
#include "engine/core/Engine.h"
#include "engine/field/FieldState.h"
#include "engine/script/ScriptRunner.h"
#include "engine/words/Words.h"

namespace {

bool HasFragment(const std::vector<std::string>& lines, std::string_view fragment) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.find(fragment) != std::string::npos;
    });
}

bool HasLine(const BattleGame& g, std::string_view fragment) {
    return HasFragment(g.h.Trace(), fragment);
}

class BattleSequence : public ::testing::Test {
  protected:
    void SetUp() override {
        g.WriteStandardFiles();
        g.LoadGame();
    }
    BattleState& b() { return *g.engine.Battle; }
    Routine mode() const { return g.engine.ModeProc; }

    BattleGame g;
};

TEST_F(BattleSequence, SetUpPlacesEveryoneAndWaitsForThePlayer) {
    g.StartBattle(0);
    ASSERT_TRUE(g.engine.Battle);
    EXPECT_EQ(mode(), FreeMove);
    EXPECT_EQ(g.engine.SceneProc, DrawBattle);
    ASSERT_EQ(g.engine.Actors.size(), 11u);
    EXPECT_EQ(std::pair(g.engine.Actors[0].x, g.engine.Actors[0].y), std::pair(23, 292));
    EXPECT_EQ(b().grid[0][1], 1);
    EXPECT_EQ(b().grid[5][3], 5);
    EXPECT_EQ(b().alive, (std::array<std::int32_t, 11>{1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0}));
    // Slot 0 holds character 2 of the starting line-up 2, 3, 1, 4.
    EXPECT_STREQ(Combatant(g.engine, 0).name, "Beth");
    EXPECT_EQ(g.engine.Actors[4].stepX, -1);
    EXPECT_TRUE(HasLine(g, "music BGM\\btl2.mid"));
    EXPECT_TRUE(HasLine(g, "effect 1 SE\\kin"));
}

TEST_F(BattleSequence, MenusReactToHeldShiftAndItemChangesNothing) {
    g.StartBattle(0);
    g.Hold("shift", 1);  // pressed for a single frame only
    g.Hold("", 3);
    EXPECT_EQ(mode(), FreeMove);
    g.Hold("shift", 2);
    ASSERT_EQ(mode(), CommandMenu);
    b().menu.cursor = 2;
    g.Hold("shift", 20);
    EXPECT_EQ(mode(), CommandMenu);
    EXPECT_EQ(b().activeSlot, 0);
    g.Hold("ctrl", 20);
    EXPECT_EQ(mode(), FreeMove);
}

TEST_F(BattleSequence, PassOnTheLastMemberGoesBackToTheFirstAlive) {
    g.engine.CharacterTable[2].hp = 0;  // slot 0 is knocked out
    g.StartBattle(0);
    EXPECT_EQ(b().alive[0], 0);
    EXPECT_EQ(b().activeSlot, 1);  // the first living member begins
    b().activeSlot = 3;
    g.Hold("shift", 2);
    b().menu.cursor = 1;
    ASSERT_TRUE(g.HoldUntil("shift", 30, [&] { return mode() == FreeMove; }));
    EXPECT_EQ(b().activeSlot, 1);
}

TEST_F(BattleSequence, AMemberKnockedOutInItsTurnHandsItOnAtOnce) {
    // An enemy's action ends while `active` has the turn; the `fallen` lie at 0 hit points.
    const struct {
        std::vector<int> fallen;
        int active, expected;
    } kCases[] = {{{0}, 0, 1}, {{3}, 3, 0}, {{1, 2}, 1, 3}, {{2}, 0, 0}, {{0, 1, 2, 3}, 0, 0}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.active);
        g.StartBattle(0);
        b().activeSlot = c.active;
        for (const int slot : c.fallen) {
            b().alive[slot] = 0;
            b().pending[slot] = 1;  // chosen before the fall: never performed
        }
        b().pending[4] = 1;
        ExecuteNextAction(g.engine);
        ASSERT_EQ(b().actingSlot, 4);
        FinishAction(g.engine);
        EXPECT_EQ(b().activeSlot, c.expected);
        for (const int slot : c.fallen) EXPECT_EQ(b().pending[slot], 0);
    }
}

TEST_F(BattleSequence, ABlockedStepOnlyTurnsAFreeOneMovesOneCellAndTicksAnEnemy) {
    g.StartBattle(0);
    Actor& me = g.engine.Actors[0];
    me.facing = 1;
    const Actor enemyBefore = g.engine.Actors[4];
    g.Hold("down", 3);  // slot 1 stands below
    EXPECT_EQ(me.facing, 0);
    EXPECT_EQ(me.y, 292);
    EXPECT_EQ(mode(), FreeMove);
    EXPECT_EQ(g.engine.Actors[4].x, enemyBefore.x);
    EXPECT_EQ(g.engine.Actors[4].stepX, enemyBefore.stepX);
    EXPECT_EQ(b().enemyTurn, 4);
    g.Hold("", 1);
    g.Hold("up", 2);
    EXPECT_EQ(mode(), StepAnim);
    EXPECT_EQ(b().grid[0][0], 1);  // the destination is reserved at once
    g.Hold("", 9);  // the ninth frame of the step ends it, still showing the marker and label
    EXPECT_EQ(mode(), FreeMove);
    EXPECT_EQ(me.y, 292 - 24);
    EXPECT_NE(g.engine.Screen.At(20, 283), b().background.At(20, 283 - 210));  // Beth's label
    // The slime cannot reach anyone from column 5 and stepped left towards the party.
    EXPECT_EQ(g.engine.Actors[4].x, 183 - 32);
}

TEST_F(BattleSequence, ScreenEdgesLimitSteps) {
    g.StartBattle(0);
    Actor& a = g.engine.Actors[0];
    a.x = 24;
    EXPECT_FALSE(TryTurn(g.engine, 0, kDirLeft));
    a.x = 25;
    EXPECT_TRUE(TryTurn(g.engine, 0, kDirLeft));
    a.y = 404;
    EXPECT_FALSE(TryTurn(g.engine, 0, kDirDown));
    a.y = 403;
    EXPECT_TRUE(TryTurn(g.engine, 0, kDirDown));
    EXPECT_EQ(a.facing, 0);
    EXPECT_EQ(a.stepX, 1);
}

TEST_F(BattleSequence, VictoryEndsOnHeldShiftAndRestoresTheField) {
    g.engine.Field.scriptMode = 0;
    g.StartBattle(0);
    ASSERT_TRUE(g.HoldUntil("shift", 600, [&] { return mode() == VictoryWait; }));
    EXPECT_EQ(b().message, Words::Default(Word::Victory));
    EXPECT_EQ(b().alive[4], 0);
    EXPECT_EQ(g.engine.Actors[4].level, 0);  // faded out
    // A Shift held on from the last command ends the battle in the frame showing the message.
    g.Hold("shift", 1);
    EXPECT_FALSE(g.engine.Battle);
    EXPECT_EQ(g.engine.SceneProc, FieldScene);
    EXPECT_EQ(mode(), PlayerControl);
    EXPECT_EQ(g.engine.Actors.size(), 5u);
    EXPECT_EQ(g.engine.InputTimer, -96);
    EXPECT_TRUE(HasLine(g, "music null"));
}

TEST_F(BattleSequence, TwoEnemiesFallTogether) {
    g.StartBattle(1);
    EXPECT_EQ(b().alive[5], 1);
    ASSERT_TRUE(g.HoldUntil("shift", 60, [&] { return mode() == SkillMenu; }));
    b().menu.cursor = 2;  // sweep: three cells wide
    ASSERT_TRUE(g.HoldUntil("shift", 400, [&] { return mode() == FadeDefeated; }));
    EXPECT_EQ(b().targeted[4], 1);
    EXPECT_EQ(b().targeted[5], 1);
    g.Hold("", 8);
    EXPECT_EQ(g.engine.Actors[4].level, g.engine.Actors[5].level);
    EXPECT_GT(g.engine.Actors[4].level, 0);
    ASSERT_TRUE(g.HoldUntil("", 20, [&] { return mode() == VictoryWait; }));
    EXPECT_EQ(g.engine.Actors[4].level, 0);
    EXPECT_EQ(g.engine.Actors[5].level, 0);
}

TEST_F(BattleSequence, HealingIsCappedAtMaxHp) {
    g.engine.CharacterTable[2].hp = 90;
    g.StartBattle(0);
    ASSERT_TRUE(g.HoldUntil("shift", 60, [&] { return mode() == SkillMenu; }));
    b().menu.cursor = 1;  // mend, aimed at the first member in reach: slot 0 itself
    ASSERT_TRUE(g.HoldUntil("shift", 200, [&] { return b().numbersTimer > 0; }));
    EXPECT_EQ(b().numbersTimer, 50);  // only healing: no shaking before the numbers
    EXPECT_GT(b().effect[0], 0);
    EXPECT_EQ(g.engine.CharacterTable[2].hp, 100);
}

TEST_F(BattleSequence, AMissingSkillScriptOrOneWithoutW0StillEndsTheAction) {
    std::filesystem::remove(g.h.gameDir / "ev" / "wz" / "wz1.sc");
    g.StartBattle(0);
    ASSERT_TRUE(g.HoldUntil("shift", 200, [&] { return mode() == ActionRun; }));
    g.Hold("", 3);
    EXPECT_NE(mode(), ActionRun);
    EXPECT_EQ(b().pending[0], 0);
    EXPECT_TRUE(HasFragment(g.Boxes(), "box エラー発生|e]QDCR::READ"));
    EXPECT_TRUE(HasFragment(g.Boxes(), "ev\\\\wz\\\\wz1.sc"));  // the full path
    // A script that stops without w 0 ends the action as well, after its effects.
    g.WriteSkillScript(1, "c0;0;1;=c0;1;0;=w6;w4;#");
    ASSERT_TRUE(
        g.HoldUntil("shift", 400, [&] { return b().activeSlot == 2 && mode() == FreeMove; }));
    EXPECT_EQ(b().pending[1], 0);
    EXPECT_EQ(b().enemyRecord[0].hp, 19);
}

TEST_F(BattleSequence, ASkillThatNeverFinishesIsStoppedAfter1800Frames) {
    g.WriteSkillScript(1, "@L//#c2;1;$L//");
    g.StartBattle(0);
    ASSERT_TRUE(g.HoldUntil("shift", 200, [&] { return mode() == ActionRun; }));
    g.Hold("", 1790);
    EXPECT_EQ(mode(), ActionRun);
    g.Hold("", 20);
    EXPECT_NE(mode(), ActionRun);
    EXPECT_EQ(b().pending[0], 0);
    EXPECT_TRUE(HasFragment(g.Boxes(), "1800 frames"));
}

TEST_F(BattleSequence, WithNoLivingMemberTheBattleIsLostAndNoEnemyIsCommanded) {
    for (const int n : {1, 2, 3, 4}) g.engine.CharacterTable[static_cast<std::size_t>(n)].hp = 0;
    g.StartBattle(0);
    EXPECT_EQ(mode(), AfterAction);  // lost before anyone moves
    for (const int slot : {0, 3}) {
        b().activeSlot = slot;
        NextPartyMember(g.engine);  // once walked on into the enemies' slots
        EXPECT_GE(b().activeSlot, 0);
        EXPECT_LT(b().activeSlot, kPartySlots);
    }
    g.engine.ModeProc = AfterAction;
    for (int frame = 0; frame < 30 && g.engine.Battle; ++frame) {
        g.Hold("shift", 1);
        EXPECT_NE(mode(), FreeMove);
        EXPECT_NE(mode(), CommandMenu);
    }
    EXPECT_TRUE(!g.engine.Battle || b().message == Words::Default(Word::Defeat));
}

TEST_F(BattleSequence, KnockedOutMemberFirstInReachIsNotPassedOver) {
    g.h.WriteFile("Schr\\group.qd", "1,0,0,0,0,0,0,3-3,4-4,0-0,0-0,2-2,0-0,0-0,0-0,0-0,0-0,0-0,\n");
    g.engine.PartyLineup = {1, 2, 0, 0};
    g.engine.CharacterTable[1].hp = 0;
    g.StartBattle(0);
    b().enemyTurn = 4;
    EXPECT_NE(EnemyTick(g.engine), 1);
    EXPECT_EQ(b().pending[4], 0);
    EXPECT_EQ(b().enemyCommitted, 0);
}

TEST_F(BattleSequence, BadGroupsAndLineUpsLeaveSlotsEmpty) {
    g.engine.PartyLineup = {2, 99, 0, 1};
    g.StartBattle(7);  // the group file has two lines
    EXPECT_EQ(b().alive, (std::array<std::int32_t, 11>{1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(g.engine.Actors[1].level, 0);
    EXPECT_TRUE(HasFragment(g.Boxes(), "99"));
}

TEST_F(BattleSequence, AMissingEnemyFileOrAPlaceOffTheGridLeavesItsSlotAbsent) {
    g.h.WriteFile("Schr\\group.qd",
                  "1,9,1,0,0,0,0,1-1,1-2,1-3,1-4,6-3,6-5,99999999-99999999,0-0,0-0,0-0,0-0,\n");
    g.StartBattle(0);
    EXPECT_EQ(b().alive, (std::array<std::int32_t, 11>{1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(g.engine.Actors[6].level, 0);
    EXPECT_TRUE(HasFragment(g.Boxes(), "e]LD_Enm"));
    EXPECT_TRUE(HasFragment(g.Boxes(), "slot 6: 99999999-99999999 lies outside the grid"));
}

}  // namespace
