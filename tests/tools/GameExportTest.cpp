// kit-game export --linux: the archive unpacks into one folder whose start script plays the game.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/ScratchAndRun.h"

namespace {

namespace fs = std::filesystem;
using testsupport::runCommand;

TEST(GameExport, LinuxArchivePlaysWithOneCommand) {
    const testsupport::ScratchDirectory scratch("game-export-");
    const fs::path& work = scratch.path();
    const std::string kitGame = KIT_GAME_PROGRAM;
    EXPECT_EQ(runCommand(kitGame + " export --linux " + SAMPLE_GAME_DIR + " " +
                         (work / "game.tar.gz").string() + " --built " + SAMPLE_GAME_DIR +
                         " 2>/dev/null"),
              0);
    ASSERT_EQ(runCommand("tar -xzf " + (work / "game.tar.gz").string() + " -C " + work.string()),
              0);
    EXPECT_TRUE(fs::is_regular_file(work / "game" / "README.txt"));
    // 1: the orderly end at the frame limit.
    EXPECT_EQ(runCommand((work / "game" / "play").string() + " --headless --frames 30"), 1);
    EXPECT_EQ(runCommand(kitGame + " export --zip x y 2>/dev/null"), 2);
}

}  // namespace
