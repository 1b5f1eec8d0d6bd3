// Dunmere on a web page: the page (dunmere-web.js) has put the game's files under /game and
// passes the command line it made of its address. The browser's animation frames drive the loop.
#include <emscripten.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Engine.h"
#include "engine/core/MainLoop.h"
#include "engine/core/Sjis.h"
#include "engine/core/StartUp.h"
#include "engine/platform/Options.h"
#include "engine/platform/web/WebPlatform.h"

// clang-format off
EM_JS(void, JsFinish, (const char* trace, double frames, double engineMs), {
    Module.kit.finish(UTF8ToString(trace), frames, engineMs);
});
// clang-format on

namespace {

// A late frame runs the frames it owes, but never more than this many in one animation frame:
// after a pause (a hidden tab) the game goes on instead of racing.
constexpr int kMostFramesOwed = 4;
// A replay runs as fast as it can, this many frames between two animation frames.
constexpr int kReplayFramesPerStep = 300;

struct WebGame {
    WebGame(HeadlessOptions headless, bool replay, const std::filesystem::path& gameDir)
        : platform(std::move(headless), replay), engine(platform, gameDir) {}
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
        for (int i = 0; i < kReplayFramesPerStep; ++i)
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

std::optional<std::string> ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "dunmere: %s\n", error.c_str());
        return 2;
    }
    HeadlessOptions headless;
    headless.dumpFrames = options->dumpFrames;
    if (options->inputFile) {
        const auto text = ReadText(*options->inputFile);
        if (!text || !headless.input.Parse(*text, error)) {
            std::fprintf(stderr, "dunmere: cannot use %s %s\n",
                         options->inputFile->string().c_str(), error.c_str());
            return 2;
        }
    }
    // The game lives as long as the page: the loop below never returns to this frame.
    auto* game =
        new WebGame(std::move(headless), options->headless, options->gameDir.value_or("/game"));
    game->frameLimit = options->frames;
    // A replay is seeded as a headless run is (1 unless given); play on the page by the clock.
    if (options->seed)
        game->engine.fixedSeed = *options->seed;
    else if (options->headless)
        game->engine.fixedSeed = 1;
    if (!DisplayOpen(game->engine)) {
        game->platform.MessageBox({}, Sjis("ダイレクトドローの初期化に失敗しました"));
        return 0;
    }
    game->engine.SceneProc = StartUp;
    game->engine.LastTick = game->platform.Ticks();
    game->platform.SetDueTick(game->engine.LastTick);
    emscripten_set_main_loop_arg(Step, game, 0, 1);
    return 1;
}
