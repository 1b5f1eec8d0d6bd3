#pragma once
// What the game state tells the trace and the rest of the engine.
#include <cstdint>
#include <string>

#include "engine/game/GameState.h"

struct Engine;

// A trace line of the game's progress ("var 3 10", "battle end won"), for headless runs.
void NoteGameEvent(Engine& engine, const std::string& line);

// The field's music: the one a script chose, or else the one that played before the battle;
// silence when there is none.
void PlayFieldMusic(Engine& engine);

// The battle's beginning and end as the game state sees them: the field's music is remembered,
// the next battle's rules become the running battle's (GameState::battleRules), and the end
// plays the field's music again and gives the starting script the outcome.
void BeginBattleRecord(Engine& engine, std::int32_t enemyGroup);
void EndBattleRecord(Engine& engine, BattleOutcome outcome);
