#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>

#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/platform/headless/EngineHarness.h"
#include "engine/platform/headless/TraceLine.h"
#include "engine/title/GameCredits.h"
#include "engine/title/StartUp.h"
#include "engine/title/Title.h"
#include "tests/engine/BmpFile.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

// A short 8-bit mono PCM wave file: 11025 Hz, eight samples of silence.
std::string Wave() {
    using namespace std::string_literals;
    return "RIFF\x2C\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x11\x2B\0\0\x11\x2B\0\0\x01\0\x08\0"
           "data\x08\0\0\0"s +
           std::string(8, '\x80');
}

std::vector<std::uint16_t> VisiblePage(const Engine& engine) {
    std::vector<std::uint16_t> page;
    for (int y = kVisibleTop; y < kVisibleTop + kPageHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x) page.push_back(engine.Screen.At(x, y));
    return page;
}

// A game directory with the pictures and the opening script the title screens load.
struct TitleTest : ::testing::Test {
    explicit TitleTest(std::string_view keys = {}) : h(keys) {
        const auto square = MakeBmp(16, 16, [](int, int) { return 0xF8F8F8u; });
        for (const char* name : {"pic\\QD-logo.qdg", "pic\\title.qdg", "pic\\cur0.qdg",
                                 "pic\\cur1.qdg", "pic\\koitsu.qdg"})
            h.WriteFile(name, square);
        h.WriteFile("pic\\title_bg.qdg", MakeBmp(100, 6, [](int, int) { return 0xF80000u; }));
        h.WriteFile("ev\\START.sc", std::string_view(""));
        h.WriteFile("Smt\\map0.qdg", square);
        h.WriteFile("Smt\\sMat0.qd", std::string(256, '\0'));
        h.WriteFile("SE\\cur0.wav", Wave());
        h.WriteFile("SE\\kin.wav", Wave());
        h.WriteFile("Dtbs\\wzDt.qd", std::string_view("none none 0,0,0,0,0,0,0,-0,0*0,\n"));
        for (int n = 0; n < 5; ++n)
            h.WriteFile("Schr\\schr" + std::to_string(n) + ".qd",
                        std::string_view("c\nname pic\n10,0,\n0,0,0,0,0,0,0,0,\n"));
        h.engine.SceneProc = StartUp;
    }

    bool Traced(const std::string& line) const {
        const auto& t = h.Trace();
        return std::find(t.begin(), t.end(), line) != t.end();
    }
    std::uint16_t Pixel(int x, int visibleY) const {
        return h.engine.Screen.At(x, kVisibleTop + visibleY);
    }
    // After the start-up frame: the title screen with its background, `frame` frames in, or
    // the menu of five entries.
    void ShowTitleScreen(int frame) {
        ASSERT_TRUE(h.RunFrames(1));
        h.engine.SceneProc = TitleScreen;
        h.engine.ModeProc = IdleProc;
        h.engine.PictureSlots[1].LoadFile(h.engine, "pic\\title_bg");
        h.engine.Title.frame = frame;
    }
    void OpenMenu() {
        ASSERT_TRUE(h.RunFrames(1));
        h.engine.SceneProc = TitleMenu;
        h.engine.ModeProc = IdleProc;
        h.engine.Title.menu.Create(5);
        for (int i = 0; i < 5; ++i) h.engine.Title.menu.SetItem(h.engine, i, "x", 0);
        h.engine.Title.frame = 95;
        h.engine.InputTimer = 100;
    }

    EngineHarness h;
};

TEST(TitleFade, TableOfTheLogoAndCreditScreens) {
    const std::pair<int, int> levels[] = {{-100, 0}, {49, 0},   {50, 0},  {65, 30}, {66, 32},
                                          {249, 32}, {250, 32}, {265, 2}, {266, 0}};
    for (const auto& [frame, level] : levels) EXPECT_EQ(ScreenFadeLevel(frame), level) << frame;
}

TEST(TitleWave, FlatUntilTheFirstFrameThenGrowingWithinTwentyFourPixels) {
    EXPECT_EQ(WaveStrength(-30), 0.0f);
    EXPECT_LT(WaveStrength(10), WaveStrength(20));
    EXPECT_NE(WaveShift(100, WaveStrength(200)), 0);
    for (int t : {0, 1, 100, 100000})
        for (int row = 0; row < 210; ++row)
            EXPECT_LE(std::abs(WaveShift(row, WaveStrength(t))), t == 0 ? 0 : 24);
}

