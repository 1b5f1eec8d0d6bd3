#include <gtest/gtest.h>

#include "BattleGame.h"
#include "engine/battle/Battle.h"
#include "engine/battle/BattleState.h"
#include "engine/core/Engine.h"
#include "engine/field/FieldState.h"
#include "engine/script/QDCR.h"

namespace {

class BattleScript : public ::testing::Test {
  protected:
    void SetUp() override {
        g.WriteStandardFiles();
        g.LoadGame();
        g.StartBattle(0);
        b().actingSlot = b().activeSlot = 0;
        b().targeted[4] = 1;
    }
    BattleState& b() { return *g.engine.Battle; }
    // Loads the bytes and stands just after the instruction that ends at `end`.
    void Load(std::string_view bytes, std::size_t end) {
        context.Load(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        context.SetPosition(end);
    }

    BattleGame g;
    QDCR context;
};

TEST_F(BattleScript, WaitingInstructionsStepBackTwoBytesBeforeTheirClass) {
    const struct {
        std::string_view bytes;
        std::size_t end, after;  // where the instruction ends, where the script then stands
        std::int32_t numbers;
    } cases[] = {
        {std::string_view("X#w\x05w\x00", 6), 4, 0, 3},
        {std::string_view("X#w\x05w\x00", 6), 4, 4, 0},  // nothing to wait for
        {std::string_view("#w\x05", 3), 3, 0, 3},        // a wait at the very start
        {std::string_view("w\x05", 2), 2, 2, 3},         // no yield in front: stopped, not spun
    };
    for (const auto& c : cases) {
        Load(c.bytes, c.end);
        b().numbersTimer = c.numbers;
        BattleInstructionW(g.engine, context, 5);
        EXPECT_EQ(context.Position(), c.after) << c.bytes.size() << " " << c.numbers;
    }
}

TEST_F(BattleScript, QueriesAndTurns) {
    auto& v = context.variables;
    BattleInstructionW(g.engine, context, 7);
    EXPECT_EQ(v[3], 0);
    BattleInstructionW(g.engine, context, 8);
    EXPECT_EQ(v[2], 0);
    v[0] = 0;
    BattleInstructionW(g.engine, context, 9);
    EXPECT_EQ(v[3], 4);
    BattleInstructionW(g.engine, context, 8);
    EXPECT_EQ(v[2], 1);
    b().effect[4] = 0;
    BattleInstructionW(g.engine, context, 11);
    EXPECT_EQ(v[2], 1);

    Actor& a = g.engine.Actors[4];
    a.stepX = 1;
    a.facing = 0;
    const std::pair<int, int> expected[4] = {{1, 1}, {-1, 1}, {-1, 0}, {1, 0}};
    for (const auto& [step, facing] : expected) {
        BattleInstructionW(g.engine, context, 10);
        EXPECT_EQ(a.stepX, step);
        EXPECT_EQ(a.facing, facing);
    }
}

TEST_F(BattleScript, AnimationActorsAreCheckedAndPlacedOnTargets) {
    auto& v = context.variables;
    v[0] = 3;
    v[1] = 0;
    BattleInstructionW(g.engine, context, 2);
    const Actor& target = g.engine.Actors[4];
    EXPECT_EQ(g.engine.Scripts.AnimActors[3].originX, target.x);
    EXPECT_EQ(g.engine.Scripts.AnimActors[3].originY, target.y - target.height / 2);
    const auto before = g.Boxes().size();
    v[0] = 12;
    BattleInstructionW(g.engine, context, 2);
    EXPECT_EQ(g.Boxes().size(), before + 1);
    v[1] = 5;  // only one target
    v[0] = 0;
    BattleInstructionW(g.engine, context, 2);
    EXPECT_NE(g.Boxes().back().find("\xe3\x82\xa2\xe3\x83\xa9\xe3\x83\xa9"), std::string::npos);
}

TEST_F(BattleScript, UnknownEffectKindStoresNoChange) {
    auto& v = context.variables;
    b().effect[4] = -50;
    v[0] = 100;
    v[1] = 7;
    const auto seed = g.engine.random.state();
    BattleInstructionW(g.engine, context, 6);
    EXPECT_EQ(b().effect[4], 0);
    EXPECT_EQ(g.engine.random.state(), seed);  // nothing drawn
    EXPECT_NE(g.Boxes().back().find("failed"), std::string::npos);
}

TEST_F(BattleScript, ADiagonalPushMovesAcrossThenAlongFromTheMovedPlace) {
    // Grid cell (c, r) of a 32-wide combatant: x = 23 + 32c, y = 268 + 24r.
    auto place = [&](int slot, int c, int r) {
        g.engine.Actors[static_cast<std::size_t>(slot)].x = 23 + 32 * c;
        g.engine.Actors[static_cast<std::size_t>(slot)].y = 268 + 24 * r;
    };
    const struct {
        int otherColumn, otherRow, endColumn, endRow;
    } cases[] = {
        {3, 3, 3, 2},  // the diagonal cell is taken: across only
        {2, 3, 3, 3},  // the cell below is taken but the diagonal one is free: diagonally
    };
    for (const auto& c : cases) {
        place(0, 1, 1);
        place(4, 2, 2);
        place(1, c.otherColumn, c.otherRow);
        place(2, 0, 5);
        place(3, 0, 6);
        RebuildGrid(g.engine);
        b().knockback = {};
        BattleInstructionW(g.engine, context, 12);
        ASSERT_EQ(b().knockback[4], 0x11);
        BattleInstructionW(g.engine, context, 4);
        KnockbackRun(g.engine);
        EXPECT_EQ(g.engine.Actors[4].x, 23 + 32 * c.endColumn) << c.otherColumn;
        EXPECT_EQ(g.engine.Actors[4].y, 268 + 24 * c.endRow) << c.otherColumn;
    }
}

TEST_F(BattleScript, KnockbackPushesOneTargetEveryTwentySixFrames) {
    b().targeted[4] = 1;
    b().targeted[3] = 1;
    b().effect[4] = -3;
    BattleInstructionW(g.engine, context, 12);
    EXPECT_EQ(b().knockback[4], 0x11);  // right of and below the attacker
    EXPECT_EQ(b().knockback[3], 0x10);  // straight below
    EXPECT_EQ(b().knockback[0], 0);
    BattleInstructionW(g.engine, context, 4);
    EXPECT_EQ(g.engine.ModeProc, KnockbackRun);
    const int y3 = g.engine.Actors[3].y;
    const int x4 = g.engine.Actors[4].x;
    KnockbackRun(g.engine);  // at once: slot 3 is pushed down a row
    EXPECT_EQ(g.engine.Actors[3].y, y3 + 24);
    EXPECT_EQ(g.engine.Actors[4].x, x4);
    for (int i = 0; i < 25; ++i) KnockbackRun(g.engine);
    EXPECT_EQ(g.engine.Actors[4].x, x4);
    KnockbackRun(g.engine);
    EXPECT_EQ(g.engine.Actors[4].x, x4 + 32);
    EXPECT_EQ(g.engine.ModeProc, ActionRun);
    EXPECT_EQ(b().numbersTimer, 70);
    EXPECT_EQ(b().enemyRecord[0].hp, 17);
}

}  // namespace
