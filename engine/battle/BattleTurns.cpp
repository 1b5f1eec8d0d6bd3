// The battle's slots, the grid bookkeeping, movement and whose turn it is.
#include <algorithm>
#include <string>

#include "engine/battle/Battle.h"
#include "engine/battle/BattlePhase.h"
#include "engine/battle/BattleState.h"
#include "engine/core/Sound.h"

Actor& SlotActor(Engine& engine, int slot) {
    // A skill script may re-create the actors (`f` 11); the battle keeps its eleven regardless.
    if (engine.Actors.size() < static_cast<std::size_t>(kSlotCount))
        engine.Actors.resize(kSlotCount);
    return engine.Actors[static_cast<std::size_t>(slot)];
}

CharRecord& Combatant(Engine& engine, int slot) {
    return *State(engine).combatant[static_cast<std::size_t>(slot)];
}

const SkillRecord& SkillOf(const Engine& engine, std::int32_t id) {
    static const SkillRecord kNoSkill{};
    if (id < 0 || static_cast<std::size_t>(id) >= engine.SkillTable.size()) return kNoSkill;
    return engine.SkillTable[static_cast<std::size_t>(id)];
}

namespace {

CellBox SlotBox(Engine& engine, int slot) {
    const Actor& a = SlotActor(engine, slot);
    return ActorCellBox(a.x, a.y, a.width, a.height);
}

}  // namespace

void RebuildGrid(Engine& engine) {
    BattleState& b = State(engine);
    b.grid = {};
    for (int n = 0; n < kSlotCount; ++n) {
        if (SlotActor(engine, n).level != 0) MarkBox(b.grid, SlotBox(engine, n), n + 1);
    }
}

bool CanStep(Engine& engine, int slot, int dir) {
    return BoxFree(State(engine).grid, Shifted(SlotBox(engine, slot), dir), slot);
}

bool TryTurn(Engine& engine, int slot, int dir) {
    Actor& a = SlotActor(engine, slot);
    switch (dir) {
        case kDirUp:
            a.facing = 1;
            return a.y - a.height > 239;
        case kDirDown:
            a.facing = 0;
            return a.y < 404;
        case kDirLeft:
            a.stepX = 1;
            return a.x > 24;
        case kDirRight:
            a.stepX = -1;
            return a.x + a.width < 247;
        default:
            return false;
    }
}

void UpdatePose(Engine& engine, int slot) {
    if (slot < 0 || slot >= kPartySlots) return;
    BattleState& b = State(engine);
    const CharRecord& r = Combatant(engine, slot);
    auto& pose = b.pose[static_cast<std::size_t>(slot)];
    if (!b.alive[slot]) {
        pose = {4, 4};
    } else if (b.pending[slot] != 0) {
        pose = {5, 5};
    } else if (r.hp < r.maxHp / 4) {
        pose = {2, 3};
    } else {
        pose = {0, 1};
    }
}

void ShowPoseFrame(Engine& engine, int slot) {
    BattleState& b = State(engine);
    SlotActor(engine, slot).walkFrame = b.pose[static_cast<std::size_t>(slot)][b.idlePhase & 1];
}

void NextPartyMember(Engine& engine) {
    BattleState& b = State(engine);
    int next = -1;
    for (int s = b.activeSlot + 1; s < kPartySlots && next < 0; ++s) {
        if (b.alive[s]) next = s;
    }
    for (int s = 0; s <= b.activeSlot && s < kPartySlots && next < 0; ++s) {
        if (b.alive[s]) next = s;
    }
    // With no member alive the turn stays with the party (the defeat follows): the enemies'
    // slots are never handed to the player.
    if (next < 0) next = (std::clamp(b.activeSlot, 0, kPartySlots - 1) + 1) % kPartySlots;
    b.activeSlot = next;
    engine.ModeProc = FreeMove;
    engine.InputTimer = -48;
}

void PassTurnFromFallenMember(Engine& engine) {
    BattleState& b = State(engine);
    if (b.activeSlot < 0 || b.activeSlot >= kPartySlots || b.alive[b.activeSlot]) return;
    if (AnyAlive(b, 0, kPartySlots)) NextPartyMember(engine);
}

void NextEnemyTurn(Engine& engine, int k) {
    BattleState& b = State(engine);
    for (int s = std::max(b.enemyTurn + k, kPartySlots); s < kSlotCount; ++s) {
        if (b.alive[s]) {
            b.enemyTurn = s;
            return;
        }
    }
    for (int s = kPartySlots; s < kSlotCount; ++s) {
        if (b.alive[s]) {
            b.enemyTurn = s;
            return;
        }
    }
}

void ShowBattleMessage(Engine& engine, std::string_view text, bool permanent) {
    BattleState& b = State(engine);
    b.message.assign(text.substr(0, 255));
    b.messageTimer = permanent ? -1 : 128;
}

void Chime(Engine& engine) {
    BattleState& b = State(engine);
    if (b.chimePlayed) return;
    b.chimePlayed = 1;
    PlayEffect(engine, kKinSoundSlot);
    b.showHp = 1;
}

bool AnyAlive(const BattleState& b, int from, int to) {
    return std::any_of(b.alive.begin() + from, b.alive.begin() + to, [](auto a) { return a != 0; });
}
