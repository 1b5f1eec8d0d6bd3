// Dunmere on a web page: the page (dunmere-web.js) has put the game's files under /game and
// passes the command line it made of its address. The browser's animation frames drive the loop.
#include <emscripten.h>
#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Engine.h"
#include "engine/core/MainLoop.h"
#include "engine/platform/GameLaunch.h"
#include "engine/platform/Options.h"
#include "engine/platform/web/WebPlatform.h"
#include "engine/platform/web/WebSaveStore.h"
#include "engine/save/GameIdentity.h"

// clang-format off
EM_JS(void, JsFinish, (const char* trace, double frames, double engineMs), {
    Module.kit.finish(UTF8ToString(trace), frames, engineMs);
});
EM_JS(int, JsPageKeys, (), { return Module.kit.pageKeys ? 1 : 0; });
EM_JS(int, JsFramesGranted, (double frame), { return Module.kit.framesGranted(frame); });
// clang-format on

namespace {

// A late frame runs the frames it owes, but never more than this many in one animation frame:
// after a pause (a hidden tab) the game goes on instead of racing.
constexpr int kMostFramesOwed = 4;
// A replay runs as fast as it can, this many frames between two animation frames.
constexpr int kReplayFramesPerStep = 300;

struct WebGame {
    WebGame(HeadlessOptions headless, WebPlatform::Mode mode, const std::filesystem::path& gameDir)
        : platform(std::move(headless), mode), engine(platform, gameDir) {}
    WebPlatform platform;
    Engine engine;
    std::optional<std::uint64_t> frameLimit;
    double engineMs = 0;  // time spent inside the frames, for the page's measurements
    bool ended = false;
};

// Runs one frame; false once the game has ended.
bool RunOneFrame(WebGame& game) {
    const double start = emscripten_get_now();
    const bool running = LoopOnce(game.engine);
    game.engineMs += emscripten_get_now() - start;
    if (game.frameLimit && game.engine.FrameNumber >= *game.frameLimit) return false;
    return running;
}

void Finish(WebGame& game) {
    game.ended = true;
    emscripten_cancel_main_loop();
    std::string trace;
    for (const auto& line : game.platform.TraceLines()) trace += line + "\n";
    JsFinish(trace.c_str(), static_cast<double>(game.engine.FrameNumber), game.engineMs);
}

void Step(void* arg) {
    auto& game = *static_cast<WebGame*>(arg);
    if (game.ended) return;
    if (game.platform.Replay()) {
        // Stepped: the page's keys on the virtual clock, as many frames as the page grants.
        const int frames = game.platform.PageKeys()
                               ? JsFramesGranted(static_cast<double>(game.engine.FrameNumber))
                               : kReplayFramesPerStep;
        for (int i = 0; i < frames; ++i)
            if (!RunOneFrame(game)) return Finish(game);
        return;
    }
    const std::uint32_t now = game.platform.Ticks();
    int owed = 0;
    while (static_cast<std::int32_t>(now - game.platform.DueTick()) >= 0 &&
           owed < kMostFramesOwed) {
        if (!RunOneFrame(game)) return Finish(game);
        ++owed;
    }
    if (owed == kMostFramesOwed) game.platform.SetDueTick(now);
}

}  // namespace

int main(int argc, char** argv) {
    // The page's C library starts with a mask that leaves new files without read permission;
    // a saved game restored from the browser's storage would then be unreadable.
    umask(022);
    std::string error;
    const auto options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    auto launch = options ? PrepareLaunch(*options, error) : std::nullopt;
    if (!launch) {
        std::fprintf(stderr, "dunmere: %s\n", error.c_str());
        return 2;
    }
    // The page asks for its saves with --save-dir; they live in the browser under the game's name.
    if (options->saveDir)
        launch->saves = std::make_unique<WebSaveStore>(save::GameIdentity(launch->gameDir));
    HeadlessOptions headless;
    headless.input = std::move(launch->input);
    headless.dumpFrames = options->dumpFrames;
    // The game lives as long as the page: the loop below never returns to this frame.
    const auto mode = !options->headless ? WebPlatform::Mode::kLive
                      : JsPageKeys()     ? WebPlatform::Mode::kStepped
                                         : WebPlatform::Mode::kReplay;
    auto* game = new WebGame(std::move(headless), mode, launch->gameDir);
    game->frameLimit = options->frames;
    if (!StartEngine(game->engine, *options, *launch)) return 0;
    game->platform.SetDueTick(game->engine.LastTick);
    emscripten_set_main_loop_arg(Step, game, 0, 1);
    return 1;
}
