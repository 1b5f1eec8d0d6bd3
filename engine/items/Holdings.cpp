#include "engine/items/Holdings.h"

#include <algorithm>
#include <string>

#include "engine/core/Engine.h"
#include "engine/game/GameEvents.h"

namespace {

bool ValidId(std::int32_t id) {
    return id >= kFirstItemId && id <= kLastItemId;
}

std::int32_t Clamped(std::int32_t value, std::int32_t delta, std::int32_t high) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(std::int64_t{value} + delta, 0, high));
}

}  // namespace

std::int32_t ItemCount(const Engine& engine, std::int32_t id) {
    return ValidId(id) ? engine.Items.held.counts[static_cast<std::size_t>(id)] : 0;
}

std::int32_t Gold(const Engine& engine) {
    return engine.Items.held.gold;
}

std::int32_t ChangeItemCount(Engine& engine, std::int32_t id, std::int32_t delta) {
    if (!ValidId(id)) return 0;
    std::uint8_t& count = engine.Items.held.counts[static_cast<std::size_t>(id)];
    const std::int32_t changed = Clamped(count, delta, kMaxItemCount);
    if (changed != count) {
        count = static_cast<std::uint8_t>(changed);
        NoteGameEvent(engine, "item " + std::to_string(id) + " " + std::to_string(changed));
    }
    return changed;
}

std::int32_t ChangeGold(Engine& engine, std::int32_t delta) {
    std::int32_t& gold = engine.Items.held.gold;
    const std::int32_t changed = Clamped(gold, delta, kMaxGold);
    if (changed != gold) {
        gold = changed;
        NoteGameEvent(engine, "gold " + std::to_string(changed));
    }
    return changed;
}
