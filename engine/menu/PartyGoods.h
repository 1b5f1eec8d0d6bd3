#pragma once
// What the shop and the field menu read and change of the party's goods and figures. The item
// model and the party's growth keep them; this is the one place the menus reach into both.
#include <cstdint>
#include <string>

#include "engine/items/ItemState.h"

struct Engine;

inline constexpr std::int32_t kMaxOwned = kMaxItemCount;
inline constexpr int kMenuPartySlots = 4;

const ItemTable& GameItems(const Engine& engine);
std::int32_t OwnedCount(const Engine& engine, std::int32_t id);
std::int32_t PartyGold(const Engine& engine);
// Both write their trace lines (`item ID COUNT`, `gold TOTAL`).
void AddItems(Engine& engine, std::int32_t id, std::int32_t delta);
void AddGold(Engine& engine, std::int32_t delta);

struct MemberFigures {
    bool present = false;  // the party slot holds a member
    std::string name;      // Shift-JIS
    std::int32_t level = 0, hp = 0, maxHp = 0, toNextLevel = 0;
};
MemberFigures FiguresOf(const Engine& engine, int slot);

// Uses a healing or reviving item on the member in `slot` outside battle; false when it had no
// effect (the item is then kept).
bool UseItemOnMember(Engine& engine, std::int32_t id, int slot);
// Whether the field menu can use the item on a member at all.
bool UsableInField(const ItemEntry& item);
