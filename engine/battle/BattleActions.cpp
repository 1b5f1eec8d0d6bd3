// The battle's rules bound to the battle state: reach, aiming, targets, the enemies' ticks,
// effects and knock-back.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/battle/Battle.h"
#include "engine/battle/BattlePhase.h"
#include "engine/battle/BattleRules.h"
#include "engine/battle/BattleState.h"
#include "engine/battle/BattleTexts.h"
#include "engine/core/Engine.h"
#include "engine/field/FieldState.h"
#include "engine/script/ScriptExec.h"
#include "engine/script/ScriptRunner.h"
#include "engine/words/Words.h"

namespace {

ReachPose PoseOf(const Actor& a) {
    return {a.stepX, a.facing, a.width, a.height};
}

GridCell Cursor(const BattleState& b) {
    return UnpackCursor(b.cursor);
}

}  // namespace

void MarkReach(Engine& engine, int slot, int mode) {
    BattleState& b = State(engine);
    MarkReachCells(b.reach, b.grid, slot, SkillOf(engine, b.pending[slot]), mode,
                   PoseOf(SlotActor(engine, slot)));
}

void FaceCursor(Engine& engine) {
    BattleState& b = State(engine);
    const auto origin = OriginCell(b.grid, b.activeSlot);
    if (!origin) return;
    Actor& actor = SlotActor(engine, b.activeSlot);
    FaceTowards(*origin, Cursor(b), actor.stepX, actor.facing);
}

void MoveCursor(Engine& engine, int dir) {
    BattleState& b = State(engine);
    engine.InputTimer = 0;
    b.cursor = PackCursor(StepCursor(b.reach, Cursor(b), dir));
    FaceCursor(engine);
}

void BeginAiming(Engine& engine) {
    BattleState& b = State(engine);
    b.aiming = 1;
    MarkReach(engine, b.activeSlot, kReachPlayer);
    const bool ownSide = SkillOf(engine, b.pending[b.activeSlot]).ownSide();
    for (int c = 0; c < kGridSize; ++c) {
        for (int r = 0; r < kGridSize; ++r) {
            const int t = b.grid[c][r] - 1;
            if (t < 0 || !b.reach[c][r]) continue;
            if ((t < kPartySlots) == ownSide) {
                b.cursor = PackCursor({c, r});
                FaceCursor(engine);
                return;
            }
        }
    }
    b.cursor = PackCursor(OriginCell(b.grid, b.activeSlot).value_or(GridCell{}));
    MoveCursor(engine, kDirLeft);
}

void MarkTargets(Engine& engine) {
    BattleState& b = State(engine);
    const int acting = b.activeSlot;
    b.targeted = TargetsInArea(b.grid, Cursor(b), SkillOf(engine, b.pending[acting]), acting);
}

int EnemyTick(Engine& engine) {
    BattleState& b = State(engine);
    const int e = b.enemyTurn;
    if (b.pending[e] != 0) {
        NextEnemyTurn(engine, 1);
        return 0;
    }
    const std::size_t k = static_cast<std::size_t>(e - kPartySlots);
    // An enemy whose weights add up to 0 never commits an action; it only approaches.
    b.pending[e] = ChooseEnemyAction(b.actionList[k], engine.random);
    int target = -1;
    if (b.pending[e] != 0) {
        MarkReach(engine, e, kReachEnemy);
        for (int c = 0; c < kGridSize && target < 0; ++c) {
            for (int r = 0; r < kGridSize; ++r) {
                const int t = b.grid[c][r] - 1;
                if (t >= 0 && b.reach[c][r] && t != e && t < kPartySlots) {
                    target = t;
                    break;
                }
            }
        }
    }
    if (target >= 0 && b.alive[target]) {
        b.cursor = PackCursor(FirstCell(b.grid, target).value_or(GridCell{}));
        b.enemyCommitted = 1;
        NextEnemyTurn(engine, 1);
        return 1;
    }
    b.pending[e] = 0;
    int p = kPartySlots;
    for (int s = 0; s < kPartySlots; ++s) {
        if (b.alive[s]) {
            p = s;
            break;
        }
    }
    const Actor& me = SlotActor(engine, e);
    const Actor& them = SlotActor(engine, p);
    const int dir = ApproachDirection(me.x, me.y, them.x, them.y);
    if (TryTurn(engine, e, dir) && CanStep(engine, e, dir)) {
        b.enemyMover = e;
        b.enemyMoveDir = dir;
        b.frameCounter = 0;
        engine.ModeProc = StepAnim;
        NextEnemyTurn(engine, 1);
        return 2;
    }
    NextEnemyTurn(engine, 1);
    return 0;
}

void ComputeEffects(Engine& engine, int attacker, std::uint16_t power, std::uint8_t kind) {
    BattleState& b = State(engine);
    for (int t = 0; t < kSlotCount; ++t) {
        if (!b.targeted[t]) continue;
        std::int32_t effect = 0;
        if (!ComputeEffect(Combatant(engine, attacker), Combatant(engine, t), power, kind,
                           engine.random, effect)) {
            ErrorBox(engine, "failed");
            effect = 0;
        }
        b.effect[t] = effect;
    }
}

void KnockbackRun(Engine& engine) {
    BattleState& b = State(engine);
    if (++b.knockbackTimer <= 25) return;
    b.knockbackTimer = 0;
    int s = b.knockbackIndex;
    while (s < kSlotCount && b.knockback[s] == 0) ++s;
    if (s < kSlotCount) {
        const int across = b.knockback[s] & 15;
        const int along = b.knockback[s] >> 4;
        // Across first; the push along then starts from the moved place, checked against the grid
        // as it was before the push, so a diagonal push tests the diagonal cell.
        Actor& actor = SlotActor(engine, s);
        if (across == 1 && CanStep(engine, s, kDirRight)) actor.x += 32;
        if (across == 2 && CanStep(engine, s, kDirLeft)) actor.x -= 32;
        if (along == 1 && CanStep(engine, s, kDirDown)) actor.y += 24;
        if (along == 2 && CanStep(engine, s, kDirUp)) actor.y -= 24;
        b.knockback[s] = 0;
        RebuildGrid(engine);
        for (int t = s + 1; t < kSlotCount; ++t) {
            if (b.knockback[t] != 0) {
                b.knockbackIndex = static_cast<std::uint8_t>(s + 1);
                return;
            }
        }
    }
    ApplyEffects(engine);
    engine.ModeProc = ActionRun;
}

void ApplyEffects(Engine& engine) {
    BattleState& b = State(engine);
    const bool anyDamage =
        std::any_of(b.effect.begin(), b.effect.end(), [](std::int32_t e) { return e < 0; });
    b.numbersTimer = anyDamage ? 70 : 50;
    for (int t = 0; t < kSlotCount; ++t) {
        if (!b.targeted[t]) continue;
        CharRecord& r = Combatant(engine, t);
        const std::int64_t hp = static_cast<std::int64_t>(r.hp) + b.effect[t];
        if (hp <= 0) {
            r.hp = 0;
            b.alive[t] = 0;
        } else {
            r.hp = hp > r.maxHp ? r.maxHp : static_cast<std::int32_t>(hp);
        }
        UpdatePose(engine, t);
        ShowPoseFrame(engine, t);
    }
}

int NthTarget(Engine& engine, std::int32_t n) {
    const int slot = NthTargetSlot(State(engine).targeted, n);
    if (slot >= 0) return slot;
    ErrorBox(engine, engine.GameWords[Word::NoTarget]);
    return 4;
}
