// The item table's reader, and the holdings' limits and trace.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/Engine.h"
#include "engine/items/Holdings.h"
#include "engine/platform/headless/EngineHarness.h"

namespace {

std::vector<std::string> Events(const EngineHarness& h) {
    std::vector<std::string> events;
    for (const std::string& line : h.Trace()) events.push_back(line.substr(line.find(' ') + 1));
    return events;
}

TEST(ItemTableTest, ReadsItemsAndRefusesDamagedLines) {
    ItemTable table;
    ASSERT_EQ(table.Parse("# potions\n\n2,Ether,30,heal-all,20,all, of them\r\n"
                          "1,Potion,10,heal,30,\n999,Key,0,key,0,a key\n"),
              "");
    ASSERT_EQ(table.Entries().size(), 3u);
    EXPECT_EQ(table.Entries()[0].id, 1);  // sorted by id
    EXPECT_EQ(table.Find(2)->description, "all, of them");
    EXPECT_EQ(table.Find(2)->kind, ItemKind::HealParty);
    EXPECT_EQ(table.Find(1)->description, "");
    EXPECT_EQ(table.Find(3), nullptr);

    const struct {
        std::string text, problem;
    } kDamaged[] = {
        {"1,a,1,heal,1\n", "line 1: expected ID,NAME,PRICE,KIND,POWER,DESCRIPTION"},
        {"#\n0,a,1,heal,1,d\n", "line 2: the id is not a number from 1 to 999"},
        {"1000,a,1,heal,1,d\n", "line 1: the id is not a number from 1 to 999"},
        {"x1,a,1,heal,1,d\n", "line 1: the id is not a number from 1 to 999"},
        {"1,,1,heal,1,d\n", "line 1: the name is empty"},
        {"1," + std::string(25, 'n') + ",1,heal,1,d\n", "line 1: the name is longer than 24 bytes"},
        {"1,a\x82,1,heal,1,d\n", "line 1: the name is not Shift-JIS"},
        {"1,a,-1,heal,1,d\n", "line 1: the price is not a number from 0 to 9999999"},
        {"1,a,1,potion,1,d\n",
         "line 1: the kind 'potion' is none of heal, heal-all, revive, damage, key"},
        {"1,a,1,damage,10000,d\n", "line 1: the power is not a number from 0 to 9999"},
        {"1,a,1,key,0,d\td\n", "line 1: the description holds a control character"},
        {"1,a,1,key,0,d\n1,b,1,key,0,d\n", "line 2: item 1 is already on line 1"},
        {std::string(256 * 1024 + 1, '#'), "the file is larger than 262144 bytes"},
    };
    for (const auto& c : kDamaged) {
        EXPECT_EQ(table.Parse(c.text), c.problem) << c.text.substr(0, 40);
        EXPECT_TRUE(table.Empty());
    }
}

TEST(HoldingsTest, CountsAndGoldStayInRangeAndEveryChangeIsTraced) {
    EngineHarness h;
    EXPECT_EQ(ChangeItemCount(h.engine, 5, 3), 3);
    EXPECT_EQ(ChangeItemCount(h.engine, 5, 200), 99);
    EXPECT_EQ(ChangeItemCount(h.engine, 5, 1), 99);  // no change, no line
    EXPECT_EQ(ChangeItemCount(h.engine, 5, -150), 0);
    EXPECT_EQ(ChangeItemCount(h.engine, 0, 1), 0);
    EXPECT_EQ(ChangeItemCount(h.engine, 1000, 1), 0);
    EXPECT_EQ(ChangeGold(h.engine, 2'147'483'647), 9'999'999);
    EXPECT_EQ(ChangeGold(h.engine, -2'147'483'647 - 1), 0);
    EXPECT_EQ(Events(h), (std::vector<std::string>{"item 5 3", "item 5 99", "item 5 0",
                                                   "gold 9999999", "gold 0"}));
}

}  // namespace
