#pragma once
// The items' and levels' part of a save file, for the format's one visitor (SaveFile.cpp): the
// item counts by id, the gold, and each character's level, experience, maxima and stats.
#include <cstdint>
#include <type_traits>

#include "engine/save/SaveData.h"

namespace save {

inline constexpr std::size_t kMaxMembers = 4096;

template <typename A, typename H>
void VisitHoldings(A& a, H& h) {
    a.Block(h.itemCounts, Holdings::kItemIds);
    a.Int(h.gold);
    a.Count(h.members, kMaxMembers);
    for (auto& m : h.members) {
        a.Int(m.level);
        a.Int(m.experience);
        a.Int(m.maxHp);
        a.Int(m.maxLp);
        for (auto& stat : m.stats) a.Byte(stat);
    }
    if constexpr (!std::is_const_v<H>) {
        const auto within = [](std::int32_t v, std::int32_t low, std::int32_t high) {
            return v >= low && v <= high;
        };
        bool ok = (h.itemCounts.empty() || h.itemCounts.size() == Holdings::kItemIds) &&
                  within(h.gold, 0, Holdings::kMaxGold);
        for (const std::uint8_t count : h.itemCounts) ok = ok && count <= Holdings::kMaxCount;
        for (const Member& m : h.members)
            ok = ok && within(m.level, 1, Member::kMaxLevel) &&
                 within(m.experience, 0, Member::kMaxExperience) &&
                 within(m.maxHp, 0, Member::kMaxPoints) && within(m.maxLp, 0, Member::kMaxPoints);
        if (!ok) a.Fail();
    }
}

}  // namespace save
