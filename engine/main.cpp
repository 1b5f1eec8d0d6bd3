// Dunmere: the game engine's program entry. Parses the command line, opens the window (or the
// headless stand-in), and runs the frame loop from the start-up scene until the game quits.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/AtomicFile.h"
#include "engine/core/Engine.h"
#include "engine/core/MainLoop.h"
#include "engine/core/Sjis.h"
#include "engine/core/StartUp.h"
#include "engine/platform/GameDirectory.h"
#include "engine/platform/InputScript.h"
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

// The directory of the program file, where a game's assets live beside it.
std::filesystem::path ProgramDirectory() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path();
    return exe.parent_path();
}

// Opens the display, installs the start-up scene and runs the loop.
int PlayGame(Platform& platform, const Options& options, const std::filesystem::path& gameDir,
             std::uint32_t defaultSeedOrClock, bool seedFixed) {
    Engine engine(platform, gameDir);
    if (options.seed)
        engine.fixedSeed = *options.seed;
    else if (seedFixed)
        engine.fixedSeed = defaultSeedOrClock;
    if (!DisplayOpen(engine)) {
        platform.MessageBox({}, Sjis("ダイレクトドローの初期化に失敗しました"));
        return kStartUpFailed;
    }
    engine.SceneProc = StartUp;
    engine.LastTick = platform.Ticks();

    KeyRecorder recorder;
    FrameObserver observer;
    if (options.recordFile)
        observer = [&recorder](std::uint64_t frame, KeyMask down) { recorder.Record(frame, down); };
    const int code = RunGame(engine, options.frames, observer);
    if (options.recordFile) {
        const std::string problem = kit::writeFileAtomically(*options.recordFile, recorder.Text());
        if (!problem.empty())
            std::fprintf(stderr, "dunmere: cannot write %s: %s\n",
                         options.recordFile->string().c_str(), problem.c_str());
    }
    return code;
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

    const std::filesystem::path gameDir =
        options->gameDir ? *options->gameDir : DefaultGameDirectory(ProgramDirectory());
    std::error_code ec;
    if (!std::filesystem::is_directory(gameDir, ec))
        return CommandLineError("the game directory " + gameDir.string() + " does not exist");

    InputScript input;
    if (options->inputFile) {
        std::ifstream in(*options->inputFile, std::ios::binary);
        if (!in) return CommandLineError("cannot read " + options->inputFile->string());
        const std::string text{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
        if (!input.Parse(text, error))
            return CommandLineError(options->inputFile->string() + ": " + error);
    }

    if (options->headless) {
        HeadlessOptions headless;
        headless.input = std::move(input);
        headless.traceFile = options->traceFile;
        headless.dumpFrames = options->dumpFrames;
        headless.dumpDir = options->dumpDir;
        HeadlessPlatform platform(std::move(headless));
        const int code = PlayGame(platform, *options, gameDir, 1, true);
        for (const auto& problem : platform.Problems())
            std::fprintf(stderr, "dunmere: %s\n", problem.c_str());
        return code;
    }

    SdlSettings settings;
    settings.scale = options->scale;
    settings.fullscreen = options->fullscreen;
    settings.mute = options->mute;
    settings.soundfont = options->soundfont;
    settings.input = std::move(input);
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
    return PlayGame(platform, *options, gameDir, 0, false);
}
