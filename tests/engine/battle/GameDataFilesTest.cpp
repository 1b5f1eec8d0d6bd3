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

TEST(GameDataFiles, SkillsLoadOnePerLineWhateverTheLineEnds) {
    BattleGame g;
    for (const std::string end : {"\n", "\r\n"}) {
        // An empty line between two skills is read past, not counted.
        g.h.WriteFile("Dtbs\\wzDt.qd", "a b 0,0,0,0,0,0,0,-0,1*1," + end + end +
                                           "mend heal 0,0,0,0,0,0,0,-1,1*1," + end);
        LoadSkillTable(g.engine);
        ASSERT_EQ(g.engine.SkillTable.size(), 2u) << end.size();
        EXPECT_EQ(g.engine.SkillTable[1].name, "mend");
        EXPECT_TRUE(g.engine.SkillTable[1].ownSide());
    }
}

}  // namespace
