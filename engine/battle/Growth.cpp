#include "engine/battle/Growth.h"

#include <algorithm>
#include <string>

#include "engine/battle/BattleGrid.h"
#include "engine/battle/GameData.h"
#include "engine/core/Engine.h"
#include "engine/game/GameEvents.h"

namespace {

constexpr std::int32_t kMaxPoints = 9999;

std::int32_t Grown(std::int32_t value, std::int32_t gain, std::int32_t high) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{value} + gain, 0, high));
}

}  // namespace

std::int32_t ExperienceForLevel(std::int32_t level) {
    if (level <= 1) return 0;
    level = std::min(level, kMaxLevel);
    return 10 * (level - 1) * level;
}

const CharRecord* PartyMember(const Engine& engine, int slot) {
    if (slot < 0 || slot >= kPartySlots) return nullptr;
    const std::int32_t number = engine.PartyLineup[static_cast<std::size_t>(slot)];
    if (number <= 0 || static_cast<std::size_t>(number) >= engine.CharacterTable.size())
        return nullptr;
    return &engine.CharacterTable[static_cast<std::size_t>(number)];
}

CharRecord* PartyMember(Engine& engine, int slot) {
    return const_cast<CharRecord*>(PartyMember(static_cast<const Engine&>(engine), slot));
}

std::int32_t MemberLevel(const Engine& engine, int slot) {
    const CharRecord* member = PartyMember(engine, slot);
    return member ? member->level : 0;
}

std::int32_t MemberExperience(const Engine& engine, int slot) {
    const CharRecord* member = PartyMember(engine, slot);
    return member ? member->experience : 0;
}

std::int32_t ExperienceToNextLevel(const Engine& engine, int slot) {
    const CharRecord* member = PartyMember(engine, slot);
    if (!member || member->level >= kMaxLevel) return 0;
    return std::max(0, ExperienceForLevel(member->level + 1) - member->experience);
}

void GrowOneLevel(CharRecord& record) {
    const StatGrowth& g = record.growth;
    record.level = std::min(record.level + 1, kMaxLevel);
    const std::int32_t maxHp = Grown(record.maxHp, g.hp, kMaxPoints);
    // A fallen member stays fallen.
    if (record.hp > 0) record.hp = Grown(record.hp, maxHp - record.maxHp, maxHp);
    record.maxHp = maxHp;
    record.maxLp = Grown(record.maxLp, g.lp, kMaxPoints);
    for (int i = 0; i < 8; ++i)
        record.stats[i] = static_cast<std::uint8_t>(Grown(record.stats[i], g.stats[i], 255));
}

int GainExperience(Engine& engine, int slot, std::int32_t amount) {
    CharRecord* member = PartyMember(engine, slot);
    if (!member || amount == 0) return 0;
    member->experience = Grown(member->experience, amount, kMaxExperience);
    const std::string prefix = " " + std::to_string(slot) + " ";
    NoteGameEvent(engine, "exp" + prefix + std::to_string(member->experience));
    int gained = 0;
    while (member->level < kMaxLevel &&
           member->experience >= ExperienceForLevel(member->level + 1)) {
        GrowOneLevel(*member);
        ++gained;
        NoteGameEvent(engine, "level" + prefix + std::to_string(member->level));
    }
    return gained;
}
