// The game state in saved games: kept from a save to its load, empty in saves of the versions
// before it, and crafted values behind a valid checksum refused.
#include <gtest/gtest.h>

#include "engine/game/GameState.h"
#include "engine/save/MemorySnapshot.h"
#include "engine/save/SaveFile.h"

namespace {

GameState RememberingState() {
    GameState state;
    state.variables[0] = 7;
    state.variables[999] = -2147483647 - 1;
    state.switches[1] = state.switches[8] = state.switches[999] = true;
    state.fieldMusic = "town";
    state.fieldMusicChosen = true;
    state.nextBattleRules = kNoRetreat | kLosingGoesOn;
    return state;
}

TEST(GameMemorySaveTest, VariablesSwitchesMusicAndRulesSurviveASaveAndLoad) {
    const GameState state = RememberingState();
    save::Game game;
    game.memory = CaptureMemory(state);
    const auto decoded = save::DecodeSave(save::EncodeSave(game));
    ASSERT_TRUE(decoded);
    GameState loaded;
    loaded.choice.open = true;  // whatever was pending before the load goes
    RestoreMemory(loaded, decoded->memory);
    EXPECT_EQ(loaded.variables, state.variables);
    EXPECT_EQ(loaded.switches, state.switches);
    EXPECT_EQ(loaded.fieldMusic, "town");
    EXPECT_TRUE(loaded.fieldMusicChosen);
    EXPECT_EQ(loaded.nextBattleRules, 3);
    EXPECT_FALSE(loaded.choice.open);
}

TEST(GameMemorySaveTest, OlderSavesLoadWithAnEmptyMemoryAndCraftedRulesAreRefused) {
    save::Game game;
    game.memory = CaptureMemory(RememberingState());
    for (std::uint32_t version = save::kVersionFirst; version < save::kVersionGameMemory;
         ++version) {
        const auto decoded = save::DecodeSave(save::EncodeSave(game, version));
        ASSERT_TRUE(decoded) << version;
        EXPECT_EQ(decoded->memory.variables, save::Memory{}.variables) << version;
        EXPECT_FALSE(decoded->memory.fieldMusicChosen) << version;
    }
    for (const std::int32_t rules : {-1, 4}) {
        game.memory.nextBattleRules = rules;
        std::string why;
        EXPECT_FALSE(save::DecodeSave(save::EncodeSave(game), &why)) << rules;
        EXPECT_EQ(why, "damaged contents");
    }
}

}  // namespace
