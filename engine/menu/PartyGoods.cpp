#include "engine/menu/PartyGoods.h"

#include <cstring>

#include "engine/battle/Growth.h"
#include "engine/battle/ItemUse.h"
#include "engine/core/Engine.h"
#include "engine/items/Holdings.h"

const ItemTable& GameItems(const Engine& engine) {
    return engine.Items.table;
}

std::int32_t OwnedCount(const Engine& engine, std::int32_t id) {
    return ItemCount(engine, id);
}

std::int32_t PartyGold(const Engine& engine) {
    return Gold(engine);
}

void AddItems(Engine& engine, std::int32_t id, std::int32_t delta) {
    ChangeItemCount(engine, id, delta);
}

void AddGold(Engine& engine, std::int32_t delta) {
    ChangeGold(engine, delta);
}

MemberFigures FiguresOf(const Engine& engine, int slot) {
    MemberFigures figures;
    const CharRecord* record = ::PartyMember(engine, slot);
    if (!record) return figures;
    figures.present = true;
    figures.name = std::string(record->name, strnlen(record->name, sizeof record->name));
    figures.level = MemberLevel(engine, slot);
    figures.hp = record->hp;
    figures.maxHp = record->maxHp;
    figures.toNextLevel = ExperienceToNextLevel(engine, slot);
    return figures;
}

bool UseItemOnMember(Engine& engine, std::int32_t id, int slot) {
    return UseItemOnPartyMember(engine, id, slot);
}

bool UsableInField(const ItemEntry& item) {
    return item.kind == ItemKind::HealOne || item.kind == ItemKind::HealParty ||
           item.kind == ItemKind::Revive;
}
