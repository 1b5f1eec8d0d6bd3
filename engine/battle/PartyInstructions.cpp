// `f` 34: a party member's figures for scripts, and the inn that heals the whole party.
#include <string>

#include "engine/battle/Battle.h"
#include "engine/battle/BattleGrid.h"
#include "engine/battle/GameData.h"
#include "engine/battle/Growth.h"
#include "engine/core/Engine.h"
#include "engine/script/Opcodes.h"
#include "engine/script/ScriptExec.h"

namespace {

enum PartyValue : std::int32_t {
    kHitPoints = 0,
    kMaxHitPoints = 1,
    kLevel = 2,
    kExperience = 3,
    kInn = 10,
};

// Every member back to full hit points and LP, the fallen too.
void StayAtInn(Engine& engine) {
    for (int slot = 0; slot < kPartySlots; ++slot) {
        if (CharRecord* member = PartyMember(engine, slot)) {
            member->hp = member->maxHp;
            member->lp = member->maxLp;
        }
    }
}

Flow PartyMemberInstruction(ScriptRun& run) {
    const std::int32_t slot = Arg(run, 0), value = Arg(run, 1);
    if (!CheckIndex(run, slot, kPartySlots, "party slot")) return Flow::Next;
    if (value == kInn) {
        // A battle keeps its own count of the living; the inn waits for the field.
        if (run.engine.Battle)
            ReportFault(run, "the inn (f34 10) cannot be used in a battle");
        else
            StayAtInn(run.engine);
        return Flow::Next;
    }
    if (value < kHitPoints || value > kExperience) {
        ReportFault(run, "operation of f34 " + std::to_string(value) + " does not exist");
        return Flow::Next;
    }
    // An empty slot has no figures: 0.
    const CharRecord* member = PartyMember(run.engine, slot);
    std::int32_t result = 0;
    if (member) {
        switch (value) {
            case kHitPoints:
                result = member->hp;
                break;
            case kMaxHitPoints:
                result = member->maxHp;
                break;
            case kLevel:
                result = member->level;
                break;
            default:
                result = member->experience;
                break;
        }
    }
    run.context.variables[2] = result;
    return Flow::Next;
}

}  // namespace

void RegisterPartyInstructions(Engine& engine) {
    RegisterInstruction(engine, ScriptClass::Field, FieldOp::PartyMember, PartyMemberInstruction);
}
