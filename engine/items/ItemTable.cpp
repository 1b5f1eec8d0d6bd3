#include "engine/items/ItemTable.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {

constexpr std::array<std::string_view, 5> kKindWords = {"heal", "heal-all", "revive", "damage",
                                                        "key"};

bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc);
}
bool IsTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xfc && b != 0x7f;
}

// Empty when `text` is whole Shift-JIS without control characters, else what is wrong.
std::string CheckText(std::string_view text, std::string_view what, std::size_t maxBytes) {
    if (text.size() > maxBytes)
        return std::string(what) + " is longer than " + std::to_string(maxBytes) + " bytes";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x20 || b == 0x7f) return std::string(what) + " holds a control character";
        if (b >= 0x80 && !(b >= 0xa1 && b <= 0xdf)) {
            if (!IsLeadByte(b) || i + 1 >= text.size() ||
                !IsTrailByte(static_cast<unsigned char>(text[i + 1])))
                return std::string(what) + " is not Shift-JIS";
            ++i;
        }
    }
    return {};
}

// The next comma-separated field; a comma is never the second byte of a Shift-JIS character.
std::string_view NextField(std::string_view& rest) {
    const std::size_t comma = rest.find(',');
    const std::string_view field = rest.substr(0, comma);
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    return field;
}

bool ReadNumber(std::string_view field, std::int32_t low, std::int32_t high, std::int32_t& out) {
    while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
    while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() ||
        value < low || value > high)
        return false;
    out = static_cast<std::int32_t>(value);
    return true;
}

std::string Range(std::string_view what, std::int32_t low, std::int32_t high) {
    return std::string(what) + " is not a number from " + std::to_string(low) + " to " +
           std::to_string(high);
}

// One item line; returns "" or what is wrong with it.
std::string ParseLine(std::string_view line, ItemEntry& item) {
    if (std::count(line.begin(), line.end(), ',') < 5)
        return "expected ID,NAME,PRICE,KIND,POWER,DESCRIPTION";
    std::string_view rest = line;
    const std::string_view id = NextField(rest), name = NextField(rest), price = NextField(rest),
                           kind = NextField(rest), power = NextField(rest);
    if (!ReadNumber(id, kFirstItemId, kLastItemId, item.id))
        return Range("the id", kFirstItemId, kLastItemId);
    if (name.empty()) return "the name is empty";
    if (std::string why = CheckText(name, "the name", kMaxItemNameBytes); !why.empty()) return why;
    item.name = std::string(name);
    if (!ReadNumber(price, 0, kMaxItemPrice, item.price))
        return Range("the price", 0, kMaxItemPrice);
    const auto word = std::find(kKindWords.begin(), kKindWords.end(), kind);
    if (word == kKindWords.end())
        return "the kind '" + std::string(kind.substr(0, 16)) +
               "' is none of heal, heal-all, revive, damage, key";
    item.kind = static_cast<ItemKind>(word - kKindWords.begin());
    if (!ReadNumber(power, 0, kMaxItemPower, item.power))
        return Range("the power", 0, kMaxItemPower);
    if (std::string why = CheckText(rest, "the description", kMaxItemDescriptionBytes);
        !why.empty())
        return why;
    item.description = std::string(rest);
    return {};
}

}  // namespace

std::string_view ItemKindWord(ItemKind kind) {
    return kKindWords[static_cast<std::size_t>(kind)];
}

const ItemEntry* ItemTable::Find(std::int32_t id) const {
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), id,
                                     [](const ItemEntry& e, std::int32_t v) { return e.id < v; });
    return it != entries_.end() && it->id == id ? &*it : nullptr;
}

std::string ItemTable::Parse(std::string_view bytes) {
    entries_.clear();
    if (bytes.size() > kMaxItemFileBytes)
        return "the file is larger than " + std::to_string(kMaxItemFileBytes) + " bytes";
    std::vector<ItemEntry> read;
    std::vector<int> lineOf(kLastItemId + 1, 0);
    int number = 0;
    while (!bytes.empty()) {
        ++number;
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        ItemEntry item;
        const std::string why = ParseLine(line, item);
        if (!why.empty()) return "line " + std::to_string(number) + ": " + why;
        int& first = lineOf[static_cast<std::size_t>(item.id)];
        if (first != 0)
            return "line " + std::to_string(number) + ": item " + std::to_string(item.id) +
                   " is already on line " + std::to_string(first);
        first = number;
        read.push_back(std::move(item));
    }
    std::sort(read.begin(), read.end(),
              [](const ItemEntry& a, const ItemEntry& b) { return a.id < b.id; });
    entries_ = std::move(read);
    return {};
}
