// The end of a won battle: the defeated enemies' experience and gold, and the levels they bring,
// shown page by page in the battle's message box.
#include <algorithm>
#include <string>

#include "engine/battle/Battle.h"
#include "engine/battle/BattlePhase.h"
#include "engine/battle/Growth.h"
#include "engine/items/Holdings.h"
#include "engine/words/Words.h"

namespace {

constexpr int kPageTimer = -200;  // a held Shift does not leaf through every page at once

std::string Figure(const Engine& engine, Word word, std::int32_t value) {
    return engine.GameWords[word] + " " + std::to_string(value);
}

// "NAME レベルが上がった！", the level and hit points, then the stats that count in battle.
std::string LevelPage(const Engine& engine, const CharRecord& r) {
    const auto stat = [&](Word word, int index) { return Figure(engine, word, r.stats[index]); };
    return std::string(r.name) + " " + engine.GameWords[Word::LevelUp] + "\n" +
           Figure(engine, Word::Level, r.level) + "  " + engine.GameWords[Word::HitPoints] + " " +
           std::to_string(r.hp) + "/" + std::to_string(r.maxHp) + "\n" +
           stat(Word::Attack, kStatAttack) + " " + stat(Word::Speed, kStatSpeed) + " " +
           stat(Word::Defence, kStatDefence) + "\n" + stat(Word::Magic, kStatMagic) + " " +
           stat(Word::MagicDefence, kStatMagicDefence);
}

// Every enemy that took part has fallen: their rewards go to the party, the experience in full to
// each living member.
void GiveRewards(Engine& engine) {
    BattleState& b = State(engine);
    std::int64_t experience = 0, gold = 0;
    for (const CharRecord& enemy : b.enemyRecord) {
        if (enemy.maxHp <= 0) continue;
        experience += enemy.experience;
        gold += enemy.gold;
    }
    if (experience == 0 && gold == 0) return;
    const auto clamp = [](std::int64_t v) {
        return static_cast<std::int32_t>(std::min<std::int64_t>(v, kMaxRewardValue));
    };
    b.victoryPages.push_back(Figure(engine, Word::Experience, clamp(experience)) + "\n" +
                             Figure(engine, Word::Gold, clamp(gold)));
    ChangeGold(engine, clamp(gold));
    for (int slot = 0; slot < kPartySlots; ++slot) {
        if (!b.alive[slot] || GainExperience(engine, slot, clamp(experience)) == 0) continue;
        b.victoryPages.push_back(LevelPage(engine, *PartyMember(engine, slot)));
    }
}

}  // namespace

void BeginVictory(Engine& engine) {
    BattleState& b = State(engine);
    b.idleAnimOn = 0;
    ShowBattleMessage(engine, engine.GameWords[Word::Victory], true);
    b.victoryPages.clear();
    b.victoryPage = 0;
    GiveRewards(engine);
    engine.ModeProc = VictoryWait;
}

void VictoryWait(Engine& engine) {
    if (engine.InputTimer < kMenuDelay || !Held(engine, Key::Shift)) return;
    BattleState& b = State(engine);
    if (b.victoryPage >= b.victoryPages.size()) {
        EndBattle(engine);
        return;
    }
    ShowBattleMessage(engine, b.victoryPages[b.victoryPage++], true);
    engine.InputTimer = kPageTimer;
}
