#include "engine/battle/ItemUse.h"

#include <algorithm>
#include <string>

#include "engine/battle/BattleGrid.h"
#include "engine/battle/GameData.h"
#include "engine/battle/Growth.h"
#include "engine/core/Engine.h"
#include "engine/game/GameEvents.h"
#include "engine/items/Holdings.h"

namespace {

bool Living(const CharRecord& r) {
    return r.hp > 0;
}

bool Wounded(const CharRecord& r) {
    return Living(r) && r.hp < r.maxHp;
}

}  // namespace

bool ItemHelps(const Engine& engine, const ItemEntry& item, const CharRecord& member) {
    switch (item.kind) {
        case ItemKind::HealOne:
            return item.power > 0 && Wounded(member);
        case ItemKind::HealParty:
            if (item.power <= 0) return false;
            for (int slot = 0; slot < kPartySlots; ++slot)
                if (const CharRecord* r = PartyMember(engine, slot); r && Wounded(*r)) return true;
            return Wounded(member);
        case ItemKind::Revive:
            return !Living(member) && member.maxHp > 0;
        case ItemKind::DamageOne:
        case ItemKind::Key:
            break;
    }
    return false;
}

std::int32_t ApplyItemToRecord(const ItemEntry& item, CharRecord& member) {
    const std::int32_t before = member.hp;
    if (item.kind == ItemKind::Revive) {
        if (!Living(member) && member.maxHp > 0)
            member.hp = std::clamp(item.power, 1, member.maxHp);
    } else if (item.kind == ItemKind::HealOne || item.kind == ItemKind::HealParty) {
        if (Wounded(member))
            member.hp = static_cast<std::int32_t>(
                std::min<std::int64_t>(std::int64_t{member.hp} + item.power, member.maxHp));
    }
    return member.hp - before;
}

bool UseItemOnPartyMember(Engine& engine, std::int32_t id, int slot) {
    const ItemEntry* item = engine.Items.table.Find(id);
    CharRecord* member = PartyMember(engine, slot);
    if (!item || !member || ItemCount(engine, id) <= 0 || !ItemHelps(engine, *item, *member))
        return false;
    if (item->kind == ItemKind::HealParty) {
        for (int s = 0; s < kPartySlots; ++s)
            if (CharRecord* r = PartyMember(engine, s)) ApplyItemToRecord(*item, *r);
    } else {
        ApplyItemToRecord(*item, *member);
    }
    ChangeItemCount(engine, id, -1);
    NoteGameEvent(engine, "item-used " + std::to_string(id));
    return true;
}
