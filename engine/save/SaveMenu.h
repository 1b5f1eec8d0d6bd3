#pragma once

struct Engine;
struct ScriptRun;
enum class Flow;

// The save point of the scripts, `#f25;`: from the global or an event script it opens the save
// menu and repeats until the player has chosen; then P2 = 1 (saved) or 0 (cancelled). A game
// loaded from that save goes on right after the same instruction with P2 = 2. Battle scripts are
// refused.
Flow SavePointInstruction(ScriptRun& run);

// Registers the save point as `f` 25 in the script runner's instruction table.
void RegisterSaveInstructions(Engine& engine);

// The ModeProc of the save menu: Up and Down choose a slot, Shift saves (asking first whether to
// overwrite a slot that is not empty), Ctrl cancels.
void SaveMenuMode(Engine& engine);
