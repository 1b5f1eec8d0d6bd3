#pragma once

struct Engine;

// The field menu. Enter opens it while the player may walk (no message, question or conversation
// on view) in a game that has an item table: the party with levels, hit points and the
// experience each still needs, the gold, and the items, a healing one used on a member. Ctrl
// steps back and closes it. The field's scene waits while it is open.
void OpenFieldMenuIfAllowed(Engine& engine);
// Its ModeProc.
void FieldMenuMode(Engine& engine);
