#pragma once
// The game state into a save and back.
#include "engine/save/SaveData.h"

struct GameState;

save::Memory CaptureMemory(const GameState& game);
// The saved memory becomes the game's; nothing of a battle or a question is pending afterwards.
void RestoreMemory(GameState& game, const save::Memory& memory);
