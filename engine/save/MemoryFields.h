#pragma once
// The game state's part of a save file, for the format's one visitor (SaveFile.cpp): every game
// variable, the switches as bits, the field's music and the next battle's rules.
#include <cstdint>
#include <type_traits>

#include "engine/game/BattleOutcome.h"
#include "engine/save/SaveData.h"

namespace save {

template <typename A, typename M>
void VisitMemory(A& a, M& m) {
    for (auto& v : m.variables) a.Int(v);
    for (auto& bits : m.switches) a.Byte(bits);
    a.Text(m.fieldMusic, 247);
    auto chosen = static_cast<std::uint8_t>(m.fieldMusicChosen);
    a.Byte(chosen);
    a.Int(m.nextBattleRules);
    if constexpr (!std::is_const_v<M>) {
        m.fieldMusicChosen = chosen == 1;
        if (chosen > 1 || m.nextBattleRules < 0 || m.nextBattleRules > kBattleRuleMask) a.Fail();
    }
}

}  // namespace save
