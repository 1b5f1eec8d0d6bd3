// f28: the question's menu, its keys, its answer in P2 and what it refuses.
#include <gtest/gtest.h>

#include <string>

#include "engine/script/ScriptRunner.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

using gamedir::Boxes;
using gamedir::LoadSource;

struct ChoiceCase {
    const char* name;
    const char* answers;  // S, answers separated by \n
    int cancel;           // P1
    const char* keys;     // the input from frame 1
    std::int32_t p2;      // what P2 holds after 40 frames; -9: no answer
};

class ChoiceMenuTest : public ::testing::TestWithParam<ChoiceCase> {};

// The global script asks, then marks variable 5 so that a test sees it went on.
void Ask(EngineHarness& h, const ChoiceCase& c) {
    Engine& e = h.engine;
    LoadSource(e.Scripts.GlobalScript, "c0;2;-9;= c0;1;" + std::to_string(c.cancel) + ";= c4;=$" +
                                           c.answers + "// #f28; c0;5;1;= #");
    e.ModeProc = ScriptMode;
    h.SetKeys(c.keys);
    h.RunFrames(40);
}

TEST_P(ChoiceMenuTest, AnswersWithTheKeys) {
    const ChoiceCase& c = GetParam();
    EngineHarness h;
    Ask(h, c);
    const QDCR& script = h.engine.Scripts.GlobalScript;
    EXPECT_EQ(script.variables[2], c.p2);
    EXPECT_EQ(script.variables[5], c.p2 == -9 ? 0 : 1);
    EXPECT_EQ(h.engine.Game.choice.open, c.p2 == -9);
    const std::string answered = "choice " + std::to_string(c.p2);
    const bool traced = std::any_of(h.Trace().begin(), h.Trace().end(), [&](const auto& line) {
        return line.ends_with(" " + answered);
    });
    EXPECT_EQ(traced, c.p2 != -9);
}

const ChoiceCase kChoiceCases[] = {
    {"ShiftTakesTheFirst", "はい\\nいいえ", 0, "20 shift\n", 0},
    {"DownThenShift", "はい\\nいいえ", 0, "10 down\n12\n25 shift\n", 1},
    {"UpWrapsToTheLast", "北\\n南\\n東\\n西", 0, "10 up\n12\n25 shift\n", 3},
    {"ShiftHeldFromBeforeWaits", "はい\\nいいえ", 0, "1 shift\n", -9},
    {"ShiftAgainAfterReleaseAnswers", "はい\\nいいえ", 0, "1 shift\n20\n25 shift\n", 0},
    {"CtrlCancelsWhenAllowed", "はい\\nいいえ", 1, "20 ctrl\n", -1},
    {"CtrlDoesNothingOtherwise", "はい\\nいいえ", 0, "20 ctrl\n", -9},
};

INSTANTIATE_TEST_SUITE_P(Each, ChoiceMenuTest, ::testing::ValuesIn(kChoiceCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ChoiceRefusalTest, BadQuestionsAreReportedAndTheScriptGoesOn) {
    const struct {
        const char* answers;
        int cancel;
        const char* fault;
    } kCases[] = {
        {"はい", 0, "a choice needs 2 to 4 answers, not 1"},
        {"1\\n2\\n3\\n4\\n5", 0, "a choice needs 2 to 4 answers, not 5"},
        {"はい\\n\\nいいえ", 0, "an answer of a choice must have 1 to 34 bytes"},
        {"はい\\nいいえ", 2, "cancel mode of f28 2 does not exist"},
    };
    for (const auto& c : kCases) {
        EngineHarness h;
        Ask(h, ChoiceCase{"", c.answers, c.cancel, "", 0});
        const QDCR& script = h.engine.Scripts.GlobalScript;
        EXPECT_EQ(script.variables[2], -9) << c.answers;
        EXPECT_EQ(script.variables[5], 1) << c.answers;
        ASSERT_EQ(Boxes(h).size(), 1u) << c.answers;
        EXPECT_NE(Boxes(h)[0].find(c.fault), std::string::npos) << Boxes(h)[0];
    }
}

TEST(ChoiceMenuDrawTest, TheMenuStandsAboveTheTextBoxOnItsRight) {
    EngineHarness h;
    Ask(h, ChoiceCase{"", "はい\\nいいえ", 0, "", 0});
    const QCBOX& box = h.engine.Game.choice.box;
    EXPECT_EQ(box.x + box.width, 220);
    EXPECT_LT(box.y + box.height, 345);
    EXPECT_NE(h.engine.Screen.At(box.x + box.width / 2, box.y + 2), 0);  // drawn over black
}

}  // namespace
