#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct Engine;

// The wares of a shop's S: item ids separated by commas, spaces allowed around them. Empty with
// `problem` set when S is not such a list, names an item the game does not have, or names more
// than kMaxWares.
inline constexpr std::size_t kMaxWares = 40;
std::vector<std::int32_t> ParseWares(const Engine& engine, std::string_view text,
                                     std::string& problem);

// Opens the shop over the current mode with the given wares; `owner` is the script context that
// waits for it.
void OpenShop(Engine& engine, std::vector<std::int32_t> wares, const void* owner);

// The ModeProc of the shop: buy or sell, a list, a quantity; Ctrl steps back and leaves.
void ShopMode(Engine& engine);

// What a purchase or sale may move: buying is bounded by the gold and by 99 owned, selling by
// how many the party has. 0 means the step is refused.
std::int32_t MostToBuy(std::int32_t price, std::int32_t gold, std::int32_t owned);
inline std::int32_t SellPrice(std::int32_t price) {
    return price / 2;
}
