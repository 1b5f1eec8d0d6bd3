#include "engine/title/LoadGame.h"

#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/game/GameEvents.h"
#include "engine/save/SaveFile.h"
#include "engine/save/SaveSnapshot.h"
#include "engine/title/Title.h"

namespace {

constexpr std::int32_t kFadeInFrames = 16;

// The SpareProc of the frames after a load: the whole page fades in from black, as the opening
// of a new game does, over whatever the scene and the mode drew.
void FadeInAfterLoad(Engine& engine) {
    std::int32_t& frame = engine.Saves.fadeInFrame;
    ++frame;
    FadeScreen(engine, 32 * frame / kFadeInFrames);
    if (frame >= kFadeInFrames) engine.SpareProc = IdleProc;
}

// The first frame of a loaded game: the field takes over exactly where the save left it, so
// that this frame is the one that followed the save.
void ResumeScene(Engine& engine) {
    engine.SceneProc = FieldScene;
    engine.ModeProc = engine.Saves.resumeMode;
    engine.Saves.fadeInFrame = 0;
    engine.SpareProc = FadeInAfterLoad;
    FieldScene(engine);
}

}  // namespace

bool LoadFromTitle(Engine& engine, int cursor) {
    const int slot = cursor - 1;
    if (slot < 0 || slot >= save::kSlotCount) return false;
    SlotView& view = engine.Saves.views[static_cast<std::size_t>(slot)];
    if (view.state == SlotView::State::Empty) return false;
    const auto bytes = engine.Saves.store->Read(slot);
    auto game = bytes ? save::DecodeSave(*bytes) : std::nullopt;
    if (!game || !CheckGame(*game, engine.Saves.gameIdentity).empty()) {
        view.state = SlotView::State::Damaged;
        return true;
    }
    LoadPlayPictures(engine);
    RestoreGame(engine, *game);
    NoteGameEvent(engine, "load " + std::to_string(slot + 1));
    engine.Saves.answer = SaveSystem::Answer{game->savePointScript, 2};
    engine.Saves.resumeMode = ModeRoutine(game->mode);
    engine.Saves.lastSlot = slot;
    engine.SceneProc = ResumeScene;
    engine.ModeProc = IdleProc;
    return true;
}
