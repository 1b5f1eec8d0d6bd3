#pragma once
// The title's script instruction (class `f`): the game's end goes back to the title.
#include "engine/script/ScriptExec.h"

// f35: ends the game in play once the frame is over and shows the title menu, where the player
// loads a save or starts afresh. The script waits on it; nothing behind it runs.
Flow ToTitleInstruction(ScriptRun& run);

// Puts f35 into the runner's instruction table.
void RegisterTitleInstructions(Engine& engine);
