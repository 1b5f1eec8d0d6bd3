// Loading the enemies of a battle from the enemy and group files.
#include <cstdio>
#include <string>

#include "engine/battle/Battle.h"
#include "engine/battle/BattleState.h"
#include "engine/battle/GameDataFiles.h"
#include "engine/core/Engine.h"
#include "engine/field/FieldState.h"

void LoadEnemy(Engine& engine, int slot, std::int32_t number) {
    BattleState& b = *engine.Battle;
    char name[48];
    std::snprintf(name, sizeof name, "Schr\\e%d.qd", static_cast<int>(number));
    const auto text = ReadGameDataFile(engine, name);
    if (!text) {
        // The record stays empty (maxHp 0), so the slot is absent from the battle.
        ErrorBox(engine, "e]LD_Enm");
        NoteLoadFailure(engine, name);
        return;
    }
    std::string problem;
    EnemyFile enemy = ParseEnemy(*text, &problem);
    if (!problem.empty()) ErrorBox(engine, std::string(name) + ": " + problem);
    const std::size_t k = static_cast<std::size_t>(slot - kPartySlots);
    b.enemyRecord[k] = enemy.record;
    Actor& actor = SlotActor(engine, slot);
    actor.picture.LoadFile(engine, std::string("pic\\") + enemy.record.pictureName);
    actor.level = 32;

    // An action naming a skill the database does not hold is dropped, so nothing ever reads
    // past the skill table.
    std::vector<EnemyAction>& list = b.actionList[k];
    list.clear();
    for (const EnemyAction action : enemy.actions) {
        if (static_cast<std::size_t>(ActionSkill(action)) < engine.SkillTable.size()) {
            list.push_back(action);
            continue;
        }
        char message[96];
        std::snprintf(message, sizeof message, "e]LD_Enm\n\n%s: skill %d does not exist", name,
                      ActionSkill(action));
        ErrorBox(engine, message);
    }
}

namespace {

// A placement the group file cannot mean: the combatant stays off the grid, and an enemy stays
// out of the battle.
void RefusePlacement(Engine& engine, int slot, std::int32_t column, std::int32_t row) {
    char message[128];
    std::snprintf(message, sizeof message, "e]LD_EnmGrp\n\nslot %d: %d-%d lies outside the grid",
                  slot, static_cast<int>(column), static_cast<int>(row));
    ErrorBox(engine, message);
    if (slot >= kPartySlots)
        engine.Battle->enemyRecord[static_cast<std::size_t>(slot - kPartySlots)] = {};
}

}  // namespace

void LoadEnemyGroup(Engine& engine, std::int32_t group) {
    const auto text = ReadGameDataFile(engine, "Schr\\group.qd");
    if (!text) {
        ErrorBox(engine, "e]LD_EnmGrp");
        NoteLoadFailure(engine, "Schr\\group.qd");
        return;
    }
    // A line past the end of the file leaves every enemy slot empty; an unreadable enemy
    // number leaves its slot empty.
    const GroupLine line = ParseGroupLine(*text, group);
    if (!line.present) return;
    for (int k = 0; k < 7; ++k) {
        const int slot = kPartySlots + k;
        if (line.enemyRead[static_cast<std::size_t>(k)]) {
            LoadEnemy(engine, slot, line.enemy[static_cast<std::size_t>(k)]);
        }
        // An enemy picture holds two facing columns.
        Actor& actor = SlotActor(engine, slot);
        actor.width = actor.picture.Width() / 2;
        actor.height = actor.picture.Height();
    }
    for (int n = 0; n < kSlotCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (!line.placeRead[i]) continue;
        if (!PlacementOnGrid(line.column[i], line.row[i])) {
            RefusePlacement(engine, n, line.column[i], line.row[i]);
            continue;
        }
        Actor& actor = SlotActor(engine, n);
        actor.x = PlacedX(actor.width, line.column[i]);
        actor.y = PlacedY(line.row[i]);
    }
}
