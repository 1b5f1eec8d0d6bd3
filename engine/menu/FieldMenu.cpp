#include "engine/menu/FieldMenu.h"

#include <algorithm>

#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/menu/MenuDraw.h"
#include "engine/menu/PartyGoods.h"

namespace {

using Step = FieldMenuState::Step;

constexpr std::int32_t kAfterMenuTimer = -96;
constexpr int kTopY = 215;
constexpr int kPartyX = 10, kPartyY = 258, kPartyWidth = 220, kMemberHeight = 28;
constexpr int kFootY = 386;

void ShowNotice(FieldMenuState& menu, const std::string& text, Step back) {
    menu.notice = text;
    menu.noticeReturn = back;
    menu.step = Step::Notice;
}

// The owned items in the table's order; false when there are none.
bool FillItems(Engine& engine, FieldMenuState& menu) {
    std::vector<const ItemEntry*> owned;
    for (const ItemEntry& item : GameItems(engine).Entries())
        if (OwnedCount(engine, item.id) > 0) owned.push_back(&item);
    const int cursor = menu.items.box.cursor;
    ResetListView(menu.items, static_cast<int>(owned.size()), kPartyX + 10, kPartyY,
                  kPartyWidth - 10, 8);
    menu.items.box.cursor = std::clamp(cursor, 0, std::max(static_cast<int>(owned.size()) - 1, 0));
    for (std::size_t i = 0; i < owned.size(); ++i) {
        menu.items.box.SetItem(engine, static_cast<int>(i), owned[i]->name, owned[i]->id);
        menu.items.figures[i] = std::to_string(OwnedCount(engine, owned[i]->id));
    }
    return !owned.empty();
}

void FillMembers(Engine& engine, FieldMenuState& menu) {
    menu.members.Create(kMenuPartySlots);
    for (int slot = 0; slot < kMenuPartySlots; ++slot) {
        const MemberFigures member = FiguresOf(engine, slot);
        // An empty slot keeps an empty text, which the cursor passes over.
        if (member.present)
            menu.members.SetItem(engine, slot, member.name.empty() ? " " : member.name, slot);
    }
    menu.members.cursor = -1;
    menu.members.Move(1);
}

// The field's scene while the menu is open: nothing moves and the page is left as it is.
void StillScene(Engine&) {}

void KeepBackdrop(Engine& engine, FieldMenuState& menu) {
    menu.backdrop.clear();
    if (engine.Screen.Empty()) return;
    for (int y = kVisibleTop; y < kVisibleTop + kPageHeight; ++y)
        menu.backdrop.insert(menu.backdrop.end(), engine.Screen.Row(y),
                             engine.Screen.Row(y) + kScreenWidth);
}

void PutBackdrop(Engine& engine, const FieldMenuState& menu) {
    if (engine.Screen.Empty() ||
        menu.backdrop.size() != static_cast<std::size_t>(kScreenWidth * kPageHeight))
        return;
    auto from = menu.backdrop.begin();
    for (int y = kVisibleTop; y < kVisibleTop + kPageHeight; ++y, from += kScreenWidth)
        std::copy(from, from + kScreenWidth, engine.Screen.Row(y));
}

void CloseMenu(Engine& engine) {
    FieldMenuState& menu = engine.Menus.field;
    menu.step = Step::Closed;
    PutBackdrop(engine, menu);
    engine.ModeProc = menu.returnMode ? menu.returnMode : IdleProc;
    if (engine.SceneProc == StillScene)
        engine.SceneProc = menu.returnScene ? menu.returnScene : IdleProc;
    engine.InputTimer = kAfterMenuTimer;
}

void BackToItems(Engine& engine, FieldMenuState& menu) {
    if (FillItems(engine, menu))
        menu.step = Step::Items;
    else
        menu.step = Step::Commands;
}

void Use(Engine& engine, FieldMenuState& menu, int slot) {
    if (!UseItemOnMember(engine, menu.itemId, slot))
        return ShowNotice(menu, engine.GameWords[Word::NoEffect], Step::Member);
    if (OwnedCount(engine, menu.itemId) == 0) BackToItems(engine, menu);
}

void ChooseItem(Engine& engine, FieldMenuState& menu) {
    const QCBOX::Entry* entry = menu.items.box.Selected();
    const ItemEntry* item = entry ? GameItems(engine).Find(entry->value) : nullptr;
    if (!item) return;
    menu.itemId = item->id;
    if (!UsableInField(*item))
        return ShowNotice(menu, engine.GameWords[Word::NoEffect], Step::Items);
    if (item->kind == ItemKind::HealParty) {
        // The whole party gets it: there is no one to choose.
        int first = 0;
        while (first + 1 < kMenuPartySlots && !FiguresOf(engine, first).present) ++first;
        if (!UseItemOnMember(engine, item->id, first))
            return ShowNotice(menu, engine.GameWords[Word::NoEffect], Step::Items);
        return BackToItems(engine, menu);
    }
    FillMembers(engine, menu);
    menu.step = Step::Member;
}

void Act(Engine& engine, FieldMenuState& menu, MenuKey key) {
    switch (menu.step) {
        case Step::Commands:
            if (key == MenuKey::Back || menu.commands.cursor == 1) return CloseMenu(engine);
            if (!FillItems(engine, menu))
                return ShowNotice(menu, engine.GameWords[Word::NoItems], Step::Commands);
            return void(menu.step = Step::Items);
        case Step::Items:
            if (key == MenuKey::Back) return void(menu.step = Step::Commands);
            return ChooseItem(engine, menu);
        case Step::Member:
            if (key == MenuKey::Back) return BackToItems(engine, menu);
            return Use(engine, menu, menu.members.cursor);
        case Step::Notice:
            return void(menu.step = menu.noticeReturn);
        case Step::Closed:
            return;
    }
}

void DrawParty(Engine& engine, const FieldMenuState& menu, bool choosing) {
    DrawWindowBox(engine, kPartyX, kPartyY, kPartyWidth, kMemberHeight * kMenuPartySlots + 10);
    const Words& words = engine.GameWords;
    const int right = kPartyX + kPartyWidth - 8;
    for (int slot = 0; slot < kMenuPartySlots; ++slot) {
        const MemberFigures member = FiguresOf(engine, slot);
        if (!member.present) continue;
        const int y = kPartyY + 5 + kMemberHeight * slot;
        const bool selected = choosing && menu.members.cursor == slot;
        DrawString(engine, member.name, 12, kPartyX + 14, y, selected ? kMenuYellow : kMenuWhite);
        DrawRightAligned(engine, words[Word::Level] + " " + std::to_string(member.level), right, y);
        DrawString(engine,
                   words[Word::HitPoints] + " " + std::to_string(member.hp) + "/" +
                       std::to_string(member.maxHp),
                   12, kPartyX + 26, y + 13, member.hp > 0 ? kMenuWhite : kMenuGrey);
        DrawRightAligned(engine, words[Word::NextLevel] + " " + std::to_string(member.toNextLevel),
                         right, y + 13);
        if (selected)
            BltBlend(engine, kPartyX - 2, y - 2, engine.PictureSlots[0], 0, 0, 16, 16, 32);
    }
}

void DrawItemFoot(Engine& engine, const FieldMenuState& menu) {
    const QCBOX::Entry* entry = menu.items.box.Selected();
    const ItemEntry* item = entry ? GameItems(engine).Find(entry->value) : nullptr;
    if (!item) return;
    DrawWindowBox(engine, 10, kFootY, 220, 20);
    DrawString(engine, CutToWidth(item->description, 34), 12, 17, kFootY + 5, kMenuWhite);
}

void DrawMenu(Engine& engine, FieldMenuState& menu) {
    menu.commands.DrawList(engine);
    DrawGoldBox(engine, 100, kTopY, 130);
    const Step under = menu.step == Step::Notice ? menu.noticeReturn : menu.step;
    if (under == Step::Items) {
        DrawListView(engine, menu.items);
        DrawItemFoot(engine, menu);
    } else {
        DrawParty(engine, menu, under == Step::Member);
        if (under == Step::Member) DrawNoticeBox(engine, engine.GameWords[Word::UseOnWhom], kFootY);
    }
    if (menu.step == Step::Notice) DrawNoticeBox(engine, menu.notice, 310);
}

}  // namespace

