// Runs the dunmere program itself in headless mode and checks its command-line contract.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/core/Engine.h"
#include "engine/platform/GameDirectory.h"
#include "tests/support/ScratchAndRun.h"

namespace {

namespace fs = std::filesystem;

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(dir / "game"); }

    // Runs dunmere with the arguments; returns its exit status.
    int Run(const std::string& args) {
        const std::string command =
            std::string(DUNMERE_BINARY) + " " + args + " >" + (dir / "out.txt").string() + " 2>&1";
        return testsupport::runCommand(command);
    }
    std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::string Game() { return "--game-dir " + (dir / "game").string(); }

    testsupport::ScratchDirectory scratch{"dunmere-program-"};
    fs::path dir = scratch.path();
};

TEST_F(ProgramTest, EmptyGameRunsItsFramesAndReportsWhatItCouldNotLoad) {
    const auto trace = dir / "t.txt";
    EXPECT_EQ(Run("--headless " + Game() + " --frames 3 --trace " + trace.string() +
                  " --dump-frames 1,3 --dump-dir " + dir.string()),
              1);
    const std::string text = Read(trace);
    EXPECT_NE(text.find("1 box エラー発生|CDib::LoadFile : えら～\\n\\npic\\\\QD-logo\n"),
              std::string::npos);
    EXPECT_EQ(text.find("quit"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "frame-000001.png"));
    EXPECT_TRUE(fs::exists(dir / "frame-000003.png"));
    EXPECT_FALSE(fs::exists(dir / "frame-000002.png"));
}

TEST_F(ProgramTest, RecordedKeysReplayAsInput) {
    std::ofstream(dir / "in.txt") << "2 up shift\n4\n6 f12\n";
    EXPECT_EQ(Run("--headless " + Game() + " --input " + (dir / "in.txt").string() + " --record " +
                  (dir / "rec.txt").string()),
              1);
    EXPECT_EQ(Read(dir / "rec.txt"), "2 up shift\n4\n6 f12\n");
}

TEST_F(ProgramTest, CommandLineErrorsGiveTheUsageAndStatusTwo) {
    EXPECT_EQ(Run("--bogus"), 2);
    EXPECT_NE(Read(dir / "out.txt").find("usage: dunmere"), std::string::npos);
    EXPECT_EQ(Run("--headless --frames"), 2);
    EXPECT_EQ(Run("--headless --frames 0"), 2);
    EXPECT_EQ(Run("--headless --seed -1"), 2);
    EXPECT_EQ(Run("--scale 0"), 2);
    EXPECT_EQ(Run("--trace t"), 2);  // the trace belongs to headless runs
    EXPECT_EQ(Run("--headless --dump-frames 1,,2"), 2);
    EXPECT_EQ(Run("--headless --game-dir " + (dir / "none").string()), 2);
    EXPECT_EQ(Run("--headless --input " + (dir / "none.txt").string()), 2);
    std::ofstream(dir / "bad.txt") << "1 jump\n";
    EXPECT_EQ(Run("--headless " + Game() + " --input " + (dir / "bad.txt").string()), 2);
    EXPECT_NE(Read(dir / "out.txt").find("unknown key 'jump'"), std::string::npos);
}

// Without --game-dir: a game beside the program, else the sample game installed with the kit.
TEST_F(ProgramTest, DefaultGameIsTheOneBesideTheProgramElseTheInstalledSample) {
    const fs::path bin = dir / "usr" / "bin";
    const fs::path sample = dir / "usr" / "share" / "dunmere" / "sample-game";
    const struct {
        bool gameBeside, sampleInstalled;
        fs::path expected;
    } cases[] = {{true, true, bin}, {false, true, sample}, {false, false, bin}, {true, false, bin}};
    for (const auto& c : cases) {
        fs::remove_all(dir / "usr");
        fs::create_directories(bin / "ev");
        if (c.gameBeside) std::ofstream(bin / "ev" / "START.sc") << "#";
        if (c.sampleInstalled) fs::create_directories(sample);
        EXPECT_EQ(DefaultGameDirectory(bin), c.expected) << c.gameBeside << c.sampleInstalled;
    }
}

}  // namespace
