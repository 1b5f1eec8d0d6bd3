#include "engine/core/MainLoop.h"

#include "engine/core/Engine.h"

namespace {
constexpr int kOrderlyExit = 1;
}

bool LoopOnce(Engine& engine, const FrameObserver& observer) {
    Platform& platform = engine.platform;
    ++engine.FrameNumber;
    platform.BeginFrame(engine.FrameNumber);
    const PlatformEvents events = platform.PumpEvents();
    if (observer) observer(engine.FrameNumber, platform.KeysDown());
    if (events.f12Pressed && !engine.CloseRequested) QuitGame(engine);
    if (events.f9Pressed && engine.PresentDebugView) engine.DebugViewShown = !engine.DebugViewShown;
    if (events.closed || engine.CloseRequested) {
        CloseDevices(engine);
        return false;
    }

    const std::uint32_t now = platform.Ticks();
    engine.FrameMs = static_cast<std::int32_t>(now - engine.LastTick);
    engine.LastTick = platform.Ticks();
    RunFrame(engine);
    if (engine.DebugViewShown && engine.PresentDebugView)
        engine.PresentDebugView(engine);
    else
        platform.Present(engine.Screen);
    // Slower frames are not made up: the next one starts at once.
    platform.WaitUntil(engine.LastTick + kFramePeriodMs);
    return true;
}

int RunGame(Engine& engine, std::optional<std::uint64_t> frameLimit,
            const FrameObserver& observer) {
    while (LoopOnce(engine, observer)) {
        // Reaching the frame limit ends the run as it stands: nothing more happens in the game.
        if (frameLimit && engine.FrameNumber >= *frameLimit) break;
    }
    return kOrderlyExit;
}
