// Levels from experience, the growth and rewards lines of old and new character and enemy
// files, and items used on the party outside battle.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/battle/GameData.h"
#include "engine/battle/Growth.h"
#include "engine/battle/ItemUse.h"
#include "engine/core/Engine.h"
#include "engine/items/Holdings.h"
#include "engine/platform/headless/EngineHarness.h"

namespace {

std::vector<std::string> Events(const EngineHarness& h) {
    std::vector<std::string> events;
    for (const std::string& line : h.Trace()) events.push_back(line.substr(line.find(' ') + 1));
    return events;
}

TEST(GrowthTest, LevelsFollowTheExperienceTable) {
    EXPECT_EQ(ExperienceForLevel(1), 0);
    EXPECT_EQ(ExperienceForLevel(2), 20);
    EXPECT_EQ(ExperienceForLevel(99), 97'020);
    EXPECT_EQ(ExperienceForLevel(150), 97'020);

    EngineHarness h;
    CharRecord hero;
    ParseCharacter("hero\nHero hero\n100,10,\n0,13,9,9,7,8,7,6,\n+12,1,0,2,0,0,0,0,0,0,\n", hero);
    hero.hp = 50;
    h.engine.CharacterTable = {CharRecord{}, hero};
    h.engine.PartyLineup = {1, 0, 0, 0};
    EXPECT_EQ(GainExperience(h.engine, 0, 59), 1);
    EXPECT_EQ(GainExperience(h.engine, 0, 1), 1);
    const CharRecord& grown = h.engine.CharacterTable[1];
    EXPECT_EQ(grown.level, 3);
    EXPECT_EQ(grown.maxHp, 124);
    EXPECT_EQ(grown.hp, 74);  // hit points grow with the maximum
    EXPECT_EQ(grown.stats[1], 17);
    EXPECT_EQ(ExperienceToNextLevel(h.engine, 0), 120 - 60);
    EXPECT_EQ(GainExperience(h.engine, 0, 99'999'999), 96);
    EXPECT_EQ(MemberLevel(h.engine, 0), 99);
    EXPECT_EQ(MemberExperience(h.engine, 0), kMaxExperience);
    EXPECT_EQ(ExperienceToNextLevel(h.engine, 0), 0);
    EXPECT_EQ(h.engine.CharacterTable[1].maxHp, 100 + 98 * 12);
    EXPECT_EQ(GainExperience(h.engine, 1, 10), 0);  // an empty slot
    const auto events = Events(h);
    EXPECT_EQ(std::vector<std::string>(events.begin(), events.begin() + 4),
              (std::vector<std::string>{"exp 0 59", "level 0 2", "exp 0 60", "level 0 3"}));
}

TEST(GrowthTest, CharacterAndEnemyFilesWithoutTheNewLinesReadAsBefore) {
    CharRecord old;
    std::string problem;
    ParseCharacter("hero\nHero hero\n120,12,\n0,13,9,9,7,8,7,6,\n", old, &problem);
    EXPECT_EQ(problem, "");
    EXPECT_EQ(old.level, 1);
    EXPECT_EQ(old.growth.hp, 12);
    EXPECT_EQ(old.growth.lp, 1);
    EXPECT_EQ(old.growth.stats[kStatAttack], 1);
    EXPECT_EQ(old.growth.stats[0], 0);

    CharRecord damaged;
    ParseCharacter("hero\nHero hero\n120,12,\n0,13,9,9,7,8,7,6,\n+1,2,x\n", damaged, &problem);
    EXPECT_NE(problem.find("growth line"), std::string::npos);
    EXPECT_EQ(damaged.growth.hp, 12);

    const struct {
        const char* tail;
        std::int32_t experience, gold;
        bool damaged;
    } kEnemies[] = {
        {"", 0, 0, false},      {"\n30,12,\n", 30, 12, false}, {"30,12", 30, 12, false},
        {"30,-1,", 0, 0, true}, {"30,12,7,", 0, 0, true},      {"99999999,0,", 0, 0, true},
    };
    for (const auto& c : kEnemies) {
        problem.clear();
        const EnemyFile enemy = ParseEnemy(
            std::string("slime slime\n48,0,\n0,15,5,7,3,0,4,0,\n8,4,\n1:\n5-1\n") + c.tail,
            &problem);
        EXPECT_EQ(enemy.record.experience, c.experience) << c.tail;
        EXPECT_EQ(enemy.record.gold, c.gold) << c.tail;
        EXPECT_EQ(problem.empty(), !c.damaged) << c.tail;
        EXPECT_EQ(enemy.actions.size(), 1u);
    }
}

TEST(ItemUseTest, HealingItemsWorkOnlyWhereTheyHelp) {
    EngineHarness h;
    ASSERT_EQ(h.engine.Items.table.Parse("1,Potion,10,heal,30,\n2,Ether,30,heal-all,20,\n"
                                         "3,Life,50,revive,0,\n4,Bomb,20,damage,50,\n"
                                         "5,Key,0,key,0,\n"),
              "");
    CharRecord member;
    member.maxHp = 100;
    member.hp = 90;
    h.engine.CharacterTable = {CharRecord{}, member, member};
    h.engine.CharacterTable[2].hp = 0;
    h.engine.PartyLineup = {1, 2, 0, 0};
    for (int id = 1; id <= 5; ++id) ChangeItemCount(h.engine, id, 1);
    const struct {
        std::int32_t id;
        int slot;
        bool used;
        std::int32_t hp0, hp1;
    } kUses[] = {
        {1, 1, false, 90, 0},   // a fallen member is not healed
        {3, 0, false, 90, 0},   // nor is a living one revived
        {4, 0, false, 90, 0},   // damage and key items have no use here
        {5, 0, false, 90, 0},   //
        {9, 0, false, 90, 0},   // not in the table
        {1, 2, false, 90, 0},   // an empty slot
        {3, 1, true, 90, 1},    // revived with at least 1
        {1, 0, true, 100, 1},   //
        {1, 0, false, 100, 1},  // none left
        {2, 0, true, 100, 21},  // the whole party
    };
    for (const auto& u : kUses) {
        EXPECT_EQ(UseItemOnPartyMember(h.engine, u.id, u.slot), u.used) << u.id << " " << u.slot;
        EXPECT_EQ(h.engine.CharacterTable[1].hp, u.hp0);
        EXPECT_EQ(h.engine.CharacterTable[2].hp, u.hp1);
    }
    const auto events = Events(h);
    EXPECT_EQ(std::vector<std::string>(events.end() - 6, events.end()),
              (std::vector<std::string>{"item 3 0", "item-used 3", "item 1 0", "item-used 1",
                                        "item 2 0", "item-used 2"}));
}

}  // namespace
