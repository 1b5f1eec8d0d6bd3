// A stand-in for the game's start-up scene until the title scenes exist: it seeds the random
// generator, creates the pictures and loads the two shared sounds and the logo, then shows the
// logo (or a plain window box when it is missing) until F12.
#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/core/Sjis.h"
#include "engine/core/StartUp.h"

namespace {

void PlaceholderScene(Engine& engine) {
    ClearScreen(engine);
    const CDib& logo = engine.PictureSlots[0];
    if (!logo.Empty()) {
        BltKeyed(engine, (kScreenWidth - logo.Width()) / 2,
                 kVisibleTop + (kPageHeight - logo.Height()) / 2, logo, 0, 0, logo.Width(),
                 logo.Height());
        return;
    }
    DrawWindowBox(engine, 20, kVisibleTop + 80, 200, 50);
    DrawString(engine, Sjis("ダンメア　Ｆ１２で終了"), 12, 36, kVisibleTop + 99, 0xFFFFFF);
}

}  // namespace

void StartUp(Engine& engine) {
    SeedRandom(engine);
    for (CDib& picture : engine.PictureSlots) picture.Destroy();
    engine.PictureSlots[0].LoadFile(engine, "pic\\QD-logo");
    LoadEffect(engine, kCursorSoundSlot, "SE\\cur0");
    LoadEffect(engine, kKinSoundSlot, "SE\\kin");
    PlayMusic(engine, "BGM\\opn.mid");
    engine.SceneProc = PlaceholderScene;
    engine.ModeProc = IdleProc;
}
