// The end of a lost battle: the party was wiped out and the player goes back to the title menu,
// where a saved game can be loaded.
#include "engine/battle/Battle.h"
#include "engine/core/Draw.h"
#include "engine/core/Engine.h"

namespace {

// The message stands this long before Shift counts, so that a key pressed for the last action
// does not sweep it away unread.
constexpr std::int32_t kDefeatPauseMs = 2000;
constexpr std::int32_t kFadeOutFrames = 16;

}  // namespace

void DefeatWait(Engine& engine) {
    std::int32_t& fading = engine.Battle->frameCounter;
    if (fading == 0) {
        if (engine.InputTimer >= kDefeatPauseMs && engine.Keys[Key::Shift] >= KEY_PRESSED)
            fading = 1;
        return;
    }
    FadeScreen(engine, 32 - 2 * fading);
    // The last step ends the battle once the frame is over.
    if (++fading > kFadeOutFrames) RequestSceneChange(engine, SceneChange::Title);
}
