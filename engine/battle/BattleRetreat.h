#pragma once
// 撤退 (retreat) from the command menu.
#include <cstdint>

struct Engine;

// The chance in percent that a retreat succeeds: 100 x the party's speed / (the party's speed +
// the enemies' speed), each the sum of its living members' speeds (below 0 counting as 0), kept
// within 10..90; 50 when both are 0. A retreat succeeds when the random generator's next number
// modulo 100 is below it, so a replay with the same seed retreats alike.
int RetreatChance(std::int64_t partySpeed, std::int64_t enemySpeed);

// The active member chose 撤退: refused with a message when the battle's rules forbid it (the
// member chooses again); otherwise a success fades out and ends the battle, a failure ends the
// member's turn with a message and an enemy moves, as after an action.
void ChooseRetreat(Engine& engine);

// The fade-out after a successful retreat; its last frame ends the battle.
void RetreatFade(Engine& engine);
