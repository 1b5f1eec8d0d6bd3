// f26-f30 and the debug view: what each instruction leaves in P2 and the trace, what it refuses,
// and the choice menu's keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/game/DebugView.h"
#include "engine/items/Holdings.h"
#include "engine/script/ScriptRunner.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

// The global script runs `source` with P2 = -9 first; `keys` drive 40 frames of ScriptMode.
// Returns the trace's lines without frame numbers, message boxes cut after their first line.
std::vector<std::string> Play(EngineHarness& h, const std::string& source, const char* keys) {
    gamedir::LoadSource(h.engine.Scripts.GlobalScript, "c0;2;-9;= " + source + " c0;5;1;= #");
    h.engine.ModeProc = ScriptMode;
    h.SetKeys(keys);
    h.RunFrames(40);
    std::vector<std::string> events;
    for (const std::string& line : h.Trace()) {
        const std::string event = line.substr(line.find(' ') + 1);
        events.push_back(event.substr(0, event.find("\\n")));
    }
    return events;
}

struct Case {
    std::string source;
    std::int32_t p2;                  // -9: untouched
    std::vector<std::string> events;  // the trace
    const char* keys = "";
};

const std::string kFault = "box エラー発生|Script error: ";

TEST(GameInstructionTest, EachInstructionAndItsRefusals) {
    const Case kCases[] = {
        {"c0;0;5;= c0;1;1;= c0;2;42;= f26; c0;1;0;= f26;", 42, {"var 5 42"}},
        {"c0;0;999;= c0;1;1;= c0;2;2147483647;= f26; c0;1;2;= c0;2;1;= f26; c0;1;0;= f26;",
         -2147483647 - 1,
         {"var 999 2147483647", "var 999 -2147483648"}},
        {"c0;0;3;= c0;1;0;= f26;", 0, {}},
        {"c0;0;1000;= c0;1;1;= f26; c0;0;-1;= f26;",
         -9,
         {kFault + "game variable 1000 does not exist",
          kFault + "game variable -1 does not exist"}},
        {"c0;0;1;= c0;1;3;= f26;", -9, {kFault + "operation of f26 3 does not exist"}},
        {"c0;0;7;= c0;1;1;= f27; c0;1;0;= f27;", 1, {"switch 7 on"}},
        {"c0;0;0;= c0;1;3;= f27; f27; c0;1;2;= f27; c0;1;0;= f27;",
         0,
         {"switch 0 on", "switch 0 off", "switch 0 off"}},
        {"c0;0;1000;= c0;1;1;= f27; c0;0;1;= c0;1;4;= f27;",
         -9,
         {kFault + "game switch 1000 does not exist",
          kFault + "operation of f27 4 does not exist"}},
        {"c4;=$town// f29; c4;=$// f29; c4;=$town// f29;",
         -9,
         {"music BGM\\town.mid", "music-stop", "music BGM\\town.mid"}},
        {"c4;=$" + std::string(250, 'x') + "// f29;",
         -9,
         {kFault + "the music name is longer than 247 bytes"}},
        {"c0;0;4;= f30; c0;0;-1;= f30;",
         -9,
         {kFault + "battle rules 4 do not exist (0 to 3)",
          kFault + "battle rules -1 do not exist (0 to 3)"}},
        // Questions: answered with the keys, or refused.
        {"c4;=$はい\\nいいえ// #f28;", 0, {"choice 0"}, "20 shift\n"},
        {"c4;=$はい\\nいいえ// #f28;", 1, {"choice 1"}, "10 down\n12\n25 shift\n"},
        {"c4;=$北\\n南\\n東\\n西// #f28;", 3, {"choice 3"}, "10 up\n12\n25 shift\n"},
        {"c4;=$はい\\nいいえ// #f28;", -9, {}, "1 shift\n"},  // held from before: no answer
        {"c4;=$はい\\nいいえ// #f28;", 0, {"choice 0"}, "1 shift\n20\n25 shift\n"},
        {"c0;1;1;= c4;=$はい\\nいいえ// #f28;", -1, {"choice -1"}, "20 ctrl\n"},
        {"c4;=$はい\\nいいえ// #f28;", -9, {}, "20 ctrl\n"},  // P1 = 0: Ctrl does nothing
        {"c4;=$はい// #f28;", -9, {kFault + "a choice needs 2 to 4 answers, not 1"}},
        {"c4;=$1\\n2\\n3\\n4\\n5// #f28;", -9, {kFault + "a choice needs 2 to 4 answers, not 5"}},
        {"c4;=$はい\\n\\nいいえ// #f28;",
         -9,
         {kFault + "an answer of a choice must have 1 to 34 bytes"}},
        {"c0;1;2;= c4;=$はい\\nいいえ// #f28;",
         -9,
         {kFault + "cancel mode of f28 2 does not exist"}},
    };
    for (const Case& c : kCases) {
        EngineHarness h;
        EXPECT_EQ(Play(h, c.source, c.keys), c.events) << c.source;
        const QDCR& script = h.engine.Scripts.GlobalScript;
        EXPECT_EQ(script.variables[2], c.p2) << c.source;
        EXPECT_EQ(script.variables[5], h.engine.Game.choice.open ? 0 : 1) << c.source;
    }
}

