#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/platform/headless/TraceLine.h"
#include "tests/support/ScratchAndRun.h"
#include "tools/kitgame/TraceExpect.h"

namespace {

namespace fs = std::filesystem;

// Frames of the recorded play (sample/demo.input) that the checks look at.
constexpr int kTitleFrame = 1150;    // the title, its lettering faded in
constexpr int kOpeningFrame = 1301;  // the first page of the opening, fully typed
constexpr int kBattleFrame = 3052;   // the battle, Alen's turn
constexpr int kVictoryFrame = 4892;  // the victory message

// A dumped frame: 240 x 210 RGB pixels.
struct Frame {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;

    // Pixels of the rectangle [x0, x1) x [y0, y1) for which `test` (r, g, b)
    // holds.
    int Count(int x0, int y0, int x1, int y1,
              const std::function<bool(int, int, int)>& test) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
                n += test(p[0], p[1], p[2]);
            }
        return n;
    }
};

bool White(int r, int g, int b) {
    return r > 230 && g > 230 && b > 230;
}
bool Green(int r, int g, int b) {
    return g > r + 40 && g > b + 40;
}
bool Yellow(int r, int g, int b) {
    return r > 200 && g > 160 && b < 140;
}
bool Bluish(int r, int g, int b) {
    return b > r && b > g;
}

bool ReadPng(const fs::path& path, Frame& frame) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    frame.width = static_cast<int>(image.width);
    frame.height = static_cast<int>(image.height);
    frame.rgb.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, frame.rgb.data(), 0, nullptr) != 0;
}

// Plays the sample game headless with the keys of `input`, dumping into `dir`; returns the
// exit status.
int RunSample(const fs::path& input, const fs::path& dir, const std::string& trace,
              const std::string& more) {
    std::ostringstream cmd;
    cmd << "'" << DUNMERE_PROGRAM << "' --headless --game-dir '" << SAMPLE_GAME_DIR << "' --input '"
        << input.string() << "' --seed 1 --trace '" << (dir / trace).string() << "' --dump-dir '"
        << dir.string() << "' " << more << " 2> '" << (dir / "stderr.txt").string() << "'";
    return testsupport::runCommand(cmd.str());
}

Frame DumpedFrame(const fs::path& dir, int frame) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%06d.png", frame);
    Frame f;
    EXPECT_TRUE(ReadPng(dir / name, f)) << name;
    if (f.rgb.empty()) f = Frame{240, 210, std::vector<std::uint8_t>(240 * 210 * 3)};
    return f;
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> ReadLines(const fs::path& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Plays the recording once, headless, for all the tests below.
class SampleGame : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = testsupport::newTemporaryDirectory("sample-game-test-");
        std::ostringstream frames;
        frames << kTitleFrame << "," << kOpeningFrame << "," << kBattleFrame << ","
               << kVictoryFrame;
        exitCode_ = RunSample(DEMO_INPUT, dir_, "trace.txt", "--dump-frames " + frames.str());
        trace_ = ReadLines(dir_ / "trace.txt");
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }

    static Frame Dumped(int frame) { return DumpedFrame(dir_, frame); }
    // The trace's events ("music BGM\opn.mid", "effect 0 SE\cur0", ...) without
    // frame numbers, those whose text starts with `kind`.
    static std::vector<std::string> Events(const std::string& kind) {
        std::vector<std::string> out;
        for (const std::string& line : trace_) {
            const std::optional<TraceLine> event = ParseTraceLine(line);
            if (event && event->WithoutFrame().starts_with(kind))
                out.push_back(event->WithoutFrame());
        }
        return out;
    }

    static inline fs::path dir_;
    static inline int exitCode_ = -1;
    static inline std::vector<std::string> trace_;
};

