#include "engine/save/HoldingsSnapshot.h"

#include <algorithm>

#include "engine/battle/Growth.h"
#include "engine/core/Engine.h"

static_assert(save::Holdings::kItemIds == static_cast<std::size_t>(kLastItemId) + 1);
static_assert(save::Holdings::kMaxCount == kMaxItemCount && save::Holdings::kMaxGold == kMaxGold);
static_assert(save::Member::kMaxLevel == kMaxLevel &&
              save::Member::kMaxExperience == kMaxExperience);

save::Holdings CaptureHoldings(const Engine& engine) {
    save::Holdings h;
    const auto& counts = engine.Items.held.counts;
    h.itemCounts.assign(counts.begin(), counts.end());
    h.gold = engine.Items.held.gold;
    for (const CharRecord& r : engine.CharacterTable) {
        save::Member m{r.level, r.experience, r.maxHp, r.maxLp, {}};
        std::copy(std::begin(r.stats), std::end(r.stats), m.stats.begin());
        h.members.push_back(m);
    }
    return h;
}

void RestoreHoldings(Engine& engine, const save::Holdings& h) {
    Holdings& held = engine.Items.held;
    held = Holdings{};
    std::copy_n(h.itemCounts.begin(), std::min(h.itemCounts.size(), held.counts.size()),
                held.counts.begin());
    held.gold = h.gold;
    for (std::size_t i = 0; i < h.members.size() && i < engine.CharacterTable.size(); ++i) {
        const save::Member& m = h.members[i];
        CharRecord& r = engine.CharacterTable[i];
        r.level = m.level;
        r.experience = m.experience;
        r.maxHp = m.maxHp;
        r.maxLp = m.maxLp;
        std::copy(m.stats.begin(), m.stats.end(), std::begin(r.stats));
        r.hp = std::min(r.hp, r.maxHp);
    }
}
