#pragma once
// Where the item table comes from.
struct Engine;

// Reads Dtbs\items.dat when the game has one. A damaged file is reported in an error box naming
// the file and the line, and the game goes on without items; a game without the file has none.
void LoadItemTable(Engine& engine);
