#include "engine/save/SaveSlots.h"

#include <cstdio>

#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/core/Sjis.h"
#include "engine/save/SaveFile.h"
#include "engine/save/SaveSnapshot.h"
#include "engine/words/Words.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

SlotView ReadSlot(const Engine& engine, int slot) {
    SlotView view;
    const auto bytes = engine.Saves.store->Read(slot);
    if (!bytes) return view;
    const auto game = save::DecodeSave(*bytes);
    // A save whose parts disagree, or another game's, is as unreadable as a damaged one.
    if (!game || !CheckGame(*game, engine.Saves.gameIdentity).empty()) {
        view.state = SlotView::State::Damaged;
        return view;
    }
    view.state = SlotView::State::Saved;
    view.summary = game->summary;
    return view;
}

}  // namespace

void ScanSaveSlots(Engine& engine) {
    for (int slot = 0; slot < save::kSlotCount; ++slot)
        engine.Saves.views[static_cast<std::size_t>(slot)] = ReadSlot(engine, slot);
}

bool AnySlotUsed(const Engine& engine) {
    for (const SlotView& view : engine.Saves.views)
        if (view.state != SlotView::State::Empty) return true;
    return false;
}

std::string PlayTimeText(std::uint64_t ms) {
    const std::uint64_t minutes = ms / 60000;
    char text[32];
    std::snprintf(text, sizeof text, "%llu:%02llu", static_cast<unsigned long long>(minutes / 60),
                  static_cast<unsigned long long>(minutes % 60));
    return text;
}

void DrawSlotBox(Engine& engine, int slot, int y, bool bright, SlotLabel label) {
    const SlotView& view = engine.Saves.views[static_cast<std::size_t>(slot)];
    const std::string data = engine.GameWords[Word::Data] + " " + std::to_string(slot + 1);
    DrawWindowBox(engine, 10, y, 220, 45);
    switch (view.state) {
        case SlotView::State::Empty:
            DrawString(engine, label == SlotLabel::Title ? engine.GameWords[Word::EmptySlot] : data,
                       12, 15, y + 15, kWhite);
            break;
        case SlotView::State::Damaged:
            DrawString(engine, data + " " + engine.GameWords[Word::Unreadable], 12, 15, y + 15,
                       kWhite);
            break;
        case SlotView::State::Saved:
            DrawString(engine, data + "  " + view.summary.leaderName, 12, 15, y + 8, kWhite);
            DrawString(engine, view.summary.mapName, 12, 27, y + 24, kWhite);
            DrawString(engine, PlayTimeText(view.summary.playTimeMs), 12, 180, y + 24, kWhite);
            break;
    }
    if (!bright) TintRect(engine, 10, y, 230, y + 45, 16, 0);
}
