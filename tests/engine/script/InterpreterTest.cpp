// The runners and the core instruction class `c`, with the limits that keep a faulty script from
// hanging the game or flooding it with message boxes.
#include <gtest/gtest.h>

#include "engine/script/ScriptExec.h"
#include "engine/script/ScriptRunner.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

using namespace std::string_literals;
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
};

// A subsystem adds instructions to a class through the runner's table, beside the class's own.
TEST_F(InterpreterTest, RegisteredInstructionsRunBesideTheClassesOwn) {
    RegisterInstruction(h.engine, ScriptClass::Field, std::int8_t{26}, [](ScriptRun& run) {
        run.context.variables[4] = 26;
        return Flow::Next;
    });
    Run("f26; c0;5;1;= f27; #");  // nobody registered 27: it does nothing
    EXPECT_EQ(Var(4), 26);
    EXPECT_EQ(Var(5), 1);
}

// One run of the global script: the variable it leaves, and the boxes it shows.
TEST(Interpreter, CoreInstructionsAndTheirFaults) {
    struct Case {
        std::string source;  // script source, or the bytes themselves when `raw`
        int var;
        std::int32_t min, max;  // the variable's value afterwards lies in min..max
        std::size_t boxes = 0;
        const char* firstBox = "";
        bool raw = false;
    };
    const Case cases[] = {
        {"c0;1;7;= c0;1;-2;+ c0;5;1;C #", 5, 5, 5},
        // '*' starts a comment in source text: these are bytes.
        {"c\x00"
         "3;-7;= c\x00"
         "3;2;/ #"s,
         3, -3, -3, 0, "", true},  // division truncates toward zero
        {"c\x00"
         "4;65536;= c\x00"
         "4;-65536;* #"s,
         4, 0, 0, 0, "", true},   // multiplication wraps
        {"c0;0;6;R #", 0, 5, 5},  // the engine's generator seeded with 1 draws 41 first
        {"c0;1;7;= c0;1;0;- #", 1, 7, 7, 1, "なんじゃ？！\"-\"を入れましたね？"},
        {"c0;0;4;= c0;1;4;= c0;2;9;= c1;0;<1; #", 2, 0, 0},
        {"c0;0;4;= c0;1;4;= c0;2;9;= c1;0;!1; #", 2, 0, 0},
        {"c0;1;5;= c1;0;<1; #", 2, 1, 1},
        {"c0;2;9;= c1;0;?1; #", 2, 9, 9},  // an unknown comparison leaves the flag alone
        // A conditional jump not taken passes over its operands in the same run.
        {"c0;2;0;= c3;0;$SKIP// c0;3;9;= # @SKIP// c0;4;1;= #", 3, 9, 9},
        {"c0;2;1;= c3;0;$SKIP// c0;3;9;= # @SKIP// c0;3;1;= #", 3, 1, 1},
        // Backward finds the nearest label before the jump; forward the next one after it.
        {"c0;1;3;= @A// c0;0;1;+ c1;0;=1; c3;0;$END// c2;1;$A// @END// c2;0;$A// c0;6;7;= # "
         "@A// c0;6;1;= #",
         6, 1, 1},
        {"c0;6;0;= c0;7;3;= @L// c0;5;1;+ c5;$L// c0;4;1;= #", 5, 3, 3},
        {"XYZ e1; a1; c0;0;3;= #", 0, 3, 3},  // classes the global runner does not know
        {"c0;0;1;= c2;0;$NOWHERE// c0;0;2;= #", 0, 1, 1, 1,
         "Script stopped: the label \"NOWHERE\""},
        {"c0;0;1;= @OPEN c0;0;2;=", 0, 1, 1, 1, "Script stopped: a label '@' has no closing"},
        // Refused instructions are named, the script goes on, and a repeated fault is shown once.
        {"c0;1;5;= c0;8;1;= c0;1;0;/ c0;1;0;R c0;1;-3;R c0;1;9;C c1;1;=9; c0;4;1;= #", 4, 1, 1, 5,
         "Script error: variable 8 does not exist\\n\\n"},
        {"c4;=$" + std::string(200, 'A') + "// c4;+$" + std::string(60, 'B') + "// c0;0;1;= #", 0,
         1, 1, 1, "Script error: the string register would pass 255 bytes"},
        {"c2;0;$" + std::string(600, 'Q') + "// #", 0, 0, 0, 2, "Script error: a string operand"},
        {"c\x00"
         "1;5"s,
         1, 0, 0, 1, "Script stopped: the script ends inside an instruction", true},
        {"c\xFFHELLO\0"s, 0, 0, 0, 1, "HELLO", true},  // the bytes up to the zero byte
        // A loop without a yield is stopped by the frame's budget of executed bytes...
        {"@L// c0;0;1;+ c2;1;$L//", 0, 1000, INT32_MAX, 1, "Script stopped: the script runs on"},
        // ... which also pays for the bytes a label search scans: a loop over a long stretch of
        // script stops after a few rounds instead of running for a minute.
        {"@T//c\x00"
         "0;1;+c\x02"
         "0;1!J@"s +
             std::string(60000, 'X') + "//@J//c\x02" + "1;1!T",
         0, 1, 60, 1, "Script stopped: the script runs on", true},
        // A fault in a loop is shown once; the eighth stops the script with one more box.
        {"@L// c0;9;1;= c0;0;1;+ c2;1;$L//", 0, 7, 7, 2, "Script error: variable 9 does not exist"},
    };
    for (const Case& c : cases) {
        EngineHarness h;
        QDCR& global = h.engine.Scripts.GlobalScript;
        if (c.raw)
            global.Load(gamedir::Bytes(c.source));
        else
            LoadSource(global, c.source);
        RunGlobalScript(h.engine);
        const std::string shown = c.source.substr(0, 60);
        EXPECT_GE(global.variables[static_cast<std::size_t>(c.var)], c.min) << shown;
        EXPECT_LE(global.variables[static_cast<std::size_t>(c.var)], c.max) << shown;
        const auto boxes = Boxes(h);
        ASSERT_EQ(boxes.size(), c.boxes) << shown;
        if (c.boxes > 0) {
            EXPECT_EQ(boxes[0].rfind(std::string("エラー発生|") + c.firstBox, 0), 0u)
                << shown << "\n"
                << boxes[0];
        }
    }
}

TEST_F(InterpreterTest, YieldEndsTheRunAndTheEndStopsForGood) {
    Run("c0;0;1;+ # c0;0;10;+ #");
    EXPECT_EQ(Var(0), 1);
    RunGlobalScript(h.engine);
    RunGlobalScript(h.engine);
    EXPECT_EQ(Var(0), 11);
}

TEST_F(InterpreterTest, AFaultOfAYieldingLoopIsShownOncePerFrameAndNeverStopsIt) {
    LoadSource(global, "@L// c0;9;1;= c0;0;1;+ #c2;1;$L//");
    h.engine.ModeProc = ScriptMode;
    h.RunFrames(3);
    EXPECT_EQ(Var(0), 3);
    EXPECT_EQ(Boxes(h).size(), 3u);
}

TEST_F(InterpreterTest, ChainKeepsVariablesAndGoesOnInTheSameRun) {
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

}  // namespace