void OpenFieldMenuIfAllowed(Engine& engine) {
    if (GameItems(engine).Empty() || engine.Battle || !engine.Text.IsEmpty() ||
        engine.Game.choice.open || engine.Field.talkPartner != 0)
        return;
    FieldMenuState& menu = engine.Menus.field;
    menu.commands.Create(2);
    menu.commands.SetItem(engine, 0, engine.GameWords[Word::MenuItems], 0);
    menu.commands.SetItem(engine, 1, engine.GameWords[Word::MenuClose], 1);
    menu.commands.AutoSize();
    menu.commands.width += 12;
    menu.commands.x = 20;
    menu.commands.y = kTopY;
    menu.commands.cursor = 0;
    menu.items.box.cursor = 0;
    menu.step = Step::Commands;
    menu.armed = false;
    menu.returnMode = engine.ModeProc;
    menu.returnScene = engine.SceneProc;
    KeepBackdrop(engine, menu);
    menu.redraw = true;
    engine.ModeProc = FieldMenuMode;
    engine.SceneProc = StillScene;
}

void FieldMenuMode(Engine& engine) {
    FieldMenuState& menu = engine.Menus.field;
    const int cursors[] = {menu.commands.cursor, menu.items.box.cursor, menu.members.cursor};
    const MenuKey key = ReadMenuKey(engine, menu.armed);
    if (key != MenuKey::None) {
        Act(engine, menu, key);
        menu.redraw = true;
    } else if (menu.step == Step::Commands) {
        menu.commands.InputList(engine);
    } else if (menu.step == Step::Items) {
        menu.items.box.InputList(engine);
    } else if (menu.step == Step::Member) {
        menu.members.InputList(engine);
    }
    const int after[] = {menu.commands.cursor, menu.items.box.cursor, menu.members.cursor};
    if (!std::equal(std::begin(cursors), std::end(cursors), std::begin(after))) menu.redraw = true;
    if (menu.step == Step::Closed || !menu.redraw) return;
    menu.redraw = false;
    PutBackdrop(engine, menu);
    DrawMenu(engine, menu);
}
