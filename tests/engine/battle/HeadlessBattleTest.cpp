// Whole battles in the real program: `dunmere --headless` plays a game directory whose START
// script starts a battle, from recorded input, and the trace shows how the battle ended.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "BattleGame.h"

namespace {

// The logo and credits run their course; Shift at frame 1200 leaves the title, Shift at 1260
// picks the new game and START runs at once.
constexpr const char* kLeaveTitle = "1200 shift\n1202\n1260 shift\n1262\n";

// START: the field map, then the battle against `group`; once the battle is over the script
// plays "SE\won" and waits.
std::string StartScript(std::string_view setUp) {
    return CompileScript(std::string(setUp) +
                         "c4;=$town//f13;c0;0;0;=f22;f10;#"
                         "c4;=$won//c-4;@END//#c2;1;$END//");
}

struct Play {
    int exitStatus = -1;
    std::vector<std::string> trace;

    bool Has(std::string_view line) const {
        return std::find(trace.begin(), trace.end(), line) != trace.end();
    }
    // The frame of the first line ending in `event`, or -1.
    long FrameOf(std::string_view event) const {
        for (const auto& line : trace) {
            const auto space = line.find(' ');
            if (space != std::string::npos && line.substr(space + 1) == event)
                return std::stol(line.substr(0, space));
        }
        return -1;
    }
};

Play RunHeadless(BattleGame& game, const std::string& input, const std::string& dumpFrames = "") {
    const auto dir = game.h.gameDir;
    { std::ofstream(dir / "keys.input") << input; }
    const std::string command =
        std::string("'") + DUNMERE_PROGRAM + "' --headless --game-dir '" + dir.string() +
        "' --input '" + (dir / "keys.input").string() + "' --seed 1 --trace '" +
        (dir / "trace.txt").string() + "' --dump-dir '" + dir.string() + "'" +
        (dumpFrames.empty() ? "" : " --dump-frames " + dumpFrames) + " 2>/dev/null";
    Play play;
    const int status = std::system(command.c_str());
    if (WIFEXITED(status)) play.exitStatus = WEXITSTATUS(status);
    std::ifstream in(dir / "trace.txt");
    for (std::string line; std::getline(in, line);) play.trace.push_back(line);
    return play;
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteGame(BattleGame& game, std::string_view startSetUp) {
    game.WriteStandardFiles();
    game.h.WriteFile("Mt\\town.qd", std::string("\x00\x02\x00\x02\x00", 5) + std::string(16, '\0'));
    game.h.WriteFile("SE\\won.wav", TinyWav());
    game.h.WriteFile("ev\\START.sc", StartScript(startSetUp));
}

TEST(HeadlessBattle, WonAndBackToTheField) {
    BattleGame game;
    WriteGame(game, "");
    // Shift held through the battle picks the first skill on the nearest slime, turn after turn,
    // and ends the victory message; F12 long after.
    const Play play = RunHeadless(game, std::string(kLeaveTitle) + "1300 shift\n2600\n3000 f12\n");

    EXPECT_EQ(play.exitStatus, 1);
    const long battle = play.FrameOf("music BGM\\btl2.mid");
    const long over = play.FrameOf("music null");
    const long won = play.FrameOf("effect 39 SE\\won");
    ASSERT_EQ(battle, 1260);
    ASSERT_GT(over, battle);
    // The field script went on after the battle.
    EXPECT_GE(won, over);
    EXPECT_LT(won, 2600);
    EXPECT_EQ(play.FrameOf("quit"), 3000);
}

TEST(HeadlessBattle, LostGoesBackToTheTitleOnShiftAfterTwoSeconds) {
    BattleGame game;
    // Only Beth (character 2), with 1 hit point, at column 2, row 3; an ogre just above-left.
    WriteGame(game, "c0;0;1;=c0;1;0;=f15;c0;0;2;=f15;c0;0;3;=f15;");
    game.WriteCharacter(2, "Beth", 1, {0, 1, 1, 1, 1, 0, 1, 0});
    game.WriteEnemy(1, "ogre", 50, {0, 200, 3, 2, 5, 0, 1, 0}, "1:\n2-1\n");
    game.h.WriteFile("Schr\\group.qd",
                     "1,0,0,0,0,0,0,3-3,0-0,0-0,0-0,2-2,0-0,0-0,0-0,0-0,0-0,0-0,\n");
    // One step right gives the ogre its tick: it strikes. The keys of the next two seconds are
    // ignored; then Shift fades back to the title menu.
    const Play play = RunHeadless(game,
                                  std::string(kLeaveTitle) +
                                      "1350 right\n1352\n1380 shift ctrl up\n1420 left\n"
                                      "1440 enter space\n1460\n1600 shift\n1602\n1700 f12\n",
                                  "1470,1590");

    EXPECT_EQ(play.exitStatus, 1);
    EXPECT_EQ(play.FrameOf("music BGM\\btl2.mid"), 1260);
    EXPECT_FALSE(play.Has("music null")) << "the battle ended";
    EXPECT_TRUE(play.Has("1616 music BGM\\opn.mid")) << "back to the title";
    EXPECT_EQ(play.FrameOf("quit"), 1700);
    // The defeat message stands still while the keys are pressed.
    const std::string before = ReadBytes(game.h.gameDir / "frame-001470.png");
    EXPECT_FALSE(before.empty());
    EXPECT_EQ(before, ReadBytes(game.h.gameDir / "frame-001590.png"));
}

}  // namespace
