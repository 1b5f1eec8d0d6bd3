// The battle's rules bound to the battle state: reach, aiming, targets, the enemies' ticks,
// effects, knock-back and the skill scripts' instruction class `w`.
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
    ErrorBox(engine, kNoSuchTargetText);
    return 4;
}

namespace {

// The waiting instructions repeat: the position goes back to the second byte before their
// class byte, which the runner reads once more before it meets the yield in front of the `w`.
void RepeatWaiting(Engine& engine, QDCR& context) {
    const std::size_t classPos = context.Position() - 2;
    if (classPos >= 2) {
        context.SetPosition(classPos - 2);
    } else if (classPos == 1 && context.ByteAt(0) == '#') {
        context.SetPosition(0);
    } else {
        StopScript(engine, context, "a waiting 'w' instruction needs a '#' in front of it");
    }
}

bool AnimActorIndex(Engine& engine, QDCR& context, std::int32_t index) {
    if (index >= 0 && index < kAnimActorCount) return true;
    char text[96];
    std::snprintf(text, sizeof text, "Script error: animation actor %d does not exist\n\n%s",
                  static_cast<int>(index), std::string(ScriptName(context)).c_str());
    ErrorBox(engine, text);
    return false;
}

}  // namespace

void BattleInstructionW(Engine& engine, QDCR& context, std::int8_t opcode) {
    if (!engine.Battle) return;
    BattleState& b = State(engine);
    auto& v = context.variables;
    switch (opcode) {
        case 0:
            FinishAction(engine);
            break;
        case 2: {
            if (!AnimActorIndex(engine, context, v[0])) break;
            const Actor& target = SlotActor(engine, NthTarget(engine, v[1]));
            AnimActor& anim = engine.Scripts.AnimActors[static_cast<std::size_t>(v[0])];
            anim.originX = target.x;
            anim.originY = target.y - (target.height >> 1);
            break;
        }
        case 3: {
            const bool busy =
                std::any_of(engine.Scripts.AnimActors.begin(), engine.Scripts.AnimActors.end(),
                            [](const AnimActor& a) { return a.active != 0; });
            if (busy) RepeatWaiting(engine, context);
            break;
        }
        case 4:
            b.knockbackTimer = 999;
            b.knockbackIndex = 0;
            engine.ModeProc = KnockbackRun;
            break;
        case 5:
            if (b.numbersTimer != 0) RepeatWaiting(engine, context);
            break;
        case 6:
            ComputeEffects(engine, b.actingSlot, static_cast<std::uint16_t>(v[0] & 0xFFFF),
                           static_cast<std::uint8_t>(v[1] & 0xFF));
            break;
        case 7:
            v[3] = b.actingSlot;
            break;
        case 8:
            v[2] = v[3] >= 4 ? 1 : 0;
            break;
        case 9:
            v[3] = NthTarget(engine, v[0]);
            break;
        case 10: {
            if (v[3] < 0 || v[3] >= kSlotCount) {
                char text[96];
                std::snprintf(text, sizeof text, "Script error: actor %d does not exist\n\n%s",
                              static_cast<int>(v[3]), std::string(ScriptName(context)).c_str());
                ErrorBox(engine, text);
                break;
            }
            Actor& a = SlotActor(engine, v[3]);
            // Left-down, left-up, right-up, right-down and round again.
            if (a.stepX == 1 && a.facing == 0) {
                a.facing = 1;
            } else if (a.stepX == 1 && a.facing == 1) {
                a.stepX = -1;
            } else if (a.stepX == -1 && a.facing == 1) {
                a.facing = 0;
            } else if (a.stepX == -1 && a.facing == 0) {
                a.stepX = 1;
            }
            break;
        }
        case 11:
            v[2] = b.effect[static_cast<std::size_t>(NthTarget(engine, v[0]))] == 0;
            break;
        case 12: {
            const Actor& acting = SlotActor(engine, b.activeSlot);
            for (int t = 0; t < kSlotCount; ++t) {
                if (!b.targeted[t] || t == b.activeSlot) continue;
                const Actor& target = SlotActor(engine, t);
                b.knockback[t] =
                    KnockbackDirections(b.knockback[t], acting.x, acting.y, target.x, target.y);
            }
            break;
        }
        default:
            break;  // 1 and every other opcode do nothing
    }
}
