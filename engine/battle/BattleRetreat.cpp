#include "engine/battle/BattleRetreat.h"

#include <algorithm>

#include "engine/battle/Battle.h"
#include "engine/battle/BattlePhase.h"
#include "engine/core/Draw.h"

namespace {

constexpr int kLeastChance = 10, kMostChance = 90;
constexpr int kFadeOutFrames = 16;
constexpr int kRefusedTimer = -48;

// うまく逃げ切った！ (we got away!)
constexpr const char* kRetreatDoneText =
    "\x82\xa4\x82\xdc\x82\xad\x93\xa6\x82\xb0\x90\xd8\x82\xc1\x82\xbd\x81\x49";
// 逃げられなかった…… (we could not get away...)
constexpr const char* kRetreatFailedText =
    "\x93\xa6\x82\xb0\x82\xe7\x82\xea\x82\xc8\x82\xa9\x82\xc1\x82\xbd\x81\x63\x81\x63";
// この戦いからは逃げられない！ (there is no running from this battle!)
constexpr const char* kRetreatRefusedText =
    "\x82\xb1\x82\xcc\x90\xed\x82\xa2\x82\xa9\x82\xe7\x82\xcd\x93\xa6\x82\xb0\x82\xe7\x82\xea"
    "\x82\xc8\x82\xa2\x81\x49";

std::int64_t LivingSpeed(Engine& engine, int from, int to) {
    std::int64_t sum = 0;
    for (int slot = from; slot < to; ++slot)
        if (State(engine).alive[slot])
            sum += std::max<std::int64_t>(Combatant(engine, slot).stats[kStatSpeed], 0);
    return sum;
}

}  // namespace

int RetreatChance(std::int64_t partySpeed, std::int64_t enemySpeed) {
    partySpeed = std::max<std::int64_t>(partySpeed, 0);
    enemySpeed = std::max<std::int64_t>(enemySpeed, 0);
    if (partySpeed + enemySpeed == 0) return 50;
    return static_cast<int>(std::clamp<std::int64_t>(100 * partySpeed / (partySpeed + enemySpeed),
                                                     kLeastChance, kMostChance));
}

void ChooseRetreat(Engine& engine) {
    BattleState& b = State(engine);
    if (b.activeSlot < 0 || b.activeSlot >= kPartySlots || !b.alive[b.activeSlot]) return;
    if (engine.Game.battleRules & kNoRetreat) {
        ShowBattleMessage(engine, kRetreatRefusedText, false);
        engine.InputTimer = kRefusedTimer;
        return;
    }
    const int chance = RetreatChance(LivingSpeed(engine, 0, kPartySlots),
                                     LivingSpeed(engine, kPartySlots, kSlotCount));
    if (engine.random.next() % 100 < chance) {
        ShowBattleMessage(engine, kRetreatDoneText, true);
        b.idleAnimOn = 0;
        b.frameCounter = 0;
        engine.ModeProc = RetreatFade;
        return;
    }
    ShowBattleMessage(engine, kRetreatFailedText, false);
    NextPartyMember(engine);
    engine.ModeProc = AfterAction;
}

void RetreatFade(Engine& engine) {
    std::int32_t& frame = State(engine).frameCounter;
    ++frame;
    FadeScreen(engine, 32 - 2 * frame);
    // The last step ends the battle: nothing of it may be touched afterwards.
    if (frame >= kFadeOutFrames) EndBattle(engine, BattleOutcome::Retreated);
}
