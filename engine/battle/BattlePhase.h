#pragma once
// What the battle's phases share: the key delay, the battle state of the engine, and the chime
// that tells the player the turn is theirs again.
#include "engine/battle/BattleState.h"
#include "engine/core/Engine.h"

constexpr int kMenuDelay = 86;  // InputTimer a phase waits for before it reads keys

inline bool Held(const Engine& engine, Key key) {
    return engine.Keys[key] == KEY_HELD;
}

inline BattleState& State(Engine& engine) {
    return *engine.Battle;
}

// Whether any slot of [from, to) still lives.
bool AnyAlive(const BattleState& b, int from, int to);
// Plays the chime once per turn and shows the party's hit points.
void Chime(Engine& engine);
// The command menu: たたかう, パス, アイテム, 撤退.
void FillCommandMenu(Engine& engine);
// The arrow held down (kDirUp..kDirRight), or -1.
int HeldArrow(const Engine& engine);