TEST(GameInstructionTest, TheQuestionStandsAboveTheTextBoxAndTheDebugViewListsTheState) {
    EngineHarness h;
    Engine& e = h.engine;
    Play(h,
         "c0;0;12;= c0;1;1;= c0;2;-5;= f26; c0;0;4;= f27; c4;=$town// f29; c4;=$はい\\nいいえ// "
         "#f28;",
         "");
    const QCBOX& box = e.Game.choice.box;
    EXPECT_EQ(box.x + box.width, 220);
    EXPECT_LT(box.y + box.height, 345);
    EXPECT_NE(e.Screen.At(box.x + box.width / 2, box.y + 2), 0);  // drawn over the black page
    const std::vector<std::string> expected = {
        "map -", "music BGM\\town.mid", "var 12=-5", "switch 4",
        "scripts G @" + std::to_string(e.Scripts.GlobalScript.Position())};
    EXPECT_EQ(DebugViewLines(e), expected);
    // Shown, the view is drawn over the presented frame only.
    InstallDebugView(e);
    e.DebugViewShown = true;
    const std::vector<std::uint16_t> row(e.Screen.Row(kVisibleTop),
                                         e.Screen.Row(kVisibleTop) + 240);
    e.ModeProc = IdleProc;
    h.RunFrames(1);
    EXPECT_EQ(
        std::vector<std::uint16_t>(e.Screen.Row(kVisibleTop), e.Screen.Row(kVisibleTop) + 240),
        row);
}

TEST(GameInstructionTest, TheDebugViewListsTheGoldAndItemsOfAGameWithItems) {
    EngineHarness h;
    Engine& e = h.engine;
    ASSERT_EQ(e.Items.table.Parse("1,Potion,10,heal,30,x\n12,Key,0,key,0,y\n"), "");
    const auto goods = [&e] {
        const std::vector<std::string> lines = DebugViewLines(e);
        const auto gold = std::find_if(lines.begin(), lines.end(),
                                       [](const std::string& l) { return l.starts_with("gold"); });
        return gold == lines.end() ? std::vector<std::string>{}
                                   : std::vector<std::string>(gold, gold + 3);
    };
    EXPECT_EQ(goods(), (std::vector<std::string>{"gold 0", "items", "scripts G @0"}));
    ChangeGold(e, 1234);
    ChangeItemCount(e, 12, 1);
    ChangeItemCount(e, 1, 3);
    EXPECT_EQ(goods(), (std::vector<std::string>{"gold 1234", "items 1x3 12x1", "scripts G @0"}));
}

}  // namespace
