#include <gtest/gtest.h>

#include "BattleGame.h"
#include "engine/battle/Battle.h"
#include "engine/battle/BattleRules.h"
#include "engine/battle/BattleState.h"
#include "engine/core/Engine.h"
#include "engine/field/FieldState.h"

namespace {

class BattleScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        g.WriteStandardFiles();
        g.LoadGame();
        g.StartBattle(0);
    }
    BattleState& b() { return *g.engine.Battle; }
    std::uint16_t Pixel(int x, int y) { return g.engine.Screen.At(x, y); }
    static int Blue(std::uint16_t p) { return p & 31; }
    static int Red(std::uint16_t p) { return (p >> 10) & 31; }

    BattleGame g;
};

TEST_F(BattleScreen, PlayerAimingDarkensAllButTheBlueReach) {
    b().pending[0] = 1;
    b().activeSlot = 0;
    BeginAiming(g.engine);
    DrawBattle(g.engine);
    const std::uint16_t plain = b().background.At(100, 10), topBand = Pixel(100, 220);
    EXPECT_LT(Blue(topBand), Blue(plain));
    EXPECT_EQ(Pixel(3, 300), topBand);
    EXPECT_EQ(Pixel(235, 300), topBand);
    EXPECT_GT(Blue(Pixel(7 + 32 * 3 + 2, 244 + 24 * 6 + 20)), Blue(plain));  // in reach
}

TEST_F(BattleScreen, EnemyReachIsRedWithoutDarkening) {
    b().activeSlot = 4;
    b().pending[4] = 2;
    MarkReach(g.engine, 4, kReachEnemy);
    b().enemyActing = 1;
    DrawBattle(g.engine);
    const std::uint16_t plain = b().background.At(100, 10);
    EXPECT_EQ(Pixel(100, 220), plain);
    EXPECT_EQ(Pixel(3, 300), plain);
    // Column 6, row 6 lies in front of the slime.
    EXPECT_GT(Red(Pixel(7 + 32 * 6 + 4, 244 + 24 * 6 + 4)), Red(plain));
}

TEST_F(BattleScreen, SingleCellAreaBracketsTheCursorCell) {
    b().pending[0] = 1;
    b().activeSlot = 0;
    b().aiming = 1;
    b().cursor = PackCursor({3, 0});
    b().reach = {};
    DrawBattle(g.engine);
    const int cx = 7 + 32 * 3;
    const int cy = 244;
    const std::uint16_t magenta = g.engine.PictureSlots[2].At(0, 0);
    EXPECT_EQ(Pixel(cx + 31, cy + 23), magenta);
    EXPECT_EQ(Pixel(cx, cy + 23), magenta);
    EXPECT_NE(Pixel(cx + 12, cy + 20), magenta);
}

TEST_F(BattleScreen, LabelNearTheRightEdgeEndsAtTheEdge) {
    std::snprintf(g.engine.CharacterTable[2].name, 21, "%s", "ABCDEFGHIJKLMNOPQRST");
    Actor& a = g.engine.Actors[0];
    a.x = 220;
    a.y = 300;
    b().activeSlot = 0;
    DrawBattle(g.engine);
    const std::uint16_t before = Pixel(239, 315);
    const std::uint16_t outside = Pixel(239 - 124 - 1, 315);
    MarkActive(g.engine, MarkerLabel::Label);
    // Label width 6 x 20 + 4 = 124 pixels, placed at 240 - 124.
    EXPECT_NE(Pixel(239, 315), before);
    EXPECT_EQ(Pixel(239 - 124 - 1, 315), outside);
}

TEST_F(BattleScreen, ShakesAddUpToNothing) {
    b().targeted = {};
    b().targeted[0] = 1;
    b().targeted[1] = 1;
    b().targeted[4] = 1;
    b().effect[0] = 0;    // missed: a side-step
    b().effect[1] = -12;  // hit
    b().effect[4] = -5;
    const int x0 = g.engine.Actors[0].x;
    const int x1 = g.engine.Actors[1].x;
    const int x4 = g.engine.Actors[4].x;
    b().numbersTimer = 70;
    NumbersStep(g.engine);  // 69
    NumbersStep(g.engine);  // 68
    EXPECT_EQ(g.engine.Actors[0].x, x0 + 12);
    EXPECT_EQ(g.engine.Actors[1].x, x1 + 1);
    for (int i = 0; i < 18; ++i) NumbersStep(g.engine);  // down to 50
    EXPECT_EQ(b().numbersTimer, 50);
    EXPECT_EQ(g.engine.Actors[0].x, x0);
    EXPECT_EQ(g.engine.Actors[1].x, x1);
    EXPECT_EQ(g.engine.Actors[4].x, x4);
    EXPECT_EQ(g.engine.Actors[4].level, 32);
    for (int i = 0; i < 60; ++i) NumbersStep(g.engine);
    EXPECT_EQ(b().numbersTimer, 0);
}

}  // namespace
