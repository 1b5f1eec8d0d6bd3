// kit-game export --linux: the archive unpacks into one folder whose start script plays the game.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

int run(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(GameExport, LinuxArchivePlaysWithOneCommand) {
    const fs::path work = fs::temp_directory_path() / ("game-export-" + std::to_string(getpid()));
    fs::create_directories(work);
    const std::string kitGame = KIT_GAME_PROGRAM;
    EXPECT_EQ(run(kitGame + " export --linux " + SAMPLE_GAME_DIR + " " +
                  (work / "game.tar.gz").string() + " --built " + SAMPLE_GAME_DIR + " 2>/dev/null"),
              0);
    ASSERT_EQ(run("tar -xzf " + (work / "game.tar.gz").string() + " -C " + work.string()), 0);
    EXPECT_TRUE(fs::is_regular_file(work / "game" / "README.txt"));
    // 1: the orderly end at the frame limit.
    EXPECT_EQ(run((work / "game" / "play").string() + " --headless --frames 30"), 1);
    EXPECT_EQ(run(kitGame + " export --zip x y 2>/dev/null"), 2);
    fs::remove_all(work);
}

}  // namespace
