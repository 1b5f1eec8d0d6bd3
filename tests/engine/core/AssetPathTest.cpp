#include <gtest/gtest.h>

#include "engine/core/Engine.h"
#include "engine/core/Sjis.h"
#include "engine/platform/headless/EngineHarness.h"

namespace {

TEST(ModuleDirTest, EndsInOneSeparator) {
    HeadlessPlatform platform;
    EXPECT_EQ(ModuleDir(Engine(platform, "/")), "/");
    EXPECT_EQ(ModuleDir(Engine(platform, "/games/demo")), "/games/demo/");
    EXPECT_EQ(ModuleDir(Engine(platform, "/games/demo/")), "/games/demo/");
}

TEST(AssetPathTest, BackslashesSeparateAndLetterCaseIsForgivenOneComponentAtATime) {
    EngineHarness h;
    h.WriteFile("pic\\btlBG\\bg1.qdg", "x");
    h.WriteFile("Pic2\\BtlBg\\BG1.QDG", "x");
    h.WriteFile("SE\\other.wav", "x");
    // "表" is 0x95 0x5C in Shift-JIS: its second byte is a backslash, not a separator.
    const std::pair<std::string, std::filesystem::path> cases[] = {
        {"pic\\btlBG\\bg1.qdg", "pic/btlBG/bg1.qdg"},
        {"pic2\\btlBG\\bg1.qdg", "Pic2/BtlBg/BG1.QDG"},
        {"se\\cur0.wav", "se/cur0.wav"},  // nothing matches: the exact path
        {Sjis("ev\\表.sc"), "ev/表.sc"},
    };
    for (const auto& [name, path] : cases) EXPECT_EQ(AssetPath(h.engine, name), h.gameDir / path);
}

}  // namespace
