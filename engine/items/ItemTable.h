#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The game's items (Dtbs/items.dat): one item a line, "ID,NAME,PRICE,KIND,POWER,DESCRIPTION" in
// Shift-JIS; a line starting with '#' and an empty line are skipped. The description is the rest
// of the line, commas and all.
enum class ItemKind : std::uint8_t {
    HealOne,    // "heal": POWER hit points to one member
    HealParty,  // "heal-all": POWER hit points to every living member
    Revive,     // "revive": a fallen member comes back with POWER hit points (at least 1)
    DamageOne,  // "damage": one enemy, as a magic skill of power POWER
    Key,        // "key": kept, never used up
};

inline constexpr std::int32_t kFirstItemId = 1;
inline constexpr std::int32_t kLastItemId = 999;
inline constexpr std::int32_t kMaxItemPrice = 9'999'999;
inline constexpr std::int32_t kMaxItemPower = 9999;
inline constexpr std::size_t kMaxItemNameBytes = 24;
inline constexpr std::size_t kMaxItemDescriptionBytes = 80;
inline constexpr std::size_t kMaxItemFileBytes = 256 * 1024;

struct ItemEntry {
    std::int32_t id = 0;
    std::string name;  // Shift-JIS
    std::int32_t price = 0;
    ItemKind kind = ItemKind::Key;
    std::int32_t power = 0;
    std::string description;  // Shift-JIS
};

// The kind's word in the item file ("heal", "heal-all", "revive", "damage", "key").
std::string_view ItemKindWord(ItemKind kind);

class ItemTable {
  public:
    bool Empty() const { return entries_.empty(); }
    // The item of `id`, or nullptr when the table has none.
    const ItemEntry* Find(std::int32_t id) const;
    // In the order of their ids.
    const std::vector<ItemEntry>& Entries() const { return entries_; }

    // Reads an item file. On success the table holds its items and the result is empty; a
    // damaged file leaves the table empty and the result says, in English, which line is wrong
    // and why ("line 4: the price ...").
    std::string Parse(std::string_view bytes);
    void Clear() { entries_.clear(); }

  private:
    std::vector<ItemEntry> entries_;
};
