#pragma once
// The party's items and gold as scripts see them (class `f`). Arguments are P0..P3 as for every
// `f` instruction; a refused instruction reports its fault and changes nothing.
#include "engine/script/ScriptExec.h"

Flow ItemInstruction(ScriptRun& run);  // f31: P0 item id; P1 0 count into P2, 1 add P2
Flow GoldInstruction(ScriptRun& run);  // f32: P1 0 gold into P2, 1 add P2

// Puts f31 and f32 into the runner's instruction table.
void RegisterItemInstructions(Engine& engine);
