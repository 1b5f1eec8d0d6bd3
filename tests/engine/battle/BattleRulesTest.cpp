#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "engine/battle/BattleRules.h"
namespace {

SkillRecord Skill(std::initializer_list<int> reach, int flags, int area) {
    SkillRecord s;
    int k = 0;
    for (int r : reach) s.reach[k++] = static_cast<std::uint8_t>(r);
    s.flags = static_cast<std::uint8_t>(flags);
    s.area = static_cast<std::uint8_t>(area);
    return s;
}

std::set<std::pair<int, int>> Cells(const CellGrid& g) {
    std::set<std::pair<int, int>> out;
    for (int c = 0; c < 7; ++c)
        for (int r = 0; r < 7; ++r)
            if (g[c][r]) out.insert({c, r});
    return out;
}

CellGrid GridWith(std::initializer_list<std::tuple<int, int, int>> cells) {
    CellGrid g = {};
    for (auto [slot, c, r] : cells) g[c][r] = slot + 1;
    return g;
}

TEST(Grid, PlacedActorsLandInTheirCells) {
    const auto box = ActorCellBox(23, 316, 32, 32);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.bottom, 2);
    EXPECT_EQ(box.columns, 1);
    EXPECT_EQ(box.rows, 1);
    const auto wide = ActorCellBox(103, 340, 64, 48);
    EXPECT_EQ(wide.left, 2);
    EXPECT_EQ(wide.columns, 2);
    EXPECT_EQ(wide.rows, 2);
    CellGrid g = {};
    MarkBox(g, wide, 5);
    EXPECT_EQ(Cells(g), (std::set<std::pair<int, int>>{{2, 2}, {2, 3}, {3, 2}, {3, 3}}));
}

TEST(Reach, PlayerModeMirrorsThePatternEnemyModeCoversTheQuadrantInFront) {
    using CellSet = std::set<std::pair<int, int>>;
    const CellGrid player = GridWith({{0, 3, 3}}), enemy = GridWith({{4, 3, 3}});
    const CellGrid large = GridWith({{5, 2, 2}, {5, 2, 3}, {5, 3, 2}, {5, 3, 3}});
    const SkillRecord cross = Skill({2, 1}, 0, 0x11);
    const struct {
        CellGrid grid;
        int slot;
        SkillRecord skill;
        int mode;
        ReachPose pose;
        CellSet reach;
    } cases[] = {
        {player, 0, Skill({1}, 0, 0x11), kReachPlayer, {}, {{3, 3}}},
        {player, 0, Skill({0, 1}, 0, 0x11), kReachPlayer, {}, {{2, 3}, {4, 3}}},
        {player, 0, cross, kReachPlayer, {}, {{2, 3}, {4, 3}, {3, 2}, {3, 4}}},
        {GridWith({{0, 0, 6}}), 0, cross, kReachPlayer, {}, {{1, 6}, {0, 5}}},
        // Looking down and right: bits run along columns, bytes along rows.
        {enemy, 4, cross, kReachEnemy, {-1, 0, 32, 24}, {{4, 3}, {3, 4}}},
        {enemy, 4, Skill({6}, 0, 0x11), kReachEnemy, {1, 1, 32, 24}, {{2, 3}, {1, 3}}},  // up, left
        // A frame taller than one row also stretches the first byte one row back.
        {enemy, 4, cross, kReachEnemy, {-1, 0, 32, 32}, {{4, 3}, {4, 2}, {3, 4}}},
        // A 64 x 48 enemy: the origin moves to the front corner (3, 3); reach[0] bits 0 and 1
        // stretch over both rows and reach[k] bit 0 over both columns.
        {large,
         5,
         Skill({3, 1}, 0, 0x11),
         kReachEnemy,
         {-1, 0, 64, 48},
         {{3, 3}, {4, 3}, {3, 2}, {4, 2}, {3, 4}, {2, 3}, {2, 4}}},
    };
    for (const auto& c : cases) {
        CellGrid reach;
        MarkReachCells(reach, c.grid, c.slot, c.skill, c.mode, c.pose);
        EXPECT_EQ(Cells(reach), c.reach) << c.slot << " mode " << c.mode;
    }
}

TEST(Cursor, StepsToTheNextReachCellWrappingRowsAndColumns) {
    CellGrid reach = GridWith({{0, 1, 5}, {0, 4, 0}, {0, 4, 2}});
    EXPECT_EQ(StepCursor(reach, {0, 3}, kDirRight), (GridCell{1, 5}));
    EXPECT_EQ(StepCursor(reach, {1, 5}, kDirRight), (GridCell{4, 0}));  // rows 5..6, then 0..4
    EXPECT_EQ(StepCursor(reach, {4, 0}, kDirDown), (GridCell{4, 2}));
    EXPECT_EQ(StepCursor(reach, {4, 2}, kDirDown), (GridCell{1, 5}));  // columns 4..6, then 0..3
    EXPECT_EQ(StepCursor(reach, {1, 5}, kDirLeft), (GridCell{1, 5}));  // nothing left of it
    EXPECT_EQ(StepCursor(reach, {1, 5}, kDirUp), (GridCell{4, 2}));
}

TEST(Cursor, FacingFollowsTheCursorAndKeepsEqualAxes) {
    int step = 1, facing = 0;
    for (auto [to, wantStep, wantFacing] :
         {std::tuple{GridCell{5, 1}, -1, 1}, {{3, 3}, -1, 1}, {{1, 4}, 1, 0}}) {
        FaceTowards({3, 3}, to, step, facing);
        EXPECT_EQ(std::pair(step, facing), std::pair(wantStep, wantFacing));
    }
}

