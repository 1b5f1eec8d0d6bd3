// Saving and loading the sample game: its state in the village after the talk with the elder
// (eight actors with their scripts, the map, the text box), written to and read from a slot
// file. Each must stay well under a frame.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>

#include "engine/core/Engine.h"
#include "engine/title/StartUp.h"
#include "engine/platform/headless/EngineHarness.h"
#include "engine/save/SaveFile.h"
#include "engine/save/SaveSnapshot.h"
#include "engine/save/SaveStore.h"

namespace {

constexpr int kVillageFrame = 1600;

std::string DemoKeys() {
    std::ifstream in(DEMO_INPUT);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct SampleInVillage {
    SampleInVillage()
        : harness(SAMPLE_GAME_DIR, DemoKeys()),
          dir(std::filesystem::temp_directory_path() /
              ("bench-save-" + std::to_string(::getpid()))),
          fileStore(dir) {
        harness.engine.SceneProc = StartUp;
        harness.RunFrames(kVillageFrame);
    }
    ~SampleInVillage() { std::filesystem::remove_all(dir); }

    EngineHarness harness;
    std::filesystem::path dir;
    save::DirectorySaveStore fileStore;
    save::MemorySaveStore memoryStore;
    // Argument 0: the slot in memory (a headless run); 1: the slot file, written whole and
    // synced to the disk before it replaces the old one.
    save::SaveStore& Store(const benchmark::State& state) {
        return state.range(0) ? static_cast<save::SaveStore&>(fileStore) : memoryStore;
    }
};

void SaveSampleGame(benchmark::State& state) {
    SampleInVillage game;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto file =
            save::EncodeSave(CaptureGame(game.harness.engine, save::Mode::PlayerControl, -1));
        if (!game.Store(state).Write(0, file).empty()) state.SkipWithError("cannot write the slot");
        bytes = file.size();
    }
    state.counters["file_bytes"] = static_cast<double>(bytes);
}

void LoadSampleGame(benchmark::State& state) {
    SampleInVillage game;
    Engine& engine = game.harness.engine;
    save::SaveStore& store = game.Store(state);
    store.Write(0, save::EncodeSave(CaptureGame(engine, save::Mode::PlayerControl, -1)));
    for (auto _ : state) {
        const auto file = store.Read(0);
        const auto saved = file ? save::DecodeSave(*file) : std::nullopt;
        if (!saved || !CheckGame(*saved, engine.Saves.gameIdentity).empty())
            state.SkipWithError("cannot read");
        RestoreGame(engine, *saved);
    }
}

}  // namespace

BENCHMARK(SaveSampleGame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadSampleGame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
