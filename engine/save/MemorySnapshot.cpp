#include "engine/save/MemorySnapshot.h"

#include "engine/game/GameState.h"

static_assert(save::Memory::kVariableCount == GameState::kVariableCount);
static_assert(save::Memory::kSwitchCount == GameState::kSwitchCount);

save::Memory CaptureMemory(const GameState& game) {
    save::Memory m;
    m.variables = game.variables;
    for (std::size_t i = 0; i < game.switches.size(); ++i)
        if (game.switches[i]) m.switches[i / 8] |= static_cast<std::uint8_t>(1u << (i % 8));
    m.fieldMusic = game.fieldMusic;
    m.fieldMusicChosen = game.fieldMusicChosen;
    m.nextBattleRules = game.nextBattleRules;
    return m;
}

void RestoreMemory(GameState& game, const save::Memory& m) {
    game = GameState{};
    game.variables = m.variables;
    for (std::size_t i = 0; i < game.switches.size(); ++i)
        game.switches[i] = (m.switches[i / 8] >> (i % 8)) & 1;
    game.fieldMusic = m.fieldMusic;
    game.fieldMusicChosen = m.fieldMusicChosen;
    game.nextBattleRules = m.nextBattleRules;
}
