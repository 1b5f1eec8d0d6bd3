#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "engine/battle/GameData.h"
namespace {

const std::string kAllen = "\x83\x41\x83\x8C\x83\x93";  // アレン

TEST(CharacterFile, ReadsTheFourLineExample) {
    CharRecord r;
    ParseCharacter("hero1\n" + kAllen + " alen\n120,8,\n0,12,9,10,7,5,6,3,\n", r);
    EXPECT_STREQ(r.codeName, "hero1");
    EXPECT_EQ(std::string(r.name), kAllen);
    EXPECT_STREQ(r.pictureName, "alen");
    EXPECT_EQ(
        (std::array<int, 5>{r.hp, r.lp, r.stats[kStatAttack], r.stats[kStatSpeed], r.stats[7]}),
        (std::array<int, 5>{120, 8, 12, 9, 3}));
}

TEST(CharacterFile, OddTextIsReadAsFormattedInputReadsIt) {
    const struct {
        std::string text;
        int stat, value;
    } cases[] = {
        {"c\nn p\n10,0,\n0,300,\n2,\t3,4,5,6,-1,", 1, 44},  // the low eight bits, lines wrapped
        {"c\nn p\n10,0,\n0,300,\n2,\t3,4,5,6,-1,", 7, 255},
        {"c\nn p\n10,2,\n1,2,x", 1, 2},
        {"c\nn p\n10,2,\n1,2,x", 3, 77},  // a malformed number leaves the rest as it was
    };
    for (const auto& c : cases) {
        CharRecord r;
        r.stats[3] = 77;
        ParseCharacter(c.text, r);
        EXPECT_EQ(r.stats[c.stat], c.value) << c.text;
    }
    // 11 two-byte characters (22 bytes) for a 21-byte name: ten fit, the tail is read past.
    std::string longName;
    for (int i = 0; i < 11; ++i) longName += "\x83\x41";
    CharRecord r;
    ParseCharacter("codenamethatisfartoolongforit\n" + longName + " pic\n5,1,\n", r);
    EXPECT_EQ(std::strlen(r.codeName), 20u);
    EXPECT_EQ(std::strlen(r.name), 20u);
    EXPECT_STREQ(r.pictureName, "pic");
    EXPECT_EQ(r.maxHp, 5);
}

TEST(SkillDatabase, CountsLinesTheWayTheLoaderDoesAndReadsEachField) {
    EXPECT_EQ(CountSkillLines("a\nb\nc\n"), 3u);
    EXPECT_EQ(CountSkillLines("a\nb\nc"), 3u);
    EXPECT_EQ(CountSkillLines("a\nb\nc\n\n"), 4u);  // a final empty line counts
    EXPECT_EQ(CountSkillLines("a\n\nb\n"), 2u);     // an empty line between two is read past
    const auto table = ParseSkillTable(
        "fire burn 2,1,0,0,0,0,0,-0,1*1,\n"
        "heal mend 0,0,0,0,0,0,0,-1,3*2,\n"
        "wide sweep 1,0,0,0,0,0,300,-0,19*35,\n\n");
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table[0].name, "fire");
    EXPECT_EQ(table[0].description, "burn");
    EXPECT_EQ(table[0].reach[0], 2);
    EXPECT_FALSE(table[0].ownSide());
    EXPECT_EQ(table[0].area, 0x11);
    EXPECT_EQ(table[1].flags, 1);
    EXPECT_EQ(table[1].area, 0x23);
    EXPECT_EQ(table[2].reach[6], 44);
    EXPECT_EQ(table[2].area, 0x33);  // 19 and 35: the low four bits of each
    EXPECT_EQ(table[3].name, "");    // the empty line's record
}

TEST(EnemyFile, ReadsRecordRewardsAndABoundedActionList) {
    const auto e = ParseEnemy("slime sl\n40,0,\n0,8,3,2,1,0,1,0,\n10,5,\n2:\n5-3\n1-1\n");
    EXPECT_STREQ(e.record.name, "slime");
    EXPECT_STREQ(e.record.pictureName, "sl");
    EXPECT_EQ((std::pair<int, int>(e.record.hp, e.record.stats[kStatAttack])), std::pair(40, 8));
    ASSERT_EQ(e.actions.size(), 2u);
    EXPECT_EQ(ActionSkill(e.actions[0]), 5);
    EXPECT_EQ(ActionWeight(e.actions[0]), 3);
    EXPECT_EQ(ActionSkill(e.actions[1]), 1);
    const auto absurd = ParseEnemy("x y\n1,0,\n0,0,0,0,0,0,0,0,\n0,0,\n2000000000:\n1-1\n");
    EXPECT_LE(absurd.actions.size(), 10u);
    EXPECT_TRUE(ParseEnemy("x y\n1,0,\n0,0,0,0,0,0,0,0,\n0,0,\n-5:\n").actions.empty());
}

TEST(GroupFile, ReadsTheRequestedLineAndMarksWhatItCouldNotRead) {
    const std::string file =
        "1,x,1,1,1,1,1,0-0,0-0,0-0,0-0,0-0,0-0,0-0,0-0,0-0,0-0,0-0,\n"
        "3,3,0,0,0,0,0,1-2,1-3,1-4,1-5,6-2,6-4,0-0,0-0,0-0,0-0,0-0,\n";
    const auto g = ParseGroupLine(file, 1);
    ASSERT_TRUE(g.present);
    EXPECT_EQ((std::array<int, 5>{g.enemy[0], g.column[0], g.row[0], g.column[5], g.row[5]}),
              (std::array<int, 5>{3, 1, 2, 6, 4}));
    EXPECT_TRUE(g.placeRead[10]);
    EXPECT_FALSE(ParseGroupLine(file, 0).enemyRead[1]);
    EXPECT_FALSE(ParseGroupLine(file, 2).present);
    EXPECT_FALSE(ParseGroupLine("", 0).present);
}

TEST(Placement, FollowsTheGridColumns) {
    EXPECT_EQ(PlacedX(32, 1), 23);
    EXPECT_EQ(PlacedY(2), 316);
    EXPECT_EQ(PlacedX(64, 3), 103);
    EXPECT_EQ(PlacedX(33, 3), 39 + 96 - 16);
    EXPECT_TRUE(PlacementOnGrid(7, 6));
    EXPECT_FALSE(PlacementOnGrid(8, 0));
    EXPECT_FALSE(PlacementOnGrid(0, -1));
}

}  // namespace
