// Dunmere: the game engine's program entry. Parses the command line, opens the window (or the
// headless stand-in), and runs the frame loop from the start-up scene until the game quits.
#include <cstdio>
#include <string>
#include <vector>

#include "engine/core/Sjis.h"
#include "engine/platform/GameLaunch.h"
#include "engine/platform/Options.h"
#include "engine/platform/headless/HeadlessPlatform.h"
#include "engine/platform/sdl/SdlPlatform.h"

namespace {

constexpr int kStartUpFailed = 0;
constexpr int kCommandLineError = 2;

int CommandLineError(const std::string& message) {
    std::fprintf(stderr, "dunmere: %s\n%s", message.c_str(), UsageText());
    return kCommandLineError;
}

int PlayHeadless(const Options& options, GameLaunch launch) {
    HeadlessOptions headless;
    headless.input = std::move(launch.input);
    headless.traceFile = options.traceFile;
    headless.dumpFrames = options.dumpFrames;
    headless.dumpDir = options.dumpDir;
    HeadlessPlatform platform(std::move(headless));
    const int code = PlayGame(platform, options, std::move(launch));
    for (const auto& problem : platform.Problems())
        std::fprintf(stderr, "dunmere: %s\n", problem.c_str());
    return code;
}

int PlayInWindow(const Options& options, GameLaunch launch) {
    SdlSettings settings;
    settings.scale = options.scale;
    settings.fullscreen = options.fullscreen;
    settings.mute = options.mute;
    settings.soundfont = options.soundfont;
    settings.input = std::move(launch.input);
    SdlPlatform platform(std::move(settings));
    switch (platform.Open()) {
        case SdlPlatform::OpenResult::Ok:
            break;
        case SdlPlatform::OpenResult::NoWindow:
            return kStartUpFailed;
        case SdlPlatform::OpenResult::NoSound:
            platform.MessageBox({}, Sjis("ダイレクトサウンドの初期化に失敗しました"));
            return kStartUpFailed;
    }
    return PlayGame(platform, options, std::move(launch));
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) return CommandLineError(error);
    if (options->help) {
        std::fputs(UsageText(), stdout);
        return 0;
    }
    auto launch = PrepareLaunch(*options, error);
    if (!launch) return CommandLineError(error);
    return options->headless ? PlayHeadless(*options, std::move(*launch))
                             : PlayInWindow(*options, std::move(*launch));
}
