#pragma once
#include <cstdint>

// The bits of `f` 30's argument.
enum BattleRule : std::int32_t {
    kNoRetreat = 1,     // 撤退 is refused
    kLosingGoesOn = 2,  // a lost battle returns to the field with 1 hit point each
    kBattleRuleMask = 3,
};

// How a battle ended, as `f` 10 leaves it in P2 of the script that started it.
enum class BattleOutcome : std::int32_t { Won = 0, Retreated = 1, Lost = 2 };
