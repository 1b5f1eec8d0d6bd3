#pragma once
#include <array>
#include <cstdint>

#include "engine/items/ItemTable.h"

inline constexpr std::int32_t kMaxItemCount = 99;
inline constexpr std::int32_t kMaxGold = 9'999'999;

// What the party holds: how many of each item id (0..99) and its gold (0..9,999,999). A new game
// starts with nothing; saved games keep it.
struct Holdings {
    std::array<std::uint8_t, kLastItemId + 1> counts{};  // by item id; index 0 is unused
    std::int32_t gold = 0;
};

// The item table the game was started with and what the party holds.
struct ItemState {
    ItemTable table;
    Holdings held;
};