TEST(Targets, AreaIsCentredAndClippedAtTheGrid) {
    CellGrid g = GridWith({{4, 0, 2}, {5, 1, 2}, {6, 2, 2}, {7, 0, 3}});
    const auto t = TargetsInArea(g, {0, 2}, Skill({}, 0, 0x13), 0);
    EXPECT_EQ(t[4], 1);
    EXPECT_EQ(t[5], 1);
    EXPECT_EQ(t[6], 0);
    EXPECT_EQ(t[7], 0);
    const auto none = TargetsInArea(g, {0, 2}, Skill({}, 0, 0x03), 0);
    EXPECT_EQ(std::count(none.begin(), none.end(), 1), 0);
}

TEST(Targets, SidesDecideWhoIsHit) {
    CellGrid g = GridWith({{0, 2, 2}, {1, 3, 2}, {4, 4, 2}});
    const auto friendly = TargetsInArea(g, {3, 2}, Skill({}, 1, 0x15), 0);
    EXPECT_EQ(friendly[0], 1);  // the user itself
    EXPECT_EQ(friendly[1], 1);
    EXPECT_EQ(friendly[4], 0);
    const auto hostile = TargetsInArea(g, {3, 2}, Skill({}, 0, 0x15), 4);
    EXPECT_EQ(hostile[0], 1);
    EXPECT_EQ(hostile[4], 0);
    EXPECT_EQ(NthTargetSlot(hostile, 1), 1);
    EXPECT_EQ(NthTargetSlot(hostile, 2), -1);
}

CharRecord Fighter(int attack, int defence, int magic = 0) {
    CharRecord r;
    r.stats[kStatAttack] = static_cast<std::uint8_t>(attack);
    r.stats[kStatDefence] = static_cast<std::uint8_t>(defence);
    r.stats[kStatMagic] = static_cast<std::uint8_t>(magic);
    return r;
}

TEST(Damage, StrongHitStaysWithinItsSpread) {
    kit::Random random(12345);
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        std::int32_t e = 0;
        ASSERT_TRUE(ComputeEffect(Fighter(20, 0), Fighter(0, 10), 150, kPhysical, random, e));
        ASSERT_GE(e, -45);
        ASSERT_LE(e, -33);
        seen.insert(e);
    }
    EXPECT_EQ(seen.size(), 13u);  // s = 13 different rolls
}

TEST(Damage, WeakHitUsesTheWideSpreadExactly) {
    kit::Random random(7);
    for (int i = 0; i < 500; ++i) {
        kit::Random copy = random;
        const int roll = copy.next() % 930;
        std::int32_t e = 0;
        ASSERT_TRUE(ComputeEffect(Fighter(20, 0), Fighter(0, 10), 100, kPhysical, random, e));
        EXPECT_EQ(e, roll < 30 ? -(30 - roll) : -1) << roll;
    }
}

TEST(Damage, StrongDefenceStillCostsOnePoint) {
    kit::Random random(3);
    for (int i = 0; i < 100; ++i) {
        std::int32_t e = 0;
        ASSERT_TRUE(ComputeEffect(Fighter(5, 0), Fighter(0, 200), 100, kPhysical, random, e));
        EXPECT_EQ(e, -1);
    }
}

TEST(Damage, HealingIsPositiveAndHugeValuesAreCapped) {
    kit::Random random(9);
    std::int32_t e = 0;
    ASSERT_TRUE(ComputeEffect(Fighter(0, 0, 50), Fighter(0, 0), 100, kHealing, random, e));
    EXPECT_GE(e, 50 - 15 + 1);
    EXPECT_LE(e, 50);
    ASSERT_TRUE(ComputeEffect(Fighter(255, 0), Fighter(0, 0), 65535, kPhysical, random, e));
    EXPECT_EQ(e, -9999);
}

TEST(Knockback, PushesAwayFromTheAttackerAndKeepsTheNibbleOfAnEqualAxis) {
    const struct {
        std::uint8_t previous;
        int targetX, targetY;
        std::uint8_t byte;
    } cases[] = {
        {0x00, 132, 300, 0x01},                          // right of the attacker at (100, 300)
        {0x00, 68, 324, 0x12},                           // left and below
        {0x00, 100, 276, 0x20},                          // straight above
        {0x00, 100, 300, 0x00}, {0x20, 132, 300, 0x21},  // an earlier push along is kept
        {0x02, 100, 324, 0x12},                          // and so is one across
    };
    for (const auto& c : cases)
        EXPECT_EQ(KnockbackDirections(c.previous, 100, 300, c.targetX, c.targetY), c.byte)
            << c.targetX << "," << c.targetY;
}

TEST(EnemyChoice, DrawsByWeightAndNeverDividesByZero) {
    kit::Random random(1);
    const auto before = random.state();
    EXPECT_EQ(ChooseEnemyAction({5u}, random), 0);  // weight 0
    EXPECT_EQ(ChooseEnemyAction({}, random), 0);
    EXPECT_EQ(random.state(), before);
    int fives = 0;
    for (int i = 0; i < 4000; ++i) {
        const int s = ChooseEnemyAction({5u | (3u << 16), 1u | (1u << 16)}, random);
        ASSERT_TRUE(s == 5 || s == 1);
        fives += s == 5;
    }
    // The roll r in 0..3 picks skill 5 while r <= 3 - the running sum takes the first entry at
    // which it reaches r, so weight 3 wins every roll of a total of 4.
    EXPECT_EQ(fives, 4000);
}

}  // namespace