TEST_F(TitleTest, WithoutKeysEachScreenLastsItsFrames) {
    ASSERT_TRUE(h.RunFrames(1));  // StartUp
    EXPECT_EQ(h.engine.SceneProc, LogoScreen);
    EXPECT_EQ(h.engine.ModeProc, SkipToMenu);
    EXPECT_EQ(h.engine.Title.frame, -100);
    // The logo: 366 frames, the last one switching to the credits with the opening music.
    ASSERT_TRUE(h.RunFrames(365));
    EXPECT_EQ(h.engine.SceneProc, LogoScreen);
    ASSERT_TRUE(h.RunFrames(1));
    EXPECT_EQ(h.engine.SceneProc, CreditScreen);
    EXPECT_TRUE(Traced("367 music BGM\\opn.mid"));
    // Each credit screen: 316 frames.
    ASSERT_TRUE(h.RunFrames(315));
    EXPECT_EQ(h.engine.SceneProc, CreditScreen);
    ASSERT_TRUE(h.RunFrames(1));
    EXPECT_EQ(h.engine.SceneProc, SecondCreditScreen);
    EXPECT_EQ(h.engine.ModeProc, SkipToMenu);
    ASSERT_TRUE(h.RunFrames(316));
    EXPECT_EQ(h.engine.SceneProc, TitleScreen);
    EXPECT_EQ(h.engine.ModeProc, IdleProc);
    EXPECT_EQ(h.engine.PictureSlots[1].Width(), 100);
    // Nothing but the start-up's sounds and the opening music so far, and no message box.
    for (const std::string& line : h.Trace()) EXPECT_FALSE(ParseTraceLine(line)->IsMessageBox());
}

// The credit screens show the game's credits.txt in three blocks (list, closing line, second
// screen) or, without it, the maker's lines; each page is compared with the lines drawn where the
// layout puts them.
TEST(TitleCredits, CreditScreensShowTheGamesOwnCreditsFile) {
    struct Line {
        std::string text;
        int x, y;
    };
    const GameCredits maker = GameCredits::Builtin();
    std::vector<Line> makerFirst = {{maker.closing[0], 75, 400}};
    for (int i = 0; i < 6; ++i) makerFirst.push_back({maker.list[i], 20, 260 + 14 * i});
    // Eleven list lines (one too many), CR LF and runs of empty lines, a closing block of two
    // lines (one too many) and a fourth block that no screen shows.
    std::string own = "\n\n";
    std::vector<Line> ownFirst = {{"Made in 2026", 84, 400}};
    for (int i = 0; i < 11; ++i) {
        own += "L" + std::to_string(i) + "\r\n";
        if (i < 10) ownFirst.push_back({"L" + std::to_string(i), 20, 260 + 14 * i});
    }
    own += "\r\n\r\nMade in 2026\nlost\n\nthank you\nfor playing\n\nfourth block\n";
    const struct {
        std::optional<std::string> file;  // nothing: the game has no credits.txt
        std::vector<Line> first, second;
    } cases[] = {
        {std::nullopt, makerFirst, {{"in", 114, 309}}},
        {"", {}, {}},
        {own, ownFirst, {{"thank you", 93, 302}, {"for playing", 87, 316}}},
    };
    for (const auto& c : cases) {
        EngineHarness game;
        if (c.file) game.WriteFile("credits.txt", *c.file);
        LoadGameCredits(game.engine);
        for (Routine screen : {CreditScreen, SecondCreditScreen}) {
            game.engine.SceneProc = screen;
            game.engine.Title.frame = 100;
            ASSERT_TRUE(game.RunFrames(1));
            const std::vector<std::uint16_t> shown = VisiblePage(game.engine);
            ClearScreen(game.engine);
            for (const Line& line : screen == CreditScreen ? c.first : c.second)
                DrawString(game.engine, line.text, 12, line.x, line.y, 0xFFFFFF);
            EXPECT_TRUE(shown == VisiblePage(game.engine)) << c.file.value_or("(none)");
        }
    }
}

struct ShiftFromStart : TitleTest {
    ShiftFromStart() : TitleTest("1 shift\n") {}
};

TEST_F(ShiftFromStart, SkipsToTheMenuInTheFirstFrameAndStartsWhenItShows) {
    ASSERT_TRUE(h.RunFrames(1));
    EXPECT_EQ(h.engine.SceneProc, TitleMenu);
    EXPECT_EQ(h.engine.ModeProc, IdleProc);
    // The menu stays black for 15 frames.
    ASSERT_TRUE(h.RunFrames(15));
    EXPECT_EQ(h.engine.SceneProc, TitleMenu);
    for (int y = 0; y < kPageHeight; y += 7) EXPECT_EQ(Pixel(20, y), 0);
    // Then it shows, and the Shift still held starts the game in that very frame.
    ASSERT_TRUE(h.RunFrames(1));
    EXPECT_NE(Pixel(12, 12), 0);  // the new-game box's bevel
    EXPECT_NE(h.engine.SceneProc, TitleMenu);
    EXPECT_TRUE(Traced("17 music BGM\\lastDung.mid"));
    EXPECT_EQ(h.engine.PictureSlots[2].Width(), 16);  // the corner brackets
    EXPECT_EQ(h.engine.Field.scriptMode, 1);
}

