#include <gtest/gtest.h>

#include "BattleGame.h"
#include "engine/battle/GameDataFiles.h"
#include "engine/core/Engine.h"

namespace {

TEST(GameDataFiles, CharacterFilesAreCountedUpToTheFirstGap) {
    BattleGame g;
    for (int n : {0, 1, 2, 3, 4, 6}) g.WriteCharacter(n, "c" + std::to_string(n), 10 + n, {1});
    LoadCharacterTable(g.engine);
    ASSERT_EQ(g.engine.CharacterTable.size(), 5u);
    EXPECT_STREQ(g.engine.CharacterTable[4].name, "c4");
    EXPECT_EQ(g.engine.CharacterTable[4].hp, 14);
    EXPECT_TRUE(g.Boxes().empty());
}

TEST(GameDataFiles, AMissingSkillDatabaseIsNamedAndLeavesNoSkills) {
    BattleGame g;
    g.engine.SkillTable.resize(3);
    LoadSkillTable(g.engine);
    EXPECT_TRUE(g.engine.SkillTable.empty());
    ASSERT_EQ(g.Boxes().size(), 1u);
    EXPECT_NE(g.Boxes()[0].find("Dtbs\\\\wzDt.qd"), std::string::npos);
}

TEST(GameDataFiles, SkillsLoadOnePerLine) {
    BattleGame g;
    g.WriteStandardFiles();
    LoadSkillTable(g.engine);
    ASSERT_EQ(g.engine.SkillTable.size(), 5u);
    EXPECT_EQ(g.engine.SkillTable[3].name, "mend");
    EXPECT_TRUE(g.engine.SkillTable[3].ownSide());
    FreeSkillTable(g.engine);
    EXPECT_TRUE(g.engine.SkillTable.empty());
}

}  // namespace
