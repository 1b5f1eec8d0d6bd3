// The game state in saved games: kept from a save to its load, empty in saves of the versions
// before it, and crafted rules behind a valid checksum refused.
#include <gtest/gtest.h>

#include "engine/game/GameState.h"
#include "engine/save/MemorySnapshot.h"
#include "engine/save/SaveFile.h"

TEST(GameMemorySaveTest, KeptByASaveEmptyInOlderOnesCraftedRulesRefused) {
    GameState state;
    state.variables[0] = 7;
    state.variables[999] = -2147483647 - 1;
    state.switches[1] = state.switches[8] = state.switches[999] = true;
    state.fieldMusic = "town";
    state.fieldMusicChosen = true;
    state.nextBattleRules = kNoRetreat | kLosingGoesOn;
    save::Game game;
    game.memory = CaptureMemory(state);
    for (std::uint32_t version = save::kVersionFirst; version <= save::kSaveVersion; ++version) {
        const auto decoded = save::DecodeSave(save::EncodeSave(game, version));
        ASSERT_TRUE(decoded) << version;
        GameState loaded;
        loaded.choice.open = true;  // nothing pending survives a load
        RestoreMemory(loaded, decoded->memory);
        const bool kept = version >= save::kVersionGameMemory;
        EXPECT_EQ(loaded.variables == state.variables, kept) << version;
        EXPECT_EQ(loaded.switches == state.switches, kept) << version;
        EXPECT_EQ(loaded.fieldMusic, kept ? "town" : "") << version;
        EXPECT_EQ(loaded.fieldMusicChosen, kept) << version;
        EXPECT_EQ(loaded.nextBattleRules, kept ? 3 : 0) << version;
        EXPECT_FALSE(loaded.choice.open);
    }
    for (const std::int32_t rules : {-1, 4}) {
        game.memory.nextBattleRules = rules;
        std::string why;
        EXPECT_FALSE(save::DecodeSave(save::EncodeSave(game), &why)) << rules;
        EXPECT_EQ(why, "damaged contents");
    }
}