// The opening is the whole game: it ends at once with f35.
struct GameOfNoLength : TitleTest {
    GameOfNoLength() : TitleTest("1 shift\n18\n") {
        h.WriteFile("ev\\START.sc", gamedir::Compile("f35; #"));
    }
};

TEST_F(GameOfNoLength, F35GoesBackToTheTitleMenuWhenTheFrameIsOver) {
    ASSERT_TRUE(h.RunFrames(17));
    EXPECT_EQ(h.engine.SceneProc, TitleMenu);
    EXPECT_FALSE(h.engine.InPlay);
    const std::vector<std::string> music = {"17 music BGM\\lastDung.mid", "17 music-stop",
                                            "17 music BGM\\opn.mid"};
    const std::vector<std::string> trace = h.Trace();
    EXPECT_NE(std::search(trace.begin(), trace.end(), music.begin(), music.end()), trace.end())
        << ::testing::PrintToString(trace);
    // The menu works: Shift on ニューゲーム plays again.
    h.SetKeys("40 shift\n");
    ASSERT_TRUE(h.RunFrames(30));
    EXPECT_TRUE(Traced("40 music BGM\\lastDung.mid"));
}

TEST_F(TitleTest, ShiftCountsFromFrame87AndFadesOverThirtyFrames) {
    ShowTitleScreen(80);
    h.engine.Title.leave = 0;
    // Shift before t = 87 is ignored.
    h.SetKeys("2 shift\n4\n");
    ASSERT_TRUE(h.RunFrames(6));  // t = 86
    EXPECT_EQ(h.engine.Title.leave, 0);
    h.SetKeys("8 shift\n9\n");
    ASSERT_TRUE(h.RunFrames(1));  // frame 8, t = 87: Shift seen
    EXPECT_EQ(h.engine.Title.leave, 1);
    const std::uint16_t bright = Pixel(120, 3);
    ASSERT_TRUE(h.RunFrames(1));  // level 30
    EXPECT_LT(Pixel(120, 3), bright);
    ASSERT_TRUE(h.RunFrames(29));  // level 1
    EXPECT_EQ(h.engine.SceneProc, TitleScreen);
    ASSERT_TRUE(h.RunFrames(1));
    EXPECT_EQ(h.engine.SceneProc, TitleMenu);
    EXPECT_EQ(h.engine.Title.frame, 80);
    EXPECT_EQ(h.engine.Title.menu.Count(), 5);
    EXPECT_EQ(Pixel(120, 3), 0);
}

TEST_F(TitleTest, BackgroundRowsFirstAndLastAreNotDrawn) {
    ShowTitleScreen(-24);  // t = -23: the background at full brightness, no wave yet
    ASSERT_TRUE(h.RunFrames(1));
    // Rows 1..4 of the picture, centred on columns 70..169; its first and last rows stay out.
    const std::uint16_t red = Rgb555(0xF8, 0, 0);
    for (auto [x, y, colour] :
         {std::tuple{70, 0, 0}, {70, 1, red}, {70, 4, red}, {70, 5, 0}, {69, 1, 0}, {170, 1, 0}})
        EXPECT_EQ(Pixel(x, y), colour) << x << "," << y;
}

TEST_F(TitleTest, WideBackgroundWavesWithoutLeavingTheScreen) {
    h.WriteFile("pic\\title_bg.qdg", MakeBmp(240, 210, [](int, int) { return 0xF80000u; }));
    ShowTitleScreen(300);
    ASSERT_TRUE(h.RunFrames(5));
    // Shifted rows are cut at the screen's edges; the margins below the page stay untouched.
    EXPECT_EQ(h.engine.Screen.At(0, kVisibleTop + kPageHeight + 1), 0);
}

TEST_F(TitleTest, DownMovesTheBrightEntryWithTheCursorSound) {
    OpenMenu();
    ASSERT_TRUE(h.RunFrames(1));
    const std::uint16_t newGameBright = Pixel(100, 15);
    const std::uint16_t dataDark = Pixel(100, 40);
    EXPECT_NE(newGameBright, dataDark);
    h.SetKeys("3 down\n4\n");
    ASSERT_TRUE(h.RunFrames(1));
    EXPECT_EQ(h.engine.Title.menu.cursor, 1);
    EXPECT_TRUE(Traced("3 effect 0 SE\\cur0"));
    EXPECT_EQ(Pixel(100, 40), newGameBright);
    EXPECT_EQ(Pixel(100, 15), dataDark);
}

TEST_F(TitleTest, ConfirmingADataEntryStartsANewGame) {
    OpenMenu();
    h.engine.Title.menu.cursor = 3;
    h.SetKeys("3 shift\n");
    ASSERT_TRUE(h.RunFrames(2));
    EXPECT_NE(h.engine.SceneProc, TitleMenu);
    EXPECT_TRUE(Traced("3 music BGM\\lastDung.mid"));
}

}  // namespace
