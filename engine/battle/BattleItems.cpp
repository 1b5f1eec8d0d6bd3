// アイテム in battle: the party's usable items in a menu, aimed as a skill is (a party member for
// healing and revival, an enemy for damage), used up, and the member's turn ends.
#include <algorithm>
#include <string>

#include "engine/battle/Battle.h"
#include "engine/battle/BattlePhase.h"
#include "engine/battle/BattleRules.h"
#include "engine/battle/ItemUse.h"
#include "engine/core/Sound.h"
#include "engine/game/GameEvents.h"
#include "engine/items/Holdings.h"
#include "engine/words/Words.h"

namespace {

constexpr int kMenuEntries = 16;  // two columns of eight: the menu ends at the page's bottom
constexpr int kKeyTimer = -48;

bool UsableInBattle(ItemKind kind) {
    return kind != ItemKind::Key;
}

const ItemEntry* AimedItem(const Engine& engine) {
    return engine.Items.table.Find(engine.Battle->aimedItem);
}

// The slots the item may be aimed at: living members for healing, fallen ones on the field for a
// revive, living enemies for damage.
bool Aimable(Engine& engine, const ItemEntry& item, int slot) {
    const BattleState& b = State(engine);
    const bool party = slot < kPartySlots;
    switch (item.kind) {
        case ItemKind::HealOne:
        case ItemKind::HealParty:
            return party && b.alive[slot];
        case ItemKind::Revive:
            return party && !b.alive[slot] && Combatant(engine, slot).maxHp > 0;
        case ItemKind::DamageOne:
            return !party && b.alive[slot];
        case ItemKind::Key:
            break;
    }
    return false;
}

// Marks the cells of every slot the item may be aimed at; false when there is none.
bool MarkItemReach(Engine& engine, const ItemEntry& item) {
    BattleState& b = State(engine);
    b.reach = {};
    bool any = false;
    for (int c = 0; c < kGridSize; ++c) {
        for (int r = 0; r < kGridSize; ++r) {
            const int t = b.grid[c][r] - 1;
            if (t < 0 || !Aimable(engine, item, t)) continue;
            if (!any) b.cursor = PackCursor({c, r});
            b.reach[c][r] = 1;
            any = true;
        }
    }
    return any;
}

bool FillItemMenu(Engine& engine) {
    QCBOX& menu = State(engine).menu;
    menu.Create(kMenuEntries);
    int n = 0;
    for (const ItemEntry& item : engine.Items.table.Entries()) {
        const std::int32_t count = ItemCount(engine, item.id);
        if (n == kMenuEntries) break;
        if (count <= 0 || !UsableInBattle(item.kind)) continue;
        menu.SetItem(engine, n++, item.name + " " + std::to_string(count), item.id);
    }
    if (n == 0) return false;
    menu.AutoSize();
    menu.x = 0;
    menu.width = 240;
    menu.height -= 14 * kMenuEntries / 2;
    menu.y = 420 - menu.height;
    menu.cursor = 0;
    return true;
}

// The item's effect on one target, as the numbers show it.
std::int32_t ItemEffectOn(Engine& engine, const ItemEntry& item, int target) {
    CharRecord& record = Combatant(engine, target);
    if (item.kind == ItemKind::DamageOne) {
        std::int32_t effect = 0;
        ComputeEffect(Combatant(engine, State(engine).activeSlot), record,
                      static_cast<std::uint16_t>(item.power), kMagic, engine.random, effect);
        return effect;
    }
    CharRecord copy = record;
    return ApplyItemToRecord(item, copy);
}

void UseItem(Engine& engine, const ItemEntry& item, int aimed) {
    BattleState& b = State(engine);
    b.targeted = {};
    b.effect = {};
    for (int t = 0; t < kPartySlots && item.kind == ItemKind::HealParty; ++t)
        if (Aimable(engine, item, t) && FirstCell(b.grid, t)) b.targeted[t] = 1;
    b.targeted[aimed] = 1;
    for (int t = 0; t < kSlotCount; ++t)
        if (b.targeted[t]) b.effect[t] = ItemEffectOn(engine, item, t);
    if (item.kind == ItemKind::Revive) {
        // ApplyEffects only heals the living: the fallen member rises first.
        Combatant(engine, aimed).hp = 0;
        b.alive[aimed] = 1;
    }
    ApplyEffects(engine);
    ChangeItemCount(engine, item.id, -1);
    NoteGameEvent(engine, "item-used " + std::to_string(item.id));
    ShowBattleMessage(engine, item.name, false);
    engine.ModeProc = ItemEffect;
}

}  // namespace

