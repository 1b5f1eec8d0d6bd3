// The field menu: Enter opens it only in a game with an item table and only while the player may
// walk; an item is used on the member chosen; Ctrl steps back and closes it.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/menu/FieldMenu.h"
#include "tests/engine/menu/MenuTestKit.h"

namespace {

using namespace menukit;

// The field's scene counts its frames in game variable 0.
void CountingScene(Engine& e) {
    ++e.Game.variables[0];
}

// The leader stands on an empty field under the player's control.
void StandOnTheField(EngineHarness& h) {
    h.engine.SceneProc = CountingScene;
    h.engine.Actors.resize(1);
    h.engine.Field.movers.resize(1);
    h.engine.ModeProc = PlayerControl;
}

TEST(FieldMenuTest, EnterOpensItOnlyWhereThePlayerMayWalkInAGameWithItems) {
    const struct {
        const char* name;
        bool items;
        void (*before)(Engine&);
        bool opens;
    } kCases[] = {
        {"a game with items", true, [](Engine&) {}, true},
        {"a game without items", false, [](Engine&) {}, false},
        {"a message on view", true, [](Engine& e) { e.Text.Start("hello"); }, false},
        {"a question open", true, [](Engine& e) { e.Game.choice.open = true; }, false},
        {"a conversation", true, [](Engine& e) { e.Field.talkPartner = 3; }, false},
    };
    for (const auto& c : kCases) {
        EngineHarness h(Presses("enter"));
        if (c.items) GiveItemTable(h);
        StandOnTheField(h);
        c.before(h.engine);
        h.RunFrames(15);
        EXPECT_EQ(h.engine.ModeProc == FieldMenuMode, c.opens) << c.name;
    }
}

TEST(FieldMenuTest, UsesAnItemOnTheChosenMemberAndCtrlCloses) {
    const struct {
        const char* name;
        std::vector<std::pair<int, int>> owned;
        std::string keys;
        std::vector<std::int32_t> hp;  // afterwards
        std::int32_t potions;          // afterwards
    } kCases[] = {
        {"the second member",
         {{kPotion, 2}},
         "enter shift shift down shift ctrl ctrl ctrl",
         {50, 40, 0},
         1},
        {"the last potion", {{kPotion, 1}}, "enter shift shift down shift ctrl", {50, 40, 0}, 0},
        {"full health: no effect, kept",
         {{kPotion, 1}},
         "enter shift shift shift shift ctrl ctrl ctrl",
         {50, 10, 0},
         1},
        {"Ctrl from the member",
         {{kPotion, 1}},
         "enter shift shift ctrl ctrl ctrl",
         {50, 10, 0},
         1},
        {"no items", {}, "enter shift shift ctrl", {50, 10, 0}, 0},
    };
    for (const auto& c : kCases) {
        EngineHarness h(Presses(c.keys));
        GiveItemTable(h);
        Give(h, 0, c.owned);
        GiveParty(h, {50, 10, 0});
        StandOnTheField(h);
        const int frames =
            30 + 10 * static_cast<int>(std::count(c.keys.begin(), c.keys.end(), ' '));
        h.RunFrames(frames);
        for (std::size_t s = 0; s < c.hp.size(); ++s)
            EXPECT_EQ(h.engine.CharacterTable[s + 1].hp, c.hp[s]) << c.name << " slot " << s;
        EXPECT_EQ(OwnedCount(h.engine, kPotion), c.potions) << c.name;
        EXPECT_EQ(h.engine.ModeProc, PlayerControl) << c.name << ": Ctrl closed the menu";
        EXPECT_EQ(h.engine.SceneProc, CountingScene) << c.name;
        EXPECT_LE(h.engine.Game.variables[0], frames - 20) << c.name << ": the field stood still";
    }
}

}  // namespace
