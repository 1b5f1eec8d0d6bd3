#include "engine/platform/headless/EngineHarness.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <stdexcept>

#include "common/TemporaryDirectory.h"
#include "engine/core/MainLoop.h"
#include "engine/title/GameWiring.h"

namespace {

std::filesystem::path MakeTemporaryDirectory() {
    if (auto dir = kit::makeTemporaryDirectory("dunmere-test-")) return *dir;
    throw std::runtime_error("cannot create a temporary game directory");
}

HeadlessOptions QuietOptions(std::string_view inputScript) {
    HeadlessOptions options;
    options.boxesToStderr = false;
    std::string error;
    if (!options.input.Parse(inputScript, error)) throw std::invalid_argument(error);
    return options;
}

}  // namespace

EngineHarness::EngineHarness(std::string_view inputScript)
    : gameDir(MakeTemporaryDirectory()),
      platform(QuietOptions(inputScript)),
      engine(platform, gameDir) {
    engine.fixedSeed = 1;
    engine.random.seed(1);
    DisplayOpen(engine);
    ConnectSubsystems(engine);
}

EngineHarness::EngineHarness(const std::filesystem::path& sharedGameDir,
                             std::string_view inputScript)
    : gameDir(sharedGameDir),
      ownsGameDir(false),
      platform(QuietOptions(inputScript)),
      engine(platform, gameDir) {
    engine.fixedSeed = 1;
    engine.random.seed(1);
    DisplayOpen(engine);
    ConnectSubsystems(engine);
}

EngineHarness::~EngineHarness() {
    if (!ownsGameDir) return;
    std::error_code ec;
    std::filesystem::remove_all(gameDir, ec);
}

void EngineHarness::WriteFile(std::string_view relativeName, std::string_view bytes) {
    std::string name(relativeName);
    std::replace(name.begin(), name.end(), '\\', '/');
    const auto path = gameDir / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void EngineHarness::WriteFile(std::string_view relativeName,
                              const std::vector<std::uint8_t>& bytes) {
    WriteFile(relativeName,
              std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool EngineHarness::RunFrames(int count) {
    for (int i = 0; i < count; ++i)
        if (!LoopOnce(engine)) return false;
    return true;
}

void EngineHarness::SetKeys(std::string_view inputScript) {
    InputScript input;
    std::string error;
    if (!input.Parse(inputScript, error)) throw std::invalid_argument(error);
    platform.SetInput(std::move(input));
}
