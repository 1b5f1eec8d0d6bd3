#pragma once
// The menus' script instruction and hooks: the shop (`f` 33) and the field menu that Enter opens
// in a game with an item table.
#include "engine/script/ScriptExec.h"

// `#f33;`: S names the wares ("1,2,5"); the shop stays open until the player leaves with Ctrl,
// then the script goes on. Battle scripts and unknown items are refused.
Flow ShopInstruction(ScriptRun& run);

// Registers f33 and lets the player's control open the field menu.
void RegisterMenuInstructions(Engine& engine);
