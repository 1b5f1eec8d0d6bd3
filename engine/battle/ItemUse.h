#pragma once
// Using the party's items on party members. Healing items work on a living member whose hit
// points are below the maximum (a party heal on every living member), a revive on a fallen one;
// damage and key items do nothing here. A used item is taken from the party's holdings and
// traced as "item-used ID".
#include <cstdint>

struct CharRecord;
struct Engine;
struct ItemEntry;

// Whether `item` would change `member` (for a party heal: whether it would change any member of
// the party, `member` being the one chosen).
bool ItemHelps(const Engine& engine, const ItemEntry& item, const CharRecord& member);

// Applies a healing or revive item's effect to one record; returns the hit points it gained.
std::int32_t ApplyItemToRecord(const ItemEntry& item, CharRecord& member);

// Outside battle (the field menu): uses item `id` on party slot 0..3. Returns whether it had an
// effect; only then is the item used up and traced. An item the party does not have, an id the
// item table lacks and an empty slot have none.
bool UseItemOnPartyMember(Engine& engine, std::int32_t id, int slot);
