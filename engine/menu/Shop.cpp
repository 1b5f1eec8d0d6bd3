// The shop of `f` 33: the party buys the wares of the script's list at their price and sells what
// it owns at half price. Every purchase and sale is traced (`buy ID N`, `sell ID N`) with the gold
// and item changes it makes.
#include "engine/menu/Shop.h"

#include <algorithm>
#include <charconv>

#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/game/GameEvents.h"
#include "engine/menu/MenuDraw.h"
#include "engine/menu/PartyGoods.h"

namespace {

constexpr std::int32_t kAfterMenuTimer = -96;  // as after a text page: the next key waits
constexpr int kMenuRepeatMs = 86;
constexpr int kListX = 20, kListY = 245, kListWidth = 200, kListRows = 8;
constexpr int kInfoY = 370, kDialogY = 310;

using Step = ShopState::Step;

// The items the party may sell: those it owns that are not key items.
std::vector<std::int32_t> Sellable(const Engine& engine) {
    std::vector<std::int32_t> ids;
    for (const ItemEntry& item : GameItems(engine).Entries())
        if (item.kind != ItemKind::Key && OwnedCount(engine, item.id) > 0) ids.push_back(item.id);
    return ids;
}

void FillList(Engine& engine, ShopState& shop, Step step) {
    const std::vector<std::int32_t> ids = step == Step::Buy ? shop.wares : Sellable(engine);
    const int cursor = shop.list.box.cursor;
    ResetListView(shop.list, static_cast<int>(ids.size()), kListX, kListY, kListWidth, kListRows);
    shop.list.box.cursor = std::clamp(cursor, 0, std::max(static_cast<int>(ids.size()) - 1, 0));
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const ItemEntry* item = GameItems(engine).Find(ids[i]);
        if (!item) continue;
        shop.list.box.SetItem(engine, static_cast<int>(i), item->name, item->id);
        const std::int32_t price = step == Step::Buy ? item->price : SellPrice(item->price);
        shop.list.figures[i] = std::to_string(price);
    }
    shop.listStep = step;
    shop.step = step;
}

void ShowNotice(ShopState& shop, const std::string& text, Step back) {
    shop.notice = text;
    shop.noticeReturn = back;
    shop.step = Step::Notice;
}

void CloseShop(Engine& engine) {
    ShopState& shop = engine.Menus.shop;
    shop.step = Step::Closed;
    shop.finished = shop.owner;
    engine.ModeProc = shop.returnMode ? shop.returnMode : IdleProc;
    engine.InputTimer = kAfterMenuTimer;
}

void ChooseWare(Engine& engine, ShopState& shop) {
    const QCBOX::Entry* entry = shop.list.box.Selected();
    const ItemEntry* item = entry ? GameItems(engine).Find(entry->value) : nullptr;
    if (!item) return;
    const std::int32_t owned = OwnedCount(engine, item->id);
    shop.itemId = item->id;
    shop.quantity = 1;
    if (shop.listStep == Step::Sell) {
        shop.maxQuantity = owned;
    } else {
        shop.maxQuantity = MostToBuy(item->price, PartyGold(engine), owned);
        if (owned >= kMaxOwned)
            return ShowNotice(shop, engine.GameWords[Word::ShopFull], Step::Buy);
        if (shop.maxQuantity == 0)
            return ShowNotice(shop, engine.GameWords[Word::ShopNoGold], Step::Buy);
    }
    if (shop.maxQuantity > 0) shop.step = Step::Quantity;
}

void Trade(Engine& engine, ShopState& shop) {
    const ItemEntry* item = GameItems(engine).Find(shop.itemId);
    if (!item) return;
    const std::int32_t count = shop.quantity;
    if (shop.listStep == Step::Buy) {
        NoteGameEvent(engine, "buy " + std::to_string(item->id) + " " + std::to_string(count));
        AddGold(engine, -item->price * count);
        AddItems(engine, item->id, count);
    } else {
        NoteGameEvent(engine, "sell " + std::to_string(item->id) + " " + std::to_string(count));
        AddItems(engine, item->id, -count);
        AddGold(engine, SellPrice(item->price) * count);
    }
    FillList(engine, shop, shop.listStep);
    if (shop.list.box.Count() == 0) shop.step = Step::Choose;
}

void InputQuantity(Engine& engine, ShopState& shop) {
    if (engine.InputTimer < kMenuRepeatMs) return;
    static constexpr struct {
        Key key;
        int d;
    } kMoves[] = {{Key::Up, 1}, {Key::Down, -1}, {Key::Right, 10}, {Key::Left, -10}};
    for (const auto& move : kMoves) {
        const KeyState state = engine.Keys[move.key];
        if (state < KEY_PRESSED) continue;
        shop.quantity = std::clamp(shop.quantity + move.d, 1, shop.maxQuantity);
        engine.InputTimer = state == KEY_PRESSED ? -48 : 0;
        PlayEffect(engine, kCursorSoundSlot);
        return;
    }
}

