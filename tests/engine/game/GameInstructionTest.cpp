// f26-f30: each instruction, what it leaves in P2 and the trace, and what it refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/script/ScriptRunner.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

using gamedir::LoadSource;

// The trace's lines without their frame numbers.
std::vector<std::string> Events(const EngineHarness& h) {
    std::vector<std::string> events;
    for (const std::string& line : h.Trace()) events.push_back(line.substr(line.find(' ') + 1));
    return events;
}

struct InstructionCase {
    const char* name;
    const char* source;  // runs as the global script; it ends by copying P2 into variable 7
    std::int32_t p2;
    std::vector<std::string> events;  // trace lines; a box line is matched by its start
};

class GameInstructionTest : public ::testing::TestWithParam<InstructionCase> {};

TEST_P(GameInstructionTest, LeavesP2AndTheTrace) {
    const InstructionCase& c = GetParam();
    EngineHarness h;
    Engine& e = h.engine;
    LoadSource(e.Scripts.GlobalScript, std::string("c0;2;-9;= ") + c.source + " c0;7;2;C #");
    RunGlobalScript(e);
    EXPECT_EQ(e.Scripts.GlobalScript.variables[7], c.p2);
    const auto events = Events(h);
    ASSERT_EQ(events.size(), c.events.size()) << testing::PrintToString(events);
    for (std::size_t i = 0; i < events.size(); ++i)
        EXPECT_EQ(events[i].substr(0, c.events[i].size()), c.events[i]);
}

const InstructionCase kInstructionCases[] = {
    {"VariableSetAndRead", "c0;0;5;= c0;1;1;= c0;2;42;= f26; c0;1;0;= f26;", 42, {"var 5 42"}},
    {"VariableAddWraps",
     "c0;0;999;= c0;1;1;= c0;2;2147483647;= f26; c0;1;2;= c0;2;1;= f26; c0;1;0;= f26;",
     -2147483647 - 1,
     {"var 999 2147483647", "var 999 -2147483648"}},
    {"FreshVariableIsZero", "c0;0;3;= c0;1;0;= f26;", 0, {}},
    {"VariableOutOfRange",
     "c0;0;1000;= c0;1;1;= f26;",
     -9,
     {"box エラー発生|Script error: game variable 1000 does not exist"}},
    {"NegativeVariable",
     "c0;0;-1;= c0;1;0;= f26;",
     -9,
     {"box エラー発生|Script error: game variable -1 does not exist"}},
    {"VariableOperationUnknown",
     "c0;0;1;= c0;1;3;= f26;",
     -9,
     {"box エラー発生|Script error: operation of f26 3 does not exist"}},
    {"SwitchOnAndRead", "c0;0;7;= c0;1;1;= f27; c0;1;0;= f27;", 1, {"switch 7 on"}},
    {"SwitchToggledTwiceThenOff",
     "c0;0;0;= c0;1;3;= f27; f27; f27; c0;1;2;= f27; c0;1;0;= f27;",
     0,
     {"switch 0 on", "switch 0 off", "switch 0 on", "switch 0 off"}},
    {"SwitchOutOfRange",
     "c0;0;1000;= c0;1;1;= f27;",
     -9,
     {"box エラー発生|Script error: game switch 1000 does not exist"}},
    {"SwitchOperationUnknown",
     "c0;0;1;= c0;1;4;= f27;",
     -9,
     {"box エラー発生|Script error: operation of f27 4 does not exist"}},
    {"FieldMusicPlaysAtOnce", "c4;=$town// f29;", -9, {"music BGM\\town.mid"}},
    {"EmptyFieldMusicIsSilence",
     "c4;=$town// f29; c4;=$// f29; c4;=$town// f29;",
     -9,
     {"music BGM\\town.mid", "music-stop", "music BGM\\town.mid"}},
    {"BattleRulesOutOfRange",
     "c0;0;4;= f30; c0;0;-1;= f30;",
     -9,
     {"box エラー発生|Script error: battle rules 4 do not exist",
      "box エラー発生|Script error: battle rules -1 do not exist"}},
};

INSTANTIATE_TEST_SUITE_P(Each, GameInstructionTest, ::testing::ValuesIn(kInstructionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GameStateTest, RulesWaitForTheNextBattleAndLongMusicNamesAreRefused) {
    EngineHarness h;
    Engine& e = h.engine;
    LoadSource(e.Scripts.GlobalScript, "c0;0;3;= f30; c4;=$" + std::string(250, 'x') + "// f29; #");
    RunGlobalScript(e);
    EXPECT_EQ(e.Game.nextBattleRules, 3);
    EXPECT_FALSE(e.Game.fieldMusicChosen);
    ASSERT_EQ(Events(h).size(), 1u);
    EXPECT_NE(Events(h)[0].find("the music name is longer than 247 bytes"), std::string::npos);
}

}  // namespace
