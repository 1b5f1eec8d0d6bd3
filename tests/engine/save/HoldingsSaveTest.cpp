// Items, gold and growth in saved games: kept from a save to its load, absent from older saves,
// and crafted values behind a valid checksum refused.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/core/Engine.h"
#include "engine/items/Holdings.h"
#include "engine/platform/headless/EngineHarness.h"
#include "engine/save/HoldingsSnapshot.h"
#include "engine/save/SaveFile.h"

namespace {

void MakeParty(Engine& e) {
    CharRecord member;
    member.maxHp = member.hp = 100;
    member.stats[1] = 10;
    e.CharacterTable = {CharRecord{}, member, member};
}

TEST(HoldingsSaveTest, KeptByASaveAbsentFromOlderOnes) {
    EngineHarness h;
    MakeParty(h.engine);
    ChangeItemCount(h.engine, 1, 5);
    ChangeItemCount(h.engine, 999, 99);
    ChangeGold(h.engine, 1234);
    CharRecord& grown = h.engine.CharacterTable[2];
    grown.level = 7;
    grown.experience = 500;
    grown.maxHp = 160;
    grown.hp = 150;
    grown.stats[1] = 16;
    save::Game game;
    game.holdings = CaptureHoldings(h.engine);
    for (std::uint32_t version = save::kVersionFirst; version <= save::kSaveVersion; ++version) {
        const auto decoded = save::DecodeSave(save::EncodeSave(game, version));
        ASSERT_TRUE(decoded) << version;
        EngineHarness loaded;
        MakeParty(loaded.engine);
        ChangeGold(loaded.engine, 50);  // a load replaces what was held
        RestoreHoldings(loaded.engine, decoded->holdings);
        const bool kept = version >= save::kVersionHoldings;
        const Engine& e = loaded.engine;
        EXPECT_EQ(ItemCount(e, 1), kept ? 5 : 0) << version;
        EXPECT_EQ(ItemCount(e, 999), kept ? 99 : 0) << version;
        EXPECT_EQ(Gold(e), kept ? 1234 : 0) << version;
        const CharRecord& r = e.CharacterTable[2];
        EXPECT_EQ(r.level, kept ? 7 : 1) << version;
        EXPECT_EQ(r.experience, kept ? 500 : 0) << version;
        EXPECT_EQ(r.maxHp, kept ? 160 : 100) << version;
        EXPECT_EQ(r.stats[1], kept ? 16 : 10) << version;
    }
}

TEST(HoldingsSaveTest, CraftedValuesAreRefused) {
    EngineHarness h;
    MakeParty(h.engine);
    const save::Holdings good = CaptureHoldings(h.engine);
    const struct {
        const char* what;
        std::function<void(save::Holdings&)> craft;
    } kCrafted[] = {
        {"count 100", [](auto& s) { s.itemCounts[3] = 100; }},
        {"short item block", [](auto& s) { s.itemCounts.resize(5); }},
        {"negative gold", [](auto& s) { s.gold = -1; }},
        {"too much gold", [](auto& s) { s.gold = 10'000'000; }},
        {"level 0", [](auto& s) { s.members[1].level = 0; }},
        {"level 100", [](auto& s) { s.members[1].level = 100; }},
        {"experience", [](auto& s) { s.members[1].experience = -5; }},
        {"hit points", [](auto& s) { s.members[1].maxHp = 10'000; }},
    };
    for (const auto& c : kCrafted) {
        save::Game game;
        game.holdings = good;
        c.craft(game.holdings);
        std::string why;
        EXPECT_FALSE(save::DecodeSave(save::EncodeSave(game), &why)) << c.what;
        EXPECT_EQ(why, "damaged contents") << c.what;
    }
}

}  // namespace
