#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/Engine.h"
#include "engine/platform/headless/HeadlessPlatform.h"

// An engine on the headless platform with its own temporary game directory, for tests:
//
//     EngineHarness h("1 shift\n3\n");   // keys: Shift down in frames 1-2
//     h.WriteFile("SE\\cur0.wav", bytes);
//     h.engine.SceneProc = MyScene;
//     h.RunFrames(3);
//     EXPECT_EQ(h.Trace().back(), "3 effect 0 SE\\cur0");
//
// The display is open (ShadeTable built, Screen created), the seed is 1, every slot idles and
// no trace file is written. The directory is removed with the harness.
class EngineHarness {
  public:
    explicit EngineHarness(std::string_view inputScript = {});
    // Plays in a game directory that already exists; it is left as it is.
    EngineHarness(const std::filesystem::path& sharedGameDir, std::string_view inputScript);
    ~EngineHarness();
    EngineHarness(const EngineHarness&) = delete;
    EngineHarness& operator=(const EngineHarness&) = delete;

    // Writes a file under the game directory; the name may use backslashes ("pic\\logo.qdg").
    void WriteFile(std::string_view relativeName, std::string_view bytes);
    void WriteFile(std::string_view relativeName, const std::vector<std::uint8_t>& bytes);

    // Runs frames through the main loop; returns false if the game ended on the way.
    bool RunFrames(int count);
    // Replaces the key script (lines "FRAME KEY..." as for --input).
    void SetKeys(std::string_view inputScript);
    const std::vector<std::string>& Trace() const { return platform.TraceLines(); }

    std::filesystem::path gameDir;
    bool ownsGameDir = true;
    HeadlessPlatform platform;
    Engine engine;
};