TEST_F(SampleGame, PlaysToTheEndWithoutAMessageBox) {
    EXPECT_EQ(exitCode_, 1);
    ASSERT_FALSE(trace_.empty());
    EXPECT_EQ(trace_.back(), "6880 quit");
    // Every file the game asks for is there and every script runs without a
    // fault.
    const auto boxes = Events("box");
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(SampleGame, MusicFollowsTheStory) {
    const std::vector<std::string> expected = {
        "music BGM\\opn.mid",  // after the logo: credits and title
        "music-stop",          // the new game: each map has its music
        "music BGM\\lastDung.mid",
        "music-stop",
        "music BGM\\forest.mid",
        "music-stop",  // the battle
        "music BGM\\btl2.mid",
        "music-stop",  // its end brings back the forest's music
        "music BGM\\forest.mid",
        "music-stop",
        "music BGM\\lastDung.mid",
        "music-stop",
        "music BGM\\forest.mid",
        "music-stop",  // the end: back to the title
        "music BGM\\opn.mid",
        "music-stop",  // F12
    };
    EXPECT_EQ(Events("music"), expected);
}

// The story of demo.expect, as `kit-game check --expect` reads it: the doors both ways, the choice
// and what it changes, the battle, the save and the way back to the title.
TEST_F(SampleGame, ThePlayShowsWhatDemoExpectAsksFor) {
    std::ifstream in(DEMO_EXPECT);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> events;
    for (const std::string& line : trace_)
        if (const std::optional<TraceLine> event = ParseTraceLine(line))
            events.push_back(event->WithoutFrame());
    const std::vector<std::string> patterns = kitgame::readExpectations(text);
    EXPECT_GT(patterns.size(), 15u);
    EXPECT_EQ(kitgame::firstUnmet(patterns, events), std::nullopt);
}

// ヒール is not cast: Riri drinks a potion instead.
TEST_F(SampleGame, TheSkillsAndTheMenusSoundTheirEffects) {
    const auto effects = Events("effect");
    for (const char* effect : {"effect 0 SE\\cur0", "effect 1 SE\\kin", "effect 39 SE\\slash",
                               "effect 39 SE\\fire", "effect 39 SE\\thunder", "effect 39 SE\\bite"})
        EXPECT_NE(std::find(effects.begin(), effects.end(), effect), effects.end()) << effect;
}

TEST_F(SampleGame, FramesShowTitleTextBattleAndVictory) {
    // The title lettering (yellow) over the night sky.
    EXPECT_GT(Dumped(kTitleFrame).Count(0, 20, 240, 64, Yellow), 500);
    // The opening's text box: white text on the blue panel at the bottom of the
    // village.
    const Frame opening = Dumped(kOpeningFrame);
    EXPECT_GT(opening.Count(24, 139, 216, 193, White), 300);
    EXPECT_GT(opening.Count(205, 180, 215, 192, Bluish), 100);
    EXPECT_GT(opening.Count(0, 0, 240, 130, Green), 5000);
    // The battle: the grassy grid and the active member's name in the box at the
    // top.
    const Frame battle = Dumped(kBattleFrame);
    EXPECT_GT(battle.Count(7, 34, 231, 202, Green), 20000);
    EXPECT_GT(battle.Count(24, 6, 216, 24, White), 30);
    // The victory message is longer than a name: its text begins further left.
    EXPECT_EQ(battle.Count(62, 8, 90, 22, White), 0);
    EXPECT_GT(Dumped(kVictoryFrame).Count(62, 8, 90, 22, White), 30);
}

// The first run plays the recording's opening, reads the well, saves into slot 1,
// plays on and quits; the second loads slot 1 from the title and plays the same keys. From the
// end of the load's fade-in on, the frames and the events are those of the first run.
class SampleSaveAndLoad : public ::testing::Test {
  protected:
    static constexpr int kSaveFrame = 1700;  // Shift in the save menu
    static constexpr int kLoadFrame = 40;    // Shift on DATA 1 of the title
    static constexpr int kShift = kSaveFrame - kLoadFrame;

    static void SetUpTestSuite() {
        dir_ = testsupport::newTemporaryDirectory("sample-save-test-");
        std::string first;
        for (const std::string& line : ReadLines(DEMO_INPUT))
            if (!line.empty() && line[0] != '#' && std::stoi(line) < 1415) first += line + "\n";
        // Up and left to the well, Shift reads it; its page, the save menu (Shift saves), the
        // page after.
        first +=
            "1420 up\n1452\n1460 left\n1476\n1490 up\n1494\n1640 shift\n1642\n1680 shift\n1682\n";
        std::string second = "1 shift\n3\n20 down\n22\n";  // to DATA 1 of the title
        // The same keys after the save and after the load: close the page, walk left and down.
        const std::pair<int, const char*> after[] = {{0, "shift"},  {2, ""},      {60, "shift"},
                                                     {62, ""},      {80, "left"}, {96, ""},
                                                     {100, "down"}, {132, ""},    {200, "f12"}};
        for (const auto& [at, keys] : after) {
            first += std::to_string(kSaveFrame + at) + " " + keys + "\n";
            second += std::to_string(kLoadFrame + at) + " " + keys + "\n";
        }
        std::ofstream(dir_ / "save.input") << first;
        std::ofstream(dir_ / "load.input") << second;
        std::string frames[2];
        for (int after : {20, 80, 140}) {
            frames[0] += std::to_string(kSaveFrame + after) + ",";
            frames[1] += std::to_string(kLoadFrame + after) + ",";
        }
        const std::string saves = " --save-dir '" + (dir_ / "saves").string() + "'";
        saveExit_ = RunSample(dir_ / "save.input", dir_, "save.txt",
                              "--dump-frames " + frames[0] + "1" + saves);
        // Slot 2: the same save as written by a newer version, which must not be loaded.
        std::vector<std::uint8_t> newer = ReadBytes(dir_ / "saves" / "slot1.sav");
        if (newer.size() > 8) newer[8] = 0xFF;
        std::ofstream(dir_ / "saves" / "slot2.sav", std::ios::binary)
            .write(reinterpret_cast<const char*>(newer.data()),
                   static_cast<std::streamsize>(newer.size()));
        loadExit_ = RunSample(dir_ / "load.input", dir_, "load.txt",
                              "--dump-frames " + frames[1] + "30" + saves);
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }

    // The trace's lines after `frame`, their frame numbers moved back by `shift`.
    static std::vector<std::string> EventsAfter(const std::string& trace, int frame, int shift) {
        std::vector<std::string> out;
        for (const std::string& line : ReadLines(dir_ / trace)) {
            const std::optional<TraceLine> event = ParseTraceLine(line);
            if (event && event->frame > static_cast<std::uint64_t>(frame))
                out.push_back(std::to_string(event->frame - static_cast<std::uint64_t>(shift)) +
                              " " + event->WithoutFrame());
        }
        return out;
    }

    static inline fs::path dir_;
    static inline int saveExit_ = -1, loadExit_ = -1;
};

TEST_F(SampleSaveAndLoad, TheLoadedGameGoesOnAsTheSavedOne) {
    EXPECT_EQ(saveExit_, 1);
    EXPECT_EQ(loadExit_, 1);
    EXPECT_TRUE(fs::exists(dir_ / "saves" / "slot1.sav"));
    for (int after : {20, 80, 140})
        EXPECT_EQ(DumpedFrame(dir_, kSaveFrame + after).rgb,
                  DumpedFrame(dir_, kLoadFrame + after).rgb)
            << after << " frames after the save";
    EXPECT_EQ(EventsAfter("load.txt", kLoadFrame, 0), EventsAfter("save.txt", kSaveFrame, kShift));
    // The title's DATA 1 box shows the save's map and play time on its second line; the newer
    // save in DATA 2 (darkened: the cursor is on DATA 1) reads "DATA 2 ── 読めません", longer
    // than the "DATA X" of the empty DATA 3.
    const Frame title = DumpedFrame(dir_, 30);
    EXPECT_GT(title.Count(15, 54, 225, 66, White), 20);
    auto grey = [](int r, int g, int b) { return r > 90 && g > 90 && b > 90; };
    EXPECT_GT(title.Count(105, 88, 150, 98, grey), 20);
    EXPECT_EQ(title.Count(105, 133, 150, 143, grey), 0);
}

}  // namespace
