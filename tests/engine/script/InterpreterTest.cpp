// The event script runners and the core instruction class `c`.
#include <gtest/gtest.h>

#include "engine/script/ScriptRunner.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

using namespace std::string_view_literals;
using gamedir::Boxes;
using gamedir::LoadSource;

struct InterpreterTest : ::testing::Test {
    EngineHarness h;
    QDCR& global = h.engine.Scripts.GlobalScript;
    std::int32_t Var(int i) const { return global.variables[static_cast<std::size_t>(i)]; }
    void Run(std::string_view source) {
        LoadSource(global, source);
        RunGlobalScript(h.engine);
    }
    void RunBytes(std::string_view bytes) {
        global.Load(gamedir::Bytes(bytes));
        RunGlobalScript(h.engine);
    }
};

TEST_F(InterpreterTest, ArithmeticAndTheMinusMessage) {
    Run("c0;1;7;= c0;1;-2;+ c0;5;1;C #");
    EXPECT_EQ(Var(1), 5);
    EXPECT_EQ(Var(5), 5);
    // '*' starts a comment in source text, so this part is written as bytes.
    RunBytes(
        "c\0"
        "1;2;/ c\0"
        "3;-7;= c\0"
        "3;2;/ c\0"
        "4;6;= c\0"
        "4;-3;* #"sv);
    EXPECT_EQ(Var(1), 2);
    EXPECT_EQ(Var(3), -3);  // truncated toward zero
    EXPECT_EQ(Var(4), -18);
    Run("c0;1;0;- #");
    EXPECT_EQ(Var(1), 2);
    EXPECT_EQ(Boxes(h), std::vector<std::string>{"エラー発生|なんじゃ？！\"-\"を入れましたね？"});
}

TEST_F(InterpreterTest, RandomDrawsFromTheEngineGenerator) {
    kit::Random expected(1);
    Run("c0;0;6;R c0;1;6;R #");
    const int first = expected.next() % 6;
    const int second = expected.next() % 6;
    EXPECT_EQ(Var(0), first);
    EXPECT_EQ(Var(1), second);
}

TEST_F(InterpreterTest, ComparisonsSetVariableTwo) {
    Run("c0;0;4;= c0;1;4;= c0;2;9;= c1;0;<1; #");
    EXPECT_EQ(Var(2), 0);
    Run("c0;2;9;= c1;0;!1; #");
    EXPECT_EQ(Var(2), 0);
    Run("c1;0;=1; #");
    EXPECT_EQ(Var(2), 1);
    Run("c0;1;5;= c1;0;<1; #");
    EXPECT_EQ(Var(2), 1);
    Run("c0;2;9;= c1;0;?1; #");  // an unknown comparison leaves the flag alone
    EXPECT_EQ(Var(2), 9);
}

TEST_F(InterpreterTest, ConditionalJumpNotTakenPassesOverItsOperandsInTheSameRun) {
    Run("c0;2;0;= c3;0;$SKIP// c0;3;9;= # @SKIP// c0;4;1;= #");
    EXPECT_EQ(Var(3), 9);
    EXPECT_EQ(Var(4), 0);
    Run("c0;3;0;= c0;2;1;= c3;0;$SKIP// c0;3;9;= # @SKIP// c0;4;1;= #");
    EXPECT_EQ(Var(3), 0);
    EXPECT_EQ(Var(4), 1);
}

TEST_F(InterpreterTest, JumpsSearchBothWaysFromTheInstruction) {
    // Backward finds the nearest label before the jump; forward the next one after it.
    Run("c0;1;3;= @A// c0;0;1;+ c1;0;=1; c3;0;$END// c2;1;$A// @END// c2;0;$A// c0;5;7;= # "
        "@A// c0;6;1;= #");
    EXPECT_EQ(Var(0), 3);
    EXPECT_EQ(Var(5), 0);
    EXPECT_EQ(Var(6), 1);
}

TEST_F(InterpreterTest, LoopRunsItsBodyThreeTimes) {
    Run("c0;6;0;= c0;7;3;= @L// c0;5;1;+ c5;$L// c0;4;1;= #");
    EXPECT_EQ(Var(5), 3);
    EXPECT_EQ(Var(6), 3);
    EXPECT_EQ(Var(4), 1);
}

TEST_F(InterpreterTest, StringRegisterSetAndAppend) {
    Run("c4;=$ev\\hero// c4;+$ abc// #");
    EXPECT_EQ(global.String(), "ev\\hero abc");
    Run("c4;?$x// #");
    EXPECT_EQ(global.String(), "ev\\hero abc");
    EXPECT_EQ(Boxes(h).back(), "エラー発生|str:なんじゃ？！");
}

TEST_F(InterpreterTest, YieldEndsTheFrameAndZeroByteStopsForGood) {
    Run("c0;0;1;+ # c0;0;10;+ #");
    EXPECT_EQ(Var(0), 1);
    RunGlobalScript(h.engine);
    EXPECT_EQ(Var(0), 11);
    RunGlobalScript(h.engine);  // the end of the script acts as a zero byte
    RunGlobalScript(h.engine);
    EXPECT_EQ(Var(0), 11);
}

TEST_F(InterpreterTest, OtherClassesAndStrayBytesAreIgnored) {
    // The global runner knows neither `e` nor `a`: they and their opcode bytes are passed over.
    std::string bytes = gamedir::Compile("XYZ e1; a1; c0;0;3;= #");
    global.Load(gamedir::Bytes(bytes));
    RunGlobalScript(h.engine);
    EXPECT_EQ(Var(0), 3);
}

