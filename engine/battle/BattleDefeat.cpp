// The end of a lost battle: the party was wiped out and the player goes back to the title menu,
// where a saved game can be loaded; or, when the battle's rules say that losing goes on, back to
// the field with 1 hit point each.
#include "engine/battle/Battle.h"
#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/game/GameEvents.h"

namespace {

// The message stands this long before Shift counts, so that a key pressed for the last action
// does not sweep it away unread.
constexpr std::int32_t kDefeatPauseMs = 2000;
constexpr std::int32_t kFadeOutFrames = 16;

void ReviveParty(Engine& engine) {
    for (const std::int32_t number : engine.PartyLineup) {
        if (number <= 0 || static_cast<std::size_t>(number) >= engine.CharacterTable.size())
            continue;
        CharRecord& member = engine.CharacterTable[static_cast<std::size_t>(number)];
        if (member.hp < 1) member.hp = 1;
    }
}

}  // namespace

void DefeatWait(Engine& engine) {
    std::int32_t& fading = engine.Battle->frameCounter;
    if (fading == 0) {
        if (engine.InputTimer >= kDefeatPauseMs && engine.Keys[Key::Shift] >= KEY_PRESSED)
            fading = 1;
        return;
    }
    FadeScreen(engine, 32 - 2 * fading);
    if (++fading <= kFadeOutFrames) return;
    if (engine.Game.battleRules & kLosingGoesOn) {
        // The last step ends the battle: nothing of it is touched afterwards.
        ReviveParty(engine);
        EndBattle(engine, BattleOutcome::Lost);
    } else {
        NoteGameEvent(engine, "battle end lost");
        RequestSceneChange(engine, SceneChange::Title);  // once the frame is over
    }
}
