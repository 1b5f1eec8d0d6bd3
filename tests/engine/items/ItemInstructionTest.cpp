// f31, f32 and f34: what each leaves in P2 and the trace, and what each refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/battle/GameData.h"
#include "engine/core/Engine.h"
#include "engine/script/ScriptRunner.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

const std::string kFault = "box エラー発生|Script error: ";

// A party of two (characters 1 and 2, the second fallen) and an item table of two items; the
// global script runs `source` with P2 = -9 first.
std::vector<std::string> Play(EngineHarness& h, const std::string& source) {
    Engine& e = h.engine;
    EXPECT_EQ(e.Items.table.Parse("1,Potion,10,heal,30,\n7,Key,0,key,0,\n"), "");
    CharRecord member;
    member.maxHp = 100;
    member.hp = 40;
    member.maxLp = 8;
    member.experience = 25;
    member.level = 2;
    e.CharacterTable = {CharRecord{}, member, member};
    e.CharacterTable[2].hp = 0;
    e.PartyLineup = {1, 2, 0, 5};
    gamedir::LoadSource(e.Scripts.GlobalScript, "c0;2;-9;= " + source + " #");
    e.ModeProc = ScriptMode;
    h.RunFrames(2);
    std::vector<std::string> events;
    for (const std::string& line : h.Trace()) {
        const std::string event = line.substr(line.find(' ') + 1);
        events.push_back(event.substr(0, event.find("\\n")));
    }
    return events;
}

TEST(ItemInstructionTest, EachInstructionAndItsRefusals) {
    const struct {
        std::string source;
        std::int32_t p2;  // -9: untouched
        std::vector<std::string> events;
    } kCases[] = {
        {"c0;0;1;= c0;1;1;= c0;2;3;= f31; f31; c0;1;0;= f31;", 6, {"item 1 3", "item 1 6"}},
        {"c0;0;7;= c0;1;1;= c0;2;500;= f31; c0;2;-1;= f31; c0;1;0;= f31;",
         98,
         {"item 7 99", "item 7 98"}},
        {"c0;0;1;= c0;1;1;= c0;2;-1;= f31;", -1, {}},  // none to take: no change, P2 kept
        {"c0;0;2;= c0;1;0;= f31; c0;0;0;= f31; c0;0;1000;= f31;",
         -9,
         {kFault + "item 2 is not in the item table", kFault + "item 0 is not in the item table",
          kFault + "item 1000 is not in the item table"}},
        {"c0;0;1;= c0;1;2;= f31; c0;1;-1;= f31;",
         -9,
         {kFault + "operation of f31 2 does not exist",
          kFault + "operation of f31 -1 does not exist"}},
        {"c0;1;1;= c0;2;2147483647;= f32; c0;2;-10;= f32; c0;1;0;= f32;",
         9'999'989,
         {"gold 9999999", "gold 9999989"}},
        {"c0;1;1;= c0;2;-5;= f32; c0;1;0;= f32;", 0, {}},
        {"c0;1;2;= f32;", -9, {kFault + "operation of f32 2 does not exist"}},
        {"c0;0;0;= c0;1;0;= f34;", 40, {}},
        {"c0;0;0;= c0;1;1;= f34;", 100, {}},
        {"c0;0;0;= c0;1;2;= f34;", 2, {}},
        {"c0;0;1;= c0;1;3;= f34;", 25, {}},
        {"c0;0;2;= c0;1;2;= f34;", 0, {}},                   // an empty slot
        {"c0;0;3;= c0;1;0;= f34;", 0, {}},                   // a character without a file
        {"c0;0;1;= c0;1;10;= f34; c0;1;0;= f34;", 100, {}},  // the inn revives the fallen
        {"c0;0;4;= c0;1;0;= f34; c0;0;-1;= f34;",
         -9,
         {kFault + "party slot 4 does not exist", kFault + "party slot -1 does not exist"}},
        {"c0;0;0;= c0;1;4;= f34; c0;1;9;= f34; c0;1;11;= f34;",
         -9,
         {kFault + "operation of f34 4 does not exist",
          kFault + "operation of f34 9 does not exist",
          kFault + "operation of f34 11 does not exist"}},
    };
    for (const auto& c : kCases) {
        EngineHarness h;
        EXPECT_EQ(Play(h, c.source), c.events) << c.source;
        EXPECT_EQ(h.engine.Scripts.GlobalScript.variables[2], c.p2) << c.source;
    }
}

}  // namespace