TEST_F(InterpreterTest, MessageInstructionShowsTheFollowingBytes) {
    std::string bytes = "c";
    bytes += '\xFF';
    bytes += "HELLO";
    bytes += '\0';
    global.Load(gamedir::Bytes(bytes));
    RunGlobalScript(h.engine);
    EXPECT_EQ(Boxes(h), std::vector<std::string>{"エラー発生|HELLO"});
}

TEST_F(InterpreterTest, FaultyInstructionsAreRefusedAndNamed) {
    h.WriteFile("ev\\BAD.sc", gamedir::Compile("c0;1;5;= c0;8;1;= c0;1;0;/ c0;1;0;R c0;1;-3;R "
                                               "c0;1;9;C c1;1;=9; c0;4;1;= #"));
    ASSERT_TRUE(global.READ(h.engine, "ev\\BAD"));
    RunGlobalScript(h.engine);
    EXPECT_EQ(Var(1), 5);
    EXPECT_EQ(Var(4), 1);  // the script went on after each refusal
    const auto boxes = Boxes(h);
    ASSERT_EQ(boxes.size(), 6u);
    EXPECT_EQ(boxes[0], "エラー発生|Script error: variable 8 does not exist\\n\\nev\\\\BAD");
    EXPECT_NE(boxes[1].find("division by zero"), std::string::npos);
    EXPECT_NE(boxes[2].find("random"), std::string::npos);
    EXPECT_NE(boxes[3].find("random"), std::string::npos);
    EXPECT_NE(boxes[4].find("variable 9"), std::string::npos);
    EXPECT_NE(boxes[5].find("variable 9"), std::string::npos);
}

TEST_F(InterpreterTest, StringRegisterNeverPasses255Bytes) {
    const std::string part(200, 'A');
    Run("c4;=$" + part + "// c4;+$" + std::string(60, 'B') + "// #");
    EXPECT_EQ(global.String(), part);
    ASSERT_FALSE(Boxes(h).empty());
    EXPECT_NE(Boxes(h).back().find("255"), std::string::npos);
    Run("c4;+$" + std::string(55, 'B') + "// #");
    EXPECT_EQ(global.String().size(), 255u);
}

TEST_F(InterpreterTest, MissingLabelStopsTheScript) {
    Run("c0;0;1;= c2;0;$NOWHERE// c0;0;2;= #");
    EXPECT_EQ(Var(0), 1);
    RunGlobalScript(h.engine);
    EXPECT_EQ(Var(0), 1);
    ASSERT_EQ(Boxes(h).size(), 1u);
    EXPECT_NE(Boxes(h)[0].find("NOWHERE"), std::string::npos);
}

TEST_F(InterpreterTest, LabelWithoutEndStopsTheScript) {
    Run("c0;0;1;= @OPEN c0;0;2;=");
    EXPECT_EQ(Var(0), 1);
    EXPECT_EQ(Boxes(h).size(), 1u);
}

TEST_F(InterpreterTest, ScriptThatNeverYieldsIsStopped) {
    Run("@L// c0;0;1;+ c2;1;$L//");
    EXPECT_GT(Var(0), 1000);
    const std::int32_t count = Var(0);
    ASSERT_EQ(Boxes(h).size(), 1u);
    EXPECT_NE(Boxes(h)[0].find("yield"), std::string::npos);
    RunGlobalScript(h.engine);
    EXPECT_EQ(Var(0), count);
}

TEST_F(InterpreterTest, ScriptEndingInsideAnInstructionStops) {
    global.Load(
        gamedir::Bytes("c\0"
                       "1;5"sv));
    RunGlobalScript(h.engine);
    EXPECT_EQ(Var(1), 0);
    EXPECT_EQ(Boxes(h).size(), 1u);
}

TEST_F(InterpreterTest, StringOperandsAreCutAt511Bytes) {
    Run("c2;0;$" + std::string(600, 'Q') + "// #");
    ASSERT_FALSE(Boxes(h).empty());
    EXPECT_NE(Boxes(h)[0].find("511"), std::string::npos);
    EXPECT_EQ(h.engine.Scripts.operands[511], '\0');
}

TEST_F(InterpreterTest, ChainKeepsVariablesAndGoesOnInTheSameFrame) {
    gamedir::WriteScript(h, "ev\\NEXT", "c0;5;3;C c0;6;1;= #");
    Run("c0;3;42;= c4;=$NEXT// f17; c0;7;1;= #");
    EXPECT_EQ(Var(5), 42);
    EXPECT_EQ(Var(6), 1);
    EXPECT_EQ(Var(7), 0);
    EXPECT_EQ(global.String(), "NEXT");
}

TEST_F(InterpreterTest, FadeStepRepeatsForNineFrames) {
    Run("c0;0;4;= c0;1;0;= #f18; c0;5;1;= #");
    std::vector<std::int32_t> levels;
    for (int frame = 0; frame < 12 && Var(5) == 0; ++frame) {
        RunGlobalScript(h.engine);
        levels.push_back(Var(1));
    }
    EXPECT_EQ(levels, (std::vector<std::int32_t>{4, 8, 12, 16, 20, 24, 28, 32, 32}));
    EXPECT_EQ(Var(5), 1);
}

TEST_F(InterpreterTest, BattleRunnerHandsClassWToItsHook) {
    static std::vector<int> seen;
    seen.clear();
    QDCR skill;
    LoadSource(skill, "w3; c0;0;1;= w-1; #");
    RunBattleScript(h.engine, skill, [](Engine&, QDCR& context, std::int8_t opcode) {
        seen.push_back(opcode * 10 + context.variables[0]);
    });
    EXPECT_EQ(seen, (std::vector<int>{30, -9}));
}

}  // namespace
