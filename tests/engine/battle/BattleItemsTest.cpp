// アイテム in battle and the rewards of a victory: which member or enemy an item reaches, what it
// does and that it is used up; the experience, gold and levels a won battle gives, page by page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BattleGame.h"
#include "engine/battle/Battle.h"
#include "engine/battle/BattleState.h"
#include "engine/core/Engine.h"
#include "engine/core/Sjis.h"
#include "engine/items/Holdings.h"

namespace {

const char* const kItems =
    "1,Potion,10,heal,30,\n2,Ether,30,heal-all,20,\n3,Life,50,revive,10,\n"
    "4,Bomb,20,damage,100,\n5,Key,0,key,0,\n";

class BattleItems : public ::testing::Test {
  protected:
    void SetUp() override {
        g.WriteStandardFiles();
        g.LoadGame();
    }
    // Opens アイテム for the first member; Shift on menu entry `entry`, then on the first place it
    // can be aimed at.
    void UseItem(int entry) {
        g.Hold("shift", 2);
        g.Hold("", 10);
        g.engine.Battle->menu.cursor = 2;
        g.Hold("shift", 2);
        g.Hold("", 10);
        if (g.engine.ModeProc != ItemMenu) return;
        g.engine.Battle->menu.cursor = entry;
        g.Hold("shift", 2);
        g.Hold("", 10);
        g.Hold("shift", 2);
        g.HoldUntil("", 100, [&] { return g.engine.ModeProc != ItemEffect; });
    }
    std::vector<std::string> Events() const {
        std::vector<std::string> events;
        for (const std::string& line : g.h.Trace()) {
            const std::string event = line.substr(line.find(' ') + 1);
            if (event.starts_with("item") || event.starts_with("exp") ||
                event.starts_with("level") || event.starts_with("gold"))
                events.push_back(event);
        }
        return events;
    }

    BattleGame g;
};

TEST_F(BattleItems, AnItemIsAimedUsedUpAndEndsTheTurn) {
    const struct {
        const char* items;  // the item table; nullptr for none
        std::vector<int> held;
        int entry;
        std::vector<std::int32_t> hp;  // slots 0..3 and the slime afterwards
        std::vector<std::string> events;
        bool turnPassed;
    } kCases[] = {
        {kItems, {2, 0, 0, 0, 0}, 0, {80, 0, 100, 100, 20}, {"item 1 1", "item-used 1"}, true},
        {kItems, {0, 1, 0, 0, 0}, 0, {70, 0, 100, 100, 20}, {"item 2 0", "item-used 2"}, true},
        {kItems, {0, 0, 1, 0, 0}, 0, {50, 10, 100, 100, 20}, {"item 3 0", "item-used 3"}, true},
        {kItems, {0, 0, 0, 1, 1}, 0, {50, 0, 100, 100, 0}, {"item 4 0", "item-used 4"}, true},
        {kItems, {0, 0, 0, 0, 3}, 0, {50, 0, 100, 100, 20}, {}, false},  // a key is no use
        {nullptr, {}, 0, {50, 0, 100, 100, 20}, {}, false},  // no table: アイテム does nothing
    };
    for (const auto& c : kCases) {
        Engine& e = g.engine;
        e.Items = ItemState{};
        if (c.items) {
            ASSERT_EQ(e.Items.table.Parse(c.items), "");
        }
        for (std::size_t i = 0; i < c.held.size(); ++i)
            e.Items.held.counts[i + 1] = static_cast<std::uint8_t>(c.held[i]);
        for (CharRecord& r : e.CharacterTable) r.hp = r.maxHp;
        e.CharacterTable[static_cast<std::size_t>(e.PartyLineup[0])].hp = 50;
        e.CharacterTable[static_cast<std::size_t>(e.PartyLineup[1])].hp = 0;
        const std::size_t before = Events().size();
        g.StartBattle(0);
        UseItem(c.entry);
        ASSERT_TRUE(e.Battle);
        for (int s = 0; s < 5; ++s)
            EXPECT_EQ(Combatant(e, s).hp, c.hp[static_cast<std::size_t>(s)]) << s;
        const std::vector<std::string> all = Events();
        EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<long>(before), all.end()),
                  c.events);
        EXPECT_EQ(e.ModeProc == CommandMenu, !c.turnPassed);
        EXPECT_EQ(e.Battle->alive[1], c.hp[1] > 0 ? 1 : 0);
        e.Battle.reset();
    }
}

TEST_F(BattleItems, AVictoryGivesExperienceGoldAndLevelsPageByPage) {
    Engine& e = g.engine;
    g.WriteEnemy(1, "slime", 20, {0, 10, 3, 2, 5, 0, 1, 0}, "1:\n2-1\n30,7,\n");
    e.CharacterTable[static_cast<std::size_t>(e.PartyLineup[1])].hp = 0;  // the fallen gain none
    g.StartBattle(1);                                                     // two slimes
    for (int s = kPartySlots; s < kSlotCount; ++s) e.Battle->alive[s] = 0;
    e.ModeProc = AfterAction;
    g.Hold("", 1);
    EXPECT_EQ(Events(), (std::vector<std::string>{"gold 14", "exp 0 60", "level 0 2", "level 0 3",
                                                  "exp 2 60", "level 2 2", "level 2 3", "exp 3 60",
                                                  "level 3 2", "level 3 3"}));
    const CharRecord& first = e.CharacterTable[static_cast<std::size_t>(e.PartyLineup[0])];
    EXPECT_EQ(first.maxHp, 120);
    EXPECT_EQ(first.hp, 120);
    EXPECT_EQ(first.stats[kStatSpeed], 10);
    EXPECT_EQ(Gold(e), 14);
    // 戦いに勝った！！, the rewards, three levels gained, then the field.
    std::vector<std::string> pages = {e.Battle->message};
    while (e.Battle && pages.size() < 10) {
        g.HoldUntil("shift", 40, [&] { return !e.Battle || e.Battle->message != pages.back(); });
        if (e.Battle) pages.push_back(e.Battle->message);
        g.Hold("", 20);
    }
    ASSERT_EQ(pages.size(), 5u);
    EXPECT_EQ(pages[1], Sjis("経験値 60\nゴールド 14"));
    EXPECT_EQ(pages[2].substr(0, pages[2].find('\n')),
              std::string(first.name) + " " + Sjis("レベルが上がった！"));
    EXPECT_NE(pages[2].find(Sjis("レベル 3  HP 120/120")), std::string::npos);
}

}  // namespace
