#include "engine/platform/GameLaunch.h"

#include <cstdio>
#include <cstdlib>

#include "common/AtomicFile.h"
#include "common/ShiftJis.h"
#include "common/WholeFile.h"
#include "engine/core/Engine.h"
#include "engine/core/MainLoop.h"
#include "engine/core/Sjis.h"
#include "engine/game/DebugView.h"
#include "engine/platform/GameDirectory.h"
#include "engine/title/DebugStart.h"
#include "engine/title/StartUp.h"

namespace {

constexpr int kStartUpFailed = 0;
// A headless run replays exactly: without --seed it is seeded with 1, not the clock.
constexpr std::uint32_t kHeadlessSeed = 1;

// The directory of the program file, where a game's assets live beside it.
std::filesystem::path ProgramDirectory() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path();
    return exe.parent_path();
}

std::unique_ptr<save::SaveStore> ChooseSaveStore(const Options& options,
                                                 const std::filesystem::path& gameDir) {
    if (options.saveDir) return std::make_unique<save::DirectorySaveStore>(*options.saveDir);
    if (options.headless) return std::make_unique<save::MemorySaveStore>();
    return std::make_unique<save::DirectorySaveStore>(
        save::DefaultSaveDirectory(gameDir, std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
}

}  // namespace

std::optional<GameLaunch> PrepareLaunch(const Options& options, std::string& error) {
    GameLaunch launch;
    launch.gameDir = options.gameDir ? *options.gameDir : DefaultGameDirectory(ProgramDirectory());
    std::error_code ec;
    if (!std::filesystem::is_directory(launch.gameDir, ec)) {
        error = "the game directory " + launch.gameDir.string() + " does not exist";
        return std::nullopt;
    }
    if (options.inputFile) {
        const auto bytes = kit::readWholeFile(*options.inputFile);
        if (!bytes) {
            error = "cannot read " + options.inputFile->string();
            return std::nullopt;
        }
        std::string problem;
        if (!launch.input.Parse(std::string(bytes->begin(), bytes->end()), problem)) {
            error = options.inputFile->string() + ": " + problem;
            return std::nullopt;
        }
    }
    launch.saves = ChooseSaveStore(options, launch.gameDir);
    return launch;
}

bool StartEngine(Engine& engine, const Options& options, GameLaunch& launch) {
    engine.Saves.store = std::move(launch.saves);
    if (options.seed)
        engine.fixedSeed = *options.seed;
    else if (options.headless)
        engine.fixedSeed = kHeadlessSeed;
    if (!DisplayOpen(engine)) {
        engine.platform.MessageBox({}, Sjis("ダイレクトドローの初期化に失敗しました"));
        return false;
    }
    engine.SceneProc = StartUp;
    if (options.startMap) {
        const auto sjisName = kit::utf8ToSjis(*options.startMap);
        engine.Title.debugStart = {sjisName.value_or(*options.startMap), options.startColumn,
                                   options.startRow};
        engine.SceneProc = StartAtPlace;
    }
    if (options.debug) {
        InstallDebugView(engine);
        engine.DebugViewShown = options.headless;  // so that dumped frames show it
    }
    engine.LastTick = engine.platform.Ticks();
    return true;
}

int PlayGame(Platform& platform, const Options& options, GameLaunch launch) {
    Engine engine(platform, launch.gameDir);
    if (!StartEngine(engine, options, launch)) return kStartUpFailed;

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
