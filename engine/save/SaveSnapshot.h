#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/save/SaveData.h"

struct Engine;

// Taking a game out of the engine and putting it back.

// The routine of a mode, and the mode of a routine (nothing for routines a save cannot resume).
void (*ModeRoutine(save::Mode mode))(Engine&);
std::optional<save::Mode> RoutineMode(void (*routine)(Engine&));

// Everything play depends on, as it stands, with `mode` as the routine play goes on with and
// `savePointScript` as the script that goes on after its `f` 25 with P2 = 2.
save::Game CaptureGame(const Engine& engine, save::Mode mode, std::int32_t savePointScript);

// Why a decoded game cannot be played by the game `gameIdentity` (an empty string when it can):
// a save of another game (when both identities are known), counts that disagree, a script that
// saved and does not exist, a map whose layers do not match its size, and every field that
// indexes or counts outside the range the engine keeps it in (script positions, the text box,
// names, timers, the camera). Fields that scripts may set to any number (actors, movers,
// animation cells, the party) are played as they are, as the engine plays them after a script.
// (A party member without a character is played as a new game would: the battle reports it.)
std::string CheckGame(const save::Game& game, std::string_view gameIdentity);

// Puts a checked game into the engine: scripts, actors, field, text box, party, hit points,
// music, random generator and play time. The routines are left to the caller.
void RestoreGame(Engine& engine, const save::Game& game);
