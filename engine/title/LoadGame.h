#pragma once

struct Engine;

// Loading a saved game from the title menu.

// The title's choice of entry `cursor` (0 new game, 1..4 the slots): a slot holding a save loads
// it and the game resumes in the next frame, fading in; a damaged slot does nothing. Returns
// false when a new game is to start (the new-game entry or an empty slot).
bool LoadFromTitle(Engine& engine, int cursor);
