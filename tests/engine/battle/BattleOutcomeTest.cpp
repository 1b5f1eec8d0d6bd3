// How a battle ends for the script that started it: won, retreated (撤退) or lost, the rules of
// `f` 30, and the field's music afterwards.
#include <gtest/gtest.h>

#include "BattleGame.h"
#include "engine/battle/Battle.h"
#include "engine/battle/BattleRetreat.h"
#include "engine/battle/BattleState.h"
#include "engine/core/Engine.h"
#include "engine/script/ScriptRunner.h"
#include "engine/title/Title.h"

namespace {

TEST(RetreatChanceTest, WeighsThePartysSpeedAgainstTheEnemies) {
    const struct {
        std::int64_t party, enemies;
        int chance;
    } kCases[] = {{30, 3, 90}, {30, 20, 60}, {0, 0, 50},
                  {1, 99, 10}, {-5, 5, 10},  {INT32_MAX * 4LL, 1, 90}};
    for (const auto& c : kCases) EXPECT_EQ(RetreatChance(c.party, c.enemies), c.chance);
}

class BattleEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        g.WriteStandardFiles();
        g.LoadGame();
    }
    // A fresh game's global script chooses the field's music (or, with none, one plays as
    // before), the rules, and fights group 0; after the battle it goes on behind `f10; #`.
    void StartFromScript(int rules, const char* fieldMusic) {
        Engine& e = g.engine;
        e.Battle.reset();
        e.Game = GameState{};
        CreateActors(e, 5);
        e.Field.scriptMode = 1;
        e.ModeProc = ScriptMode;
        if (!fieldMusic) PlayMusic(e, "BGM\\before.mid");
        const std::string music = fieldMusic ? std::string("c4;=$") + fieldMusic + "// f29; " : "";
        const std::string bytes = CompileScript(music + "c0;0;" + std::to_string(rules) +
                                                ";= f30; c0;0;0;= c0;2;-9;= f10; # c0;3;7;= #");
        e.Scripts.GlobalScript.Load(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        RunGlobalScript(e);
        g.h.RunFrames(28);
        ASSERT_TRUE(e.Battle);
    }
    std::int32_t P2() const { return g.engine.Scripts.GlobalScript.variables[2]; }
    // The trace from its last line that begins with `from`, without frame numbers and boxes.
    std::vector<std::string> EventsFrom(std::string_view from) const {
        std::vector<std::string> events;
        for (const std::string& line : g.h.Trace()) {
            const std::string event = line.substr(line.find(' ') + 1);
            if (event.starts_with(from)) events.clear();
            if (!event.starts_with("box ")) events.push_back(event);
        }
        return events;
    }

    BattleGame g;
};

TEST_F(BattleEnd, RetreatWithAFixedSeed) {
    const struct {
        std::uint32_t seed;  // the roll: seed 1 gives 41, seed 16 gives 90; the chance is 90
        int rules;
        bool away;
        bool turnPassed;  // otherwise the member is still in the command menu
    } kCases[] = {{1, 0, true, false}, {16, 0, false, true}, {1, kNoRetreat, false, false}};
    for (const auto& c : kCases) {
        StartFromScript(c.rules, "town");
        g.Hold("shift", 2);
        g.Hold("", 10);
        g.engine.Battle->menu.cursor = 3;
        g.engine.random.seed(c.seed);
        g.Hold("shift", 2);
        if (!c.away) {
            ASSERT_TRUE(g.engine.Battle) << c.seed;
            EXPECT_EQ(g.engine.Battle->activeSlot, c.turnPassed ? 1 : 0);
            EXPECT_EQ(g.engine.ModeProc == CommandMenu, !c.turnPassed);
            EXPECT_EQ(P2(), -9);
            continue;
        }
        ASSERT_TRUE(g.HoldUntil("", 20, [&] { return !g.engine.Battle; }));
        EXPECT_EQ(P2(), 1);
        EXPECT_EQ(EventsFrom("battle end"),
                  (std::vector<std::string>{"battle end retreated", "music-stop",
                                            "music BGM\\town.mid"}));
    }
}

TEST_F(BattleEnd, TheFieldsMusicPlaysAgainAfterAVictory) {
    const struct {
        const char* fieldMusic;  // nullptr: no f29, BGM\before.mid played before the battle
        std::vector<std::string> after;
    } kCases[] = {{"town", {"music-stop", "music BGM\\town.mid"}},
                  {nullptr, {"music-stop", "music BGM\\before.mid"}},
                  {"", {"music-stop"}}};
    for (const auto& c : kCases) {
        StartFromScript(0, c.fieldMusic);
        for (int s = kPartySlots; s < kSlotCount; ++s) g.engine.Battle->alive[s] = 0;
        g.engine.ModeProc = AfterAction;
        ASSERT_TRUE(g.HoldUntil("shift", 200, [&] { return !g.engine.Battle; }));
        EXPECT_EQ(P2(), 0);
        std::vector<std::string> expected = {"battle end won"};
        expected.insert(expected.end(), c.after.begin(), c.after.end());
        EXPECT_EQ(EventsFrom("battle end"), expected);
    }
}

TEST_F(BattleEnd, TheGlobalScriptGoesOnBehindItsBattle) {
    // Before `f` 0 it holds control; after it, a tile event it was running started the battle.
    // A battle it did not start (a character's) hands the field back to the player.
    const struct {
        int scriptMode;
        bool startedByIt, goesOn;
    } kCases[] = {{1, true, true}, {0, true, true}, {0, false, false}};
    for (const auto& c : kCases) {
        StartFromScript(0, "town");
        g.engine.Field.scriptMode = c.scriptMode;
        g.engine.Scripts.GlobalScript.variables[3] = 0;
        if (!c.startedByIt) g.engine.Game.battleStarter = GameState::kNoScript;
        for (int s = kPartySlots; s < kSlotCount; ++s) g.engine.Battle->alive[s] = 0;
        g.engine.ModeProc = AfterAction;
        ASSERT_TRUE(g.HoldUntil("shift", 200, [&] { return !g.engine.Battle; }));
        EXPECT_EQ(g.engine.ModeProc == ScriptMode, c.goesOn) << c.scriptMode;
        EXPECT_EQ(g.engine.Scripts.GlobalScript.variables[3] == 7, c.goesOn) << c.scriptMode;
    }
}

TEST_F(BattleEnd, LosingGoesOnOnlyWhenTheRulesSaySo) {
    for (const int rules : {static_cast<int>(kLosingGoesOn), 0}) {
        StartFromScript(rules, "town");
        for (int s = 0; s < kPartySlots; ++s) {
            g.engine.Battle->alive[s] = 0;
            Combatant(g.engine, s).hp = 0;
        }
        g.engine.ModeProc = AfterAction;
        g.Hold("", 130);  // the message stands two seconds
        ASSERT_TRUE(g.HoldUntil("shift", 40, [&] { return !g.engine.Battle; }));
        EXPECT_EQ(EventsFrom("battle end").at(0), "battle end lost");
        EXPECT_EQ(g.engine.SceneProc == TitleMenu, rules == 0);
        if (rules == 0) continue;
        EXPECT_EQ(P2(), 2);
        for (const std::int32_t number : g.engine.PartyLineup)
            EXPECT_EQ(g.engine.CharacterTable[static_cast<std::size_t>(number)].hp, 1);
    }
}

}  // namespace
