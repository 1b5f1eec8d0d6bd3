// The shop (`#f33;`): buying and selling with the keys, the limits of gold, of 99 owned and of
// having nothing to sell, and the wares it refuses.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/menu/Shop.h"
#include "engine/script/ScriptRunner.h"
#include "tests/engine/menu/MenuTestKit.h"

namespace {

using namespace menukit;

const std::string kFault = "box エラー発生|Script error: ";

std::string ManyWares(int count) {
    std::string wares = "1";
    for (int i = 1; i < count; ++i) wares += ",1";
    return wares;
}

struct Case {
    const char* name;
    std::string wares;
    std::int32_t gold;
    std::vector<std::pair<int, int>> owned;
    std::string keys;
    std::vector<std::string> events;
};

TEST(ShopTest, BuysAndSellsWithinTheLimits) {
    const Case kCases[] = {
        {"one potion",
         "1,2",
         100,
         {},
         "shift shift shift ctrl ctrl",
         {"buy 1 1", "gold 90", "item 1 1"}},
        {"three, counted up",
         "1, 2",
         100,
         {},
         "shift shift up up shift ctrl ctrl",
         {"buy 1 3", "gold 70", "item 1 3"}},
        {"as many as the gold pays",
         "1",
         25,
         {},
         "shift shift up up up shift ctrl ctrl",
         {"buy 1 2", "gold 5", "item 1 2"}},
        {"up to 99 owned",
         "1",
         1000,
         {{kPotion, 98}},
         "shift shift right shift ctrl ctrl",
         {"buy 1 1", "gold 990", "item 1 99"}},
        {"the second ware",
         "1,2",
         100,
         {},
         "shift down shift shift ctrl ctrl",
         {"buy 2 1", "gold 0", "item 2 1"}},
        {"no gold", "1", 9, {}, "shift shift shift ctrl ctrl", {}},
        {"99 owned", "1", 1000, {{kPotion, 99}}, "shift shift shift ctrl ctrl", {}},
        {"sold at half price",
         "1",
         0,
         {{kPotion, 3}},
         "down shift shift up shift ctrl ctrl",
         {"sell 1 2", "item 1 1", "gold 10"}},
        {"key items are kept",
         "1",
         0,
         {{kKey, 1}, {kTonic, 1}},
         "down shift shift shift ctrl",
         {"sell 2 1", "item 2 0", "gold 50"}},
        {"nothing to sell", "1", 0, {{kKey, 1}}, "down shift shift ctrl", {}},
        {"Ctrl leaves at once", "1", 100, {}, "ctrl", {}},
        {"Ctrl steps back from a quantity", "1", 100, {}, "shift shift ctrl ctrl ctrl", {}},
    };
    for (const Case& c : kCases) {
        EngineHarness h;
        GiveItemTable(h);
        Give(h, c.gold, c.owned);
        const std::size_t before = h.Trace().size();
        gamedir::LoadSource(h.engine.Scripts.GlobalScript,
                            "c4;=$" + c.wares + "// #f33; c0;5;1;= #");
        h.engine.ModeProc = ScriptMode;
        h.SetKeys(Presses(c.keys));
        h.RunFrames(30 + 10 * static_cast<int>(std::count(c.keys.begin(), c.keys.end(), ' ')));
        EXPECT_EQ(Events(h, before), c.events) << c.name;
        EXPECT_EQ(h.engine.Scripts.GlobalScript.variables[5], 1) << c.name << ": the shop was left";
        EXPECT_EQ(h.engine.ModeProc, ScriptMode) << c.name;
    }
}

TEST(ShopTest, RefusesWaresItCannotSell) {
    const struct {
        std::string wares;
        std::string fault;
    } kCases[] = {
        {"", "the shop's wares must be item ids separated by commas"},
        {"1,,2", "the shop's wares must be item ids separated by commas"},
        {"1,x", "the shop's wares must be item ids separated by commas"},
        {"1,9", "item 9 does not exist"},
        {ManyWares(41), "a shop sells at most 40 items"},
    };
    for (const auto& c : kCases) {
        EngineHarness h;
        GiveItemTable(h);
        const std::size_t before = h.Trace().size();
        gamedir::LoadSource(h.engine.Scripts.GlobalScript,
                            "c4;=$" + c.wares + "// #f33; c0;5;1;= #");
        h.engine.ModeProc = ScriptMode;
        h.RunFrames(3);
        EXPECT_EQ(Events(h, before), std::vector<std::string>{kFault + c.fault}) << c.wares;
        EXPECT_EQ(h.engine.Scripts.GlobalScript.variables[5], 1) << "the script goes on";
    }
    EXPECT_EQ(MostToBuy(0, 0, 5), 94) << "a free item is bounded by the room alone";
    EXPECT_EQ(MostToBuy(7, -3, 0), 0);
}

}  // namespace
