#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "common/Random.h"
#include "engine/battle/BattleGrid.h"
#include "engine/battle/GameData.h"

// The pieces of an actor that decide where a skill reaches from.
struct ReachPose {
    int horizontalStep = 1;  // 1 looks left, -1 looks right
    int facing = 0;          // 0 looks down, 1 looks up
    int width = 32;
    int height = 32;
};

enum ReachMode : int { kReachEnemy = 0, kReachPlayer = 1 };

// Clears the reach grid and marks the cells the skill can be aimed at from the slot's origin
// cell. The player's mode mirrors the pattern into all four quadrants; an enemy's covers one
// quadrant in front of it, stretched over its size.
void MarkReachCells(CellGrid& reach, const CellGrid& grid, int slot, const SkillRecord& skill,
                    int mode, const ReachPose& pose);

// The next reach cell from the cursor in a direction, or the cursor itself when there is none.
GridCell StepCursor(const CellGrid& reach, GridCell cursor, int dir);

// Turns an actor at the origin cell towards the cursor cell; equal coordinates keep that facing.
void FaceTowards(GridCell origin, GridCell cursor, int& horizontalStep, int& facing);

inline bool SameSide(int a, int b) {
    return (a < kPartySlots) == (b < kPartySlots);
}

// Whether a skill used by the acting slot hits the slot t.
inline bool SkillHits(const SkillRecord& skill, int acting, int t) {
    return SameSide(acting, t) == skill.ownSide();
}

// The slots an action of the acting slot hits, with its area centred on the cursor.
std::array<std::int32_t, kSlotCount> TargetsInArea(const CellGrid& grid, GridCell cursor,
                                                   const SkillRecord& skill, int acting);

// The n-th targeted slot counting from 0 in slot order, or -1 when there are fewer.
int NthTargetSlot(const std::array<std::int32_t, kSlotCount>& targeted, int n);

enum EffectKind : int { kPhysical = 0, kMagic = 1, kHealing = 2 };

// The hit-point change of one target: negative for damage, positive for healing, never 0 for a
// known kind. Returns false, drawing no random number, for an unknown kind.
bool ComputeEffect(const CharRecord& attacker, const CharRecord& target, std::uint16_t power,
                   std::uint8_t kind, kit::Random& random, std::int32_t& effect);

// Knock-back byte pushing the target away from the attacker: low nibble 1 right, 2 left; high
// nibble 1 down, 2 up. A nibble whose axis does not differ keeps its value from `previous`.
std::uint8_t KnockbackDirections(std::uint8_t previous, int actingX, int actingY, int targetX,
                                 int targetY);

// Draws an enemy's action by weight; 0 when the weights add up to 0 (no number is drawn then).
int ChooseEnemyAction(const std::vector<EnemyAction>& actions, kit::Random& random);

// The direction an enemy at (ex, ey) steps to approach a party member at (px, py).
int ApproachDirection(int ex, int ey, int px, int py);
