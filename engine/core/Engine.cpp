#include "engine/core/Engine.h"

#include "engine/battle/Battle.h"
#include "engine/battle/GameDataFiles.h"
#include "engine/core/Sjis.h"

Engine::Engine(Platform& p, std::filesystem::path dir) : platform(p), gameDir(std::move(dir)) {}

Engine::~Engine() = default;

void IdleProc(Engine&) {}

bool ErrorBox(Engine& engine, std::string_view sjisText) {
    engine.platform.MessageBox(Sjis("エラー発生"), sjisText);
    return false;
}

std::string ModuleDir(const Engine& engine) {
    std::string dir = engine.gameDir.string();
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

void SeedRandom(Engine& engine) {
    engine.random.seed(engine.fixedSeed ? *engine.fixedSeed : engine.platform.Ticks());
}

void PollKeys(Engine& engine) {
    const KeyMask down = engine.platform.KeysDown();
    for (int i = 0; i < kKeyCount; ++i) {
        const Key key = static_cast<Key>(i);
        engine.Keys[key] = NextKeyState(engine.Keys[key], (down & KeyBit(key)) != 0);
    }
}

void RunFrame(Engine& engine) {
    PollKeys(engine);
    engine.InputTimer += engine.FrameMs;
    if (engine.InPlay && engine.FrameMs > 0)
        engine.PlayTimeMs += static_cast<std::uint32_t>(engine.FrameMs);
    // Each slot is read at the moment of its call: a routine that changes a later slot takes
    // effect in the same frame.
    engine.SceneProc(engine);
    engine.ModeProc(engine);
    engine.SpareProc(engine);
}

void QuitGame(Engine& engine) {
    engine.SceneProc = IdleProc;
    engine.ModeProc = IdleProc;
    engine.SpareProc = IdleProc;
    // The engine-wide objects are freed in this order; each subsystem adds its step here:
    //   the field state with its map layers, tile picture, movement records and event objects;
    DestroyField(engine);
    //   the battle state;
    DestroyBattle(engine);
    //   the actor table with its pictures, and the character table;
    engine.Actors.clear();
    FreeCharacterTable(engine);
    //   the global script context;
    engine.Scripts.GlobalScript.Reset();
    //   the skill table;
    FreeSkillTable(engine);
    //   the twelve animation actors.
    for (AnimActor& anim : engine.Scripts.AnimActors) anim.Clear();
    for (CDib& picture : engine.PictureSlots) picture.Destroy();
    StopMusic(engine);
    engine.platform.NoteQuit();
    engine.CloseRequested = true;
}

bool DisplayOpen(Engine& engine) {
    engine.ShadeTable.Build();
    return engine.Screen.Create(kScreenWidth, kScreenHeight);
}

void CloseDevices(Engine& engine) {
    StopMusic(engine);
    engine.Screen.Destroy();
    ReleaseAllEffects(engine);
}
