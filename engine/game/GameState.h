#pragma once
#include <array>
#include <bitset>
#include <cstdint>
#include <string>

#include "engine/field/QCBOX.h"
#include "engine/game/BattleOutcome.h"

// What a game remembers across its scripts: the game variables and switches every script shares,
// the field's music and the rules of the next battle. A new game starts with all of it empty;
// saved games keep it.
struct GameState {
    static constexpr int kVariableCount = 1000;
    static constexpr int kSwitchCount = 1000;
    static constexpr std::int32_t kNoScript = -2;
    static constexpr std::int32_t kGlobalScript = -1;

    std::array<std::int32_t, kVariableCount> variables{};
    std::bitset<kSwitchCount> switches;
    // The field's music as a script chose it (`f` 29): the name under BGM without ".mid", empty
    // for silence. Until a script chooses, the field keeps the music that played before a battle.
    std::string fieldMusic;
    bool fieldMusicChosen = false;
    std::int32_t nextBattleRules = 0;  // BattleRule bits for the next battle only
    std::int32_t battleRules = 0;      // those of the battle that runs

    // Set while a battle runs: the music the field had before it (when no script chose one) and
    // the script that started it, which learns the outcome.
    std::string musicBeforeBattle;
    std::int32_t battleStarter = kNoScript;
    std::uint64_t battleStarterGeneration = 0;

    // The open choice menu (`f` 28), serviced by the script that opened it once a frame.
    struct Choice {
        QCBOX box;
        bool open = false;
        bool cancellable = false;
        bool armed = false;  // Shift and Ctrl were seen up since the menu opened
        std::uint64_t lastFrame = 0;
        const void* owner = nullptr;  // the context that opened it
        std::string source;           // its S, so that a new question is told from the old
    } choice;
};
