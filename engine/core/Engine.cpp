#include "engine/core/Engine.h"

#include "engine/core/Sjis.h"

Engine::Engine(Platform& p, std::filesystem::path dir)
    : platform(p), gameDir(std::move(dir)), Saves(gameDir) {}

Engine::~Engine() = default;

void IdleProc(Engine&) {}

bool ErrorBox(Engine& engine, std::string_view sjisText) {
    if (engine.MessageBoxGate && !engine.MessageBoxGate(engine, sjisText)) return false;
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
    const SceneChange change = engine.PendingScene;
    engine.PendingScene = SceneChange::None;
    if (const Routine routine = engine.SceneChanges[static_cast<int>(change)]) routine(engine);
}

void RequestSceneChange(Engine& engine, SceneChange change) {
    engine.PendingScene = change;
}

void RegisterSceneChange(Engine& engine, SceneChange change, Routine routine) {
    if (change != SceneChange::None) engine.SceneChanges[static_cast<int>(change)] = routine;
}

void QuitGame(Engine& engine) {
    engine.SceneProc = IdleProc;
    engine.ModeProc = IdleProc;
    engine.SpareProc = IdleProc;
    for (const Routine step : engine.ShutdownSteps)
        if (step) step(engine);
    for (CDib& picture : engine.PictureSlots) picture.Destroy();
    StopMusic(engine);
    engine.platform.NoteQuit();
    engine.CloseRequested = true;
}

void RegisterShutdown(Engine& engine, ShutdownStep step, Routine routine) {
    engine.ShutdownSteps[static_cast<std::size_t>(step)] = routine;
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