void Act(Engine& engine, ShopState& shop, MenuKey key) {
    switch (shop.step) {
        case Step::Choose:
            if (key == MenuKey::Back) return CloseShop(engine);
            if (shop.choose.cursor == 0) return FillList(engine, shop, Step::Buy);
            if (Sellable(engine).empty())
                return ShowNotice(shop, engine.GameWords[Word::ShopNothing], Step::Choose);
            shop.list.box.cursor = 0;
            return FillList(engine, shop, Step::Sell);
        case Step::Buy:
        case Step::Sell:
            if (key == MenuKey::Back) return void(shop.step = Step::Choose);
            return ChooseWare(engine, shop);
        case Step::Quantity:
            if (key == MenuKey::Back) return void(shop.step = shop.listStep);
            return Trade(engine, shop);
        case Step::Notice:
            return void(shop.step = shop.noticeReturn);
        case Step::Closed:
            return;
    }
}

void DrawInfo(Engine& engine, const ShopState& shop) {
    const QCBOX::Entry* entry = shop.list.box.Selected();
    const ItemEntry* item = entry ? GameItems(engine).Find(entry->value) : nullptr;
    if (!item) return;
    DrawWindowBox(engine, 10, kInfoY, 220, 38);
    DrawString(engine, CutToWidth(item->description, 34), 12, 17, kInfoY + 5, kMenuWhite);
    DrawString(engine, engine.GameWords[Word::Owned], 12, 17, kInfoY + 20, kMenuWhite);
    DrawRightAligned(engine, std::to_string(OwnedCount(engine, item->id)), 222, kInfoY + 20);
}

void DrawQuantity(Engine& engine, const ShopState& shop) {
    const ItemEntry* item = GameItems(engine).Find(shop.itemId);
    if (!item) return;
    const std::int32_t price = shop.listStep == Step::Buy ? item->price : SellPrice(item->price);
    DrawWindowBox(engine, 40, kDialogY, 180, 20);
    DrawString(engine, engine.GameWords[Word::HowMany], 12, 50, kDialogY + 5, kMenuWhite);
    DrawRightAligned(engine, std::to_string(shop.quantity), 140, kDialogY + 5, kMenuYellow);
    DrawRightAligned(engine, std::to_string(std::int64_t{price} * shop.quantity), 212,
                     kDialogY + 5);
}

void DrawShop(Engine& engine, ShopState& shop) {
    DrawGoldBox(engine, 10, 215, 220);
    const Step under = shop.step == Step::Notice ? shop.noticeReturn : shop.step;
    if (under == Step::Choose) {
        shop.choose.DrawList(engine);
    } else {
        DrawListView(engine, shop.list);
        DrawInfo(engine, shop);
    }
    if (shop.step == Step::Quantity) DrawQuantity(engine, shop);
    if (shop.step == Step::Notice) DrawNoticeBox(engine, shop.notice, kDialogY);
}

}  // namespace

std::int32_t MostToBuy(std::int32_t price, std::int32_t gold, std::int32_t owned) {
    const std::int32_t room = std::max(kMaxOwned - owned, 0);
    if (price <= 0) return room;
    return std::min(room, std::max(gold, 0) / price);
}

std::vector<std::int32_t> ParseWares(const Engine& engine, std::string_view text,
                                     std::string& problem) {
    std::vector<std::int32_t> wares;
    std::size_t start = 0;
    while (problem.empty()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        std::string_view part = text.substr(start, comma - start);
        while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
        std::int32_t id = 0;
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), id);
        if (part.empty() || error != std::errc() || end != part.data() + part.size())
            problem = "the shop's wares must be item ids separated by commas";
        else if (!GameItems(engine).Find(id))
            problem = "item " + std::to_string(id) + " does not exist";
        else if (wares.size() == kMaxWares)
            problem = "a shop sells at most " + std::to_string(kMaxWares) + " items";
        else
            wares.push_back(id);
        if (comma == text.size()) break;
        start = comma + 1;
    }
    if (!problem.empty()) wares.clear();
    return wares;
}

void OpenShop(Engine& engine, std::vector<std::int32_t> wares, const void* owner) {
    ShopState& shop = engine.Menus.shop;
    shop.wares = std::move(wares);
    shop.choose.Create(2);
    shop.choose.SetItem(engine, 0, engine.GameWords[Word::ShopBuy], 0);
    shop.choose.SetItem(engine, 1, engine.GameWords[Word::ShopSell], 1);
    shop.choose.AutoSize();
    shop.choose.width += 12;
    shop.choose.x = kListX;
    shop.choose.y = kListY;
    shop.choose.cursor = 0;
    shop.list.box.cursor = 0;
    shop.step = Step::Choose;
    shop.listStep = Step::Buy;
    shop.armed = false;
    shop.owner = owner;
    shop.finished = nullptr;
    shop.returnMode = engine.ModeProc;
    engine.ModeProc = ShopMode;
}

void ShopMode(Engine& engine) {
    ShopState& shop = engine.Menus.shop;
    const MenuKey key = ReadMenuKey(engine, shop.armed);
    if (key != MenuKey::None) {
        Act(engine, shop, key);
    } else if (shop.step == Step::Choose) {
        shop.choose.InputList(engine);
    } else if (shop.step == Step::Buy || shop.step == Step::Sell) {
        shop.list.box.InputList(engine);
    } else if (shop.step == Step::Quantity) {
        InputQuantity(engine, shop);
    }
    if (shop.step != Step::Closed) DrawShop(engine, shop);
}
