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

TEST(AssetPathTest, BackslashesBecomeDirectories) {
    EngineHarness h;
    h.WriteFile("pic\\btlBG\\bg1.qdg", "x");
    EXPECT_EQ(AssetPath(h.engine, "pic\\btlBG\\bg1.qdg"), h.gameDir / "pic" / "btlBG" / "bg1.qdg");
}

TEST(AssetPathTest, FallsBackToMatchingIgnoringCaseComponentByComponent) {
    EngineHarness h;
    h.WriteFile("Pic\\BtlBg\\BG1.QDG", "x");
    EXPECT_EQ(AssetPath(h.engine, "pic\\btlBG\\bg1.qdg"), h.gameDir / "Pic" / "BtlBg" / "BG1.QDG");
}

TEST(AssetPathTest, MissingFileGivesTheExactPath) {
    EngineHarness h;
    h.WriteFile("SE\\other.wav", "x");
    EXPECT_EQ(AssetPath(h.engine, "se\\cur0.wav"), h.gameDir / "se" / "cur0.wav");
}

TEST(AssetPathTest, ShiftJisTrailByteIsNotASeparator) {
    EngineHarness h;
    // "表" is 0x95 0x5C in Shift-JIS: its second byte is a backslash.
    const std::string name = Sjis("ev\\表.sc");
    ASSERT_NE(name.find("\x95\x5C"), std::string::npos);
    EXPECT_EQ(AssetPath(h.engine, name), h.gameDir / "ev" / "表.sc");
}

}  // namespace
