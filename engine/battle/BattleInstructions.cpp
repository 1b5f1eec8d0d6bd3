// The battle's script instructions: class `w` of the skill scripts, and `f` 10, which starts a
// battle from the field.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/battle/Battle.h"
#include "engine/battle/BattlePhase.h"
#include "engine/battle/BattleRules.h"
#include "engine/battle/BattleState.h"
#include "engine/core/Engine.h"
#include "engine/game/GameInstructions.h"
#include "engine/script/Opcodes.h"
#include "engine/script/ScriptExec.h"
#include "engine/script/ScriptRunner.h"

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

void PlaceAnimationOnTarget(Engine& engine, QDCR& context) {
    auto& v = context.variables;
    if (!AnimActorIndex(engine, context, v[0])) return;
    const Actor& target = SlotActor(engine, NthTarget(engine, v[1]));
    AnimActor& anim = engine.Scripts.AnimActors[static_cast<std::size_t>(v[0])];
    anim.originX = target.x;
    anim.originY = target.y - (target.height >> 1);
}

void WaitForAnimations(Engine& engine, QDCR& context) {
    const bool busy =
        std::any_of(engine.Scripts.AnimActors.begin(), engine.Scripts.AnimActors.end(),
                    [](const AnimActor& a) { return a.active != 0; });
    if (busy) RepeatWaiting(engine, context);
}

void PushTargets(Engine& engine, QDCR&) {
    BattleState& b = State(engine);
    b.knockbackTimer = 999;
    b.knockbackIndex = 0;
    engine.ModeProc = KnockbackRun;
}

void WaitForNumbers(Engine& engine, QDCR& context) {
    if (State(engine).numbersTimer != 0) RepeatWaiting(engine, context);
}

void ComputeEffect(Engine& engine, QDCR& context) {
    const auto& v = context.variables;
    ComputeEffects(engine, State(engine).actingSlot, static_cast<std::uint16_t>(v[0] & 0xFFFF),
                   static_cast<std::uint8_t>(v[1] & 0xFF));
}

void ActingCombatant(Engine& engine, QDCR& context) {
    context.variables[3] = State(engine).actingSlot;
}

void IsEnemy(Engine&, QDCR& context) {
    auto& v = context.variables;
    v[2] = v[3] >= 4 ? 1 : 0;
}

void NthTargetOf(Engine& engine, QDCR& context) {
    auto& v = context.variables;
    v[3] = NthTarget(engine, v[0]);
}

void TurnRound(Engine& engine, QDCR& context) {
    const std::int32_t slot = context.variables[3];
    if (slot < 0 || slot >= kSlotCount) {
        char text[96];
        std::snprintf(text, sizeof text, "Script error: actor %d does not exist\n\n%s",
                      static_cast<int>(slot), std::string(ScriptName(context)).c_str());
        ErrorBox(engine, text);
        return;
    }
    Actor& a = SlotActor(engine, slot);
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
}

void IsMiss(Engine& engine, QDCR& context) {
    auto& v = context.variables;
    v[2] = State(engine).effect[static_cast<std::size_t>(NthTarget(engine, v[0]))] == 0;
}

void PushAwayFromAttacker(Engine& engine, QDCR&) {
    BattleState& b = State(engine);
    const Actor& acting = SlotActor(engine, b.activeSlot);
    for (int t = 0; t < kSlotCount; ++t) {
        if (!b.targeted[t] || t == b.activeSlot) continue;
        const Actor& target = SlotActor(engine, t);
        b.knockback[t] =
            KnockbackDirections(b.knockback[t], acting.x, acting.y, target.x, target.y);
    }
}

void EndAction(Engine& engine, QDCR&) {
    FinishAction(engine);
}

// `f` 10: the battle against group P0 begins in the next frame.
Flow StartBattle(ScriptRun& run) {
    NoteBattleStarter(run);
    run.engine.Field.enemyGroup = Arg(run, 0);
    run.engine.ModeProc = BattleStartMode;
    return Flow::Next;
}

}  // namespace

void BattleInstructionW(Engine& engine, QDCR& context, std::int8_t opcode) {
    if (!engine.Battle) return;
    switch (static_cast<BattleOp>(opcode)) {
        case BattleOp::EndAction:
            return EndAction(engine, context);
        case BattleOp::PlaceAnimation:
            return PlaceAnimationOnTarget(engine, context);
        case BattleOp::WaitForAnimations:
            return WaitForAnimations(engine, context);
        case BattleOp::PushTargets:
            return PushTargets(engine, context);
        case BattleOp::WaitForNumbers:
            return WaitForNumbers(engine, context);
        case BattleOp::ComputeEffect:
            return ComputeEffect(engine, context);
        case BattleOp::ActingCombatant:
            return ActingCombatant(engine, context);
        case BattleOp::IsEnemy:
            return IsEnemy(engine, context);
        case BattleOp::NthTarget:
            return NthTargetOf(engine, context);
        case BattleOp::TurnRound:
            return TurnRound(engine, context);
        case BattleOp::IsMiss:
            return IsMiss(engine, context);
        case BattleOp::PushAwayFromAttacker:
            return PushAwayFromAttacker(engine, context);
        default:
            return;  // `w` 1 and every other opcode do nothing
    }
}

void RegisterBattleInstructions(Engine& engine) {
    RegisterInstruction(engine, ScriptClass::Field, FieldOp::StartBattle, StartBattle);
    RegisterPartyInstructions(engine);
}
