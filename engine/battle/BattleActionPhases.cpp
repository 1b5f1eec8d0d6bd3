// The phases in which the chosen actions run: their order, the skill scripts, the fading of the
// fallen, and the end of the battle by victory.
#include <algorithm>
#include <array>
#include <cstdio>

#include "engine/battle/Battle.h"
#include "engine/battle/BattlePhase.h"
#include "engine/battle/BattleRules.h"
#include "engine/battle/BattleState.h"
#include "engine/battle/BattleTexts.h"
#include "engine/core/Sound.h"
#include "engine/script/ScriptRunner.h"
#include "engine/words/Words.h"

namespace {

constexpr int kActionFrameLimit = 1800;  // about 29 seconds for one action's skill script

}  // namespace

void ExecuteNextAction(Engine& engine) {
    BattleState& b = State(engine);
    engine.ModeProc = FreeMove;
    std::array<int, kSlotCount> order{};
    for (int s = 0; s < kSlotCount; ++s) order[s] = s;
    auto speed = [&](int slot) { return Combatant(engine, slot).stats[kStatSpeed]; };
    // The exchange sort decides the order among equal speeds.
    for (int i = 0; i < kSlotCount - 1; ++i) {
        for (int j = i + 1; j < kSlotCount; ++j) {
            if (speed(order[i]) < speed(order[j])) std::swap(order[i], order[j]);
        }
    }
    int c = -1;
    for (const int s : order) {
        if (b.pending[s] != 0) {
            c = s;
            break;
        }
    }
    if (c < 0) return;

    b.actingSlot = c;
    b.idleAnimOn = 0;
    b.chimePlayed = 0;
    b.savedActive = b.activeSlot;
    b.activeSlot = c;
    b.frameCounter = 0;
    b.actingSkill = b.pending[c];
    ShowBattleMessage(engine, SkillOf(engine, b.actingSkill).name, false);
    if (c >= kPartySlots) {
        MarkReach(engine, c, kReachEnemy);
        b.enemyActing = 1;
    }
    MarkTargets(engine);
    engine.ModeProc = ActionStart;
}

void ActionStart(Engine& engine) {
    BattleState& b = State(engine);
    const int acting = b.activeSlot;
    if (engine.InputTimer >= kMenuDelay) {
        ++b.frameCounter;
        if (b.frameCounter > 50 || engine.Keys[Key::Shift] == KEY_PRESSED) {
            b.enemyActing = 0;
            b.messageTimer = 1;
            const bool anyTarget =
                std::any_of(b.targeted.begin(), b.targeted.end(), [](int t) { return t != 0; });
            if (!anyTarget) {
                FinishAction(engine);
            } else {
                char name[32];
                std::snprintf(name, sizeof name, "ev\\wz\\wz%d", static_cast<int>(b.actingSkill));
                // A script that cannot be read must not replay the previous skill's leftovers.
                if (!b.skillScript.READ(engine, name)) b.skillScript.Reset();
                b.actionFrames = 0;
                engine.ModeProc = ActionRun;
            }
        }
    }
    if (acting >= kPartySlots && engine.Battle) MarkActive(engine, MarkerLabel::Label);
}

void ActionRun(Engine& engine) {
    BattleState& b = State(engine);
    if (++b.actionFrames > kActionFrameLimit) {
        // A skill that never reaches `w` 0 (a loop that yields, a wait on an animation that
        // never ends) would hold the battle for ever: it is stopped as if its script stopped.
        StopScript(engine, b.skillScript, "the skill did not finish within 1800 frames ('w' 0)");
        for (AnimActor& anim : engine.Scripts.AnimActors) anim.Clear();
        FinishAction(engine);
        return;
    }
    RunBattleScript(engine, b.skillScript, BattleInstructionW);
    if (!engine.Battle) return;
    // Only `w` 0 ends an action on purpose; a script that stops without it would leave the
    // battle waiting for ever, so its stop ends the action too.
    if (engine.ModeProc == ActionRun && engine.Battle->skillScript.Peek() == 0) {
        FinishAction(engine);
    }
    for (int i = 0; i < kAnimActorCount; ++i) {
        if (engine.Scripts.AnimActors[static_cast<std::size_t>(i)].active) {
            RunAndDrawAnimActor(engine, i, 0, 0);
        }
    }
    NumbersStep(engine);
}

void FinishAction(Engine& engine) {
    BattleState& b = State(engine);
    engine.Scripts.AnimActors[0].picture.Destroy();
    bool enemyFell = false;
    for (int s = kPartySlots; s < kSlotCount; ++s) {
        if (b.targeted[s] && !b.alive[s]) enemyFell = true;
    }
    b.idleAnimOn = 1;
    const int acting = b.actingSlot;
    b.pending[acting] = 0;
    UpdatePose(engine, acting);
    b.activeSlot = b.savedActive;
    if (acting < kPartySlots) NextPartyMember(engine);
    b.frameCounter = 16;
    engine.ModeProc = enemyFell ? FadeDefeated : AfterAction;
}

void FadeDefeated(Engine& engine) {
    BattleState& b = State(engine);
    const int old = b.frameCounter--;
    if (old >= 1) {
        for (int s = kPartySlots; s < kSlotCount; ++s) {
            if (b.targeted[s] && !b.alive[s]) {
                Actor& actor = SlotActor(engine, s);
                actor.level = std::max(actor.level - 2, 0);
            }
        }
        return;
    }
    b.targeted = {};
    RebuildGrid(engine);
    engine.ModeProc = AfterAction;
}

void AfterAction(Engine& engine) {
    BattleState& b = State(engine);
    if (!AnyAlive(b, 0, kPartySlots)) {
        ShowBattleMessage(engine, engine.GameWords[Word::Defeat], true);
        b.frameCounter = 0;
        engine.InputTimer = 0;
        engine.ModeProc = DefeatWait;
        return;
    }
    if (!AnyAlive(b, kPartySlots, kSlotCount)) {
        BeginVictory(engine);
        return;
    }
    b.targeted = {};
    b.effect = {};
    for (int s = 0; s < kPartySlots; ++s) UpdatePose(engine, s);
    if (b.menuOpened) {
        b.menuOpened = 0;
        b.partyMover = -1;
        const int result = EnemyTick(engine);
        if (result == 0) Chime(engine);
        if (result == 1) b.chimePlayed = 1;
    } else {
        Chime(engine);
        engine.ModeProc = ExecuteNextAction;
    }
    NextEnemyTurn(engine, 0);
}