void ChooseItem(Engine& engine) {
    if (engine.Items.table.Empty()) return;
    BattleState& b = State(engine);
    if (b.activeSlot < 0 || b.activeSlot >= kPartySlots || !b.alive[b.activeSlot]) return;
    if (!FillItemMenu(engine)) {
        // The command menu stays; it is filled again so that its cursor stays on アイテム.
        ShowBattleMessage(engine, engine.GameWords[Word::NoItems], false);
        engine.InputTimer = kKeyTimer;
        return;
    }
    PlayEffect(engine, kCursorSoundSlot);
    engine.InputTimer = kKeyTimer;
    engine.ModeProc = ItemMenu;
}

void ItemMenu(Engine& engine) {
    BattleState& b = State(engine);
    if (engine.InputTimer >= kMenuDelay) {
        const QCBOX::Entry* selected = b.menu.Selected();
        if (Held(engine, Key::Shift)) {
            const ItemEntry* item = selected ? engine.Items.table.Find(selected->value) : nullptr;
            if (item && MarkItemReach(engine, *item)) {
                b.aimedItem = item->id;
                b.aiming = 1;
                FaceCursor(engine);
                engine.ModeProc = ItemAiming;
            } else {
                ShowBattleMessage(engine, engine.GameWords[Word::NoTarget], false);
            }
            engine.InputTimer = kKeyTimer;
        } else if (Held(engine, Key::Ctrl)) {
            PlayEffect(engine, kCursorSoundSlot);
            engine.InputTimer = kKeyTimer;
            engine.ModeProc = CommandMenu;
            FillCommandMenu(engine);
            b.menu.cursor = 2;  // back on アイテム
            return;
        } else {
            b.menu.InputGrid(engine);
        }
    }
    if (engine.ModeProc != ItemMenu) return;
    // A message (an item without a target) stands in the description's place while it lasts.
    const QCBOX::Entry* selected = b.messageTimer == 0 ? b.menu.Selected() : nullptr;
    if (selected)
        if (const ItemEntry* item = engine.Items.table.Find(selected->value))
            DrawMessageLeft(engine, item->description);
    DrawCaption(engine, Combatant(engine, b.activeSlot).name, 8);
    b.menu.DrawGrid(engine);
}

void ItemAiming(Engine& engine) {
    BattleState& b = State(engine);
    const ItemEntry* item = AimedItem(engine);
    if (!item) {
        b.aiming = 0;
        engine.ModeProc = FreeMove;
        return;
    }
    DrawMessage(engine, item->name);
    if (engine.InputTimer < kMenuDelay) return;
    if (Held(engine, Key::Shift)) {
        engine.InputTimer = kKeyTimer;
        b.aiming = 0;
        const GridCell cell = UnpackCursor(b.cursor);
        const int aimed = b.grid[cell.column][cell.row] - 1;
        if (aimed >= 0 && Aimable(engine, *item, aimed))
            UseItem(engine, *item, aimed);
        else
            ShowBattleMessage(engine, engine.GameWords[Word::NoTarget], false);
    } else if (Held(engine, Key::Ctrl)) {
        engine.InputTimer = kKeyTimer;
        b.aiming = 0;
        b.aimedItem = 0;
        PlayEffect(engine, kCursorSoundSlot);
        FillItemMenu(engine);
        engine.ModeProc = ItemMenu;
    } else if (const int dir = HeldArrow(engine); dir >= 0) {
        MoveCursor(engine, dir);
    }
}

void ItemEffect(Engine& engine) {
    BattleState& b = State(engine);
    NumbersStep(engine);
    if (b.numbersTimer > 0) return;
    // The member's turn ends as after an action: the next member, and an enemy moves.
    b.aimedItem = 0;
    b.actingSlot = b.activeSlot;
    b.savedActive = b.activeSlot;
    b.pending[b.activeSlot] = 0;
    FinishAction(engine);
}
