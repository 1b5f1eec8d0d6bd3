#pragma once
// The game state's script instructions (class `f`): game variables, switches, the choice menu,
// the field's music and the next battle's rules.
#include "engine/script/ScriptExec.h"

Flow GameVariableInstruction(ScriptRun& run);  // f26
Flow GameSwitchInstruction(ScriptRun& run);    // f27
Flow ChoiceInstruction(ScriptRun& run);        // f28 (ChoiceMenu.cpp)
Flow FieldMusicInstruction(ScriptRun& run);    // f29
Flow BattleRulesInstruction(ScriptRun& run);   // f30

// Puts f26-f30 into the runner's instruction table.
void RegisterGameInstructions(Engine& engine);

// `f` 10 calls this before the battle starts: the script that runs it learns the outcome.
void NoteBattleStarter(ScriptRun& run);
