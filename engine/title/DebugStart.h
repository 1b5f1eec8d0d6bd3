#pragma once
#include <cstdint>
#include <string>

struct Engine;

// The place a debug start (dunmere --start-map NAME --at COLUMN,ROW) puts the party.
struct DebugStartPlace {
    std::string map;  // Shift-JIS, as in the game's files
    std::int32_t column = 0, row = 0;
};

// The first SceneProc of a debug start: the game's start-up without the logo and the title, a
// new game, and the party moved to the place once the start script gives the player control.
void StartAtPlace(Engine& engine);
