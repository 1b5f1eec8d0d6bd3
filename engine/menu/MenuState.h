#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/field/QCBOX.h"

struct Engine;

// A list longer than its window: the window shows `rows` entries from `first`, scrolled so that
// the cursor stays in view, each with a figure (a price, a count) at its right edge.
struct ListView {
    QCBOX box;
    std::vector<std::string> figures;
    int rows = 8;
    int first = 0;
};

// The shop of `f` 33: the wares its script names, bought and sold with the party's gold.
struct ShopState {
    enum class Step { Closed, Choose, Buy, Sell, Quantity, Notice };
    Step step = Step::Closed;
    Step listStep = Step::Buy;      // the list a quantity returns to
    Step noticeReturn = Step::Buy;  // where a notice returns
    std::vector<std::int32_t> wares;
    QCBOX choose;   // buy or sell
    ListView list;  // the wares, or the items the party can sell
    std::int32_t itemId = 0;
    std::int32_t quantity = 1, maxQuantity = 1;
    std::string notice;  // Shift-JIS
    bool armed = false;  // Shift and Ctrl were seen up since the last step began
    void (*returnMode)(Engine&) = nullptr;
    const void* owner = nullptr;     // the script context that opened it
    const void* finished = nullptr;  // the context whose shop closed, until it goes on
};

// The field menu (Enter): the party, the items with a healing item used on a member, the gold.
// The field stands still while it is open: the page as it was when the menu opened is kept, and
// the menu is drawn over it again only when something in it changed.
struct FieldMenuState {
    enum class Step { Closed, Commands, Items, Member, Notice };
    Step step = Step::Closed;
    Step noticeReturn = Step::Items;
    QCBOX commands;  // items, close
    ListView items;
    QCBOX members;  // the party slots, for choosing who gets the item
    std::int32_t itemId = 0;
    std::string notice;  // Shift-JIS
    bool armed = false;
    void (*returnMode)(Engine&) = nullptr;
    void (*returnScene)(Engine&) = nullptr;
    std::vector<std::uint16_t> backdrop;  // the visible page under the menu
    bool redraw = false;
};

struct MenuState {
    ShopState shop;
    FieldMenuState field;
};
