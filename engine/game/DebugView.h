#pragma once
#include <string>
#include <vector>

struct Engine;

// The game maker's view of the game's state (`dunmere --debug`, F9): the game variables that are
// not 0, the switches that are on, the map and the leader's tile, the music, in a game with items
// the gold and the items held (id x count), and each running script's name and position. It is
// drawn over the presented frame only; the game's own picture is left as it was.

// The view's lines, as they are drawn.
std::vector<std::string> DebugViewLines(const Engine& engine);

// Makes the engine present its frames through the view (shown while engine.DebugViewShown).
void InstallDebugView(Engine& engine);
