#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/platform/headless/TraceLine.h"
#include "tools/kitgame/GameBuild.h"
#include "tools/kitgame/GameConvert.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// Runs a shell command; its exit status, with standard output and error in files of `dir`.
int RunCommand(const std::string& command, const fs::path& dir) {
    const int status = std::system((command + " > '" + (dir / "out.txt").string() + "' 2> '" +
                                    (dir / "err.txt").string() + "'")
                                       .c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A fresh game from `kit-game new`, replayed once with its own demo input by `kit-game check`.
class NewGame : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        root_ = fs::temp_directory_path() / ("kit-game-test-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
        game_ = root_ / "mygame";
        newStatus_ = RunCommand(
            std::string("'") + KIT_GAME_PROGRAM + "' new '" + game_.string() + "'", root_);
        checkStatus_ = RunCommand(std::string("'") + KIT_GAME_PROGRAM + "' check '" +
                                      game_.string() + "' '" + (game_ / "demo.input").string() +
                                      "' --expect '" + (game_ / "demo.expect").string() + "'",
                                  root_);
        std::istringstream lines(ReadFile(root_ / "out.txt"));
        for (std::string line; std::getline(lines, line);)
            if (const std::optional<TraceLine> event = ParseTraceLine(line))
                trace_.push_back(event->WithoutFrame());
    }
    static void TearDownTestSuite() { fs::remove_all(root_); }

    // Runs dunmere headless on the built game for a few frames; returns its standard error.
    static std::string Dunmere(const std::string& options) {
        RunCommand(std::string("'") + DUNMERE_PROGRAM + "' --headless --frames 2 --game-dir '" +
                       (game_ / "build").string() + "' " + options,
                   root_);
        return ReadFile(root_ / "err.txt");
    }

    static inline fs::path root_, game_;
    static inline int newStatus_ = -1, checkStatus_ = -1;
    static inline std::vector<std::string> trace_;  // events without their frame numbers
};

// The demo talks, wins a battle and a level, buys a potion and uses it in the next battle, reads
// the sign (a tile event after a battle), goes through the door to the woods and back, and saves
// at the well.
TEST_F(NewGame, PlaysThroughTheTalkTheShopTheDoorAndTheSaveWithoutAMessageBox) {
    ASSERT_EQ(newStatus_, 0);
    EXPECT_EQ(checkStatus_, 0) << ReadFile(root_ / "err.txt");
    std::vector<std::string> pages, milestones;
    for (const std::string& event : trace_) {
        EXPECT_FALSE(event.starts_with("box ")) << event;
        if (event.starts_with("text ")) pages.push_back(event.substr(5));
        for (const char* kind : {"map ", "save ", "level 0 ", "buy ", "item-used "})
            if (event.starts_with(kind)) milestones.push_back(event);
    }
    const std::vector<std::string> expected = {
        "ようこそ！矢印キーで歩き、\\nShiftで話そう。",
        "村人「はじめまして！\\nここは小さな村です。」",
        "村人「草むらの魔物を\\n退治してくれる？」",
        "村人「ありがとう！\\n草むらが静かになりました。」",
        "道具屋「いらっしゃい！\\nポーションはいかが？」",
        "道具屋「まいどあり！」",
        "草むらから魔物があらわれた！",
        "もう魔物の気配はない。",
        "『はじまりの村　北は草むら』",
        "古い井戸。水面が光っている。\\n旅の記録を残そう。",
    };
    EXPECT_EQ(pages, expected);
    EXPECT_EQ(milestones,
              (std::vector<std::string>{"map village", "level 0 2", "buy 1 1", "item-used 1",
                                        "map woods", "map village", "save 1"}));
    EXPECT_EQ(trace_.back(), "quit");
}

TEST_F(NewGame, HasAnIdentityThatTheBuildCopies) {
    const std::string id = ReadFile(game_ / "game.id");
    EXPECT_TRUE(id.starts_with("mygame-") && id.size() == 12 && id.back() == '\n' &&
                id.find_first_not_of("0123456789abcdef", 7) == 11)
        << id;
    EXPECT_EQ(ReadFile(game_ / "build/game.id"), id);
}

TEST_F(NewGame, CheckFailsWhenTheTraceMissesAnExpectedLineOrHasItOutOfOrder) {
    WriteFile(root_ / "expect", "battle end won\n# a remark\n\nchoice 0\n");
    EXPECT_EQ(RunCommand(std::string("'") + KIT_GAME_PROGRAM + "' check '" + game_.string() +
                             "' '" + (game_ / "demo.input").string() + "' --expect '" +
                             (root_ / "expect").string() + "'",
                         root_),
              1);
    EXPECT_NE(ReadFile(root_ / "err.txt").find("no line \"choice 0\""), std::string::npos);
}

TEST_F(NewGame, NewNeverWritesIntoAFolderThatHoldsFiles) {
    EXPECT_EQ(
        RunCommand(std::string("'") + KIT_GAME_PROGRAM + "' new '" + game_.string() + "'", root_),
        1);
    EXPECT_NE(ReadFile(root_ / "err.txt").find("not empty"), std::string::npos);
}

TEST_F(NewGame, AuthorDiagnosticsNameTheFilesTheyTried) {
    const fs::path built = game_ / "build";
    // A missing picture: the game's own message, then the path tried.
    fs::rename(built / "pic/QD-logo.qdg", root_ / "logo.qdg");
    const std::string missing = Dunmere("");
    fs::rename(root_ / "logo.qdg", built / "pic/QD-logo.qdg");
    EXPECT_NE(missing.find("dunmere: could not load pic/QD-logo.qdg\n"), std::string::npos)
        << missing;
    // Frames go into a dump folder that is made when missing...
    const fs::path dumps = root_ / "dumps/nested";
    EXPECT_EQ(Dunmere("--dump-frames 1 --dump-dir '" + dumps.string() + "'"), "");
    EXPECT_TRUE(fs::exists(dumps / "frame-000001.png"));
    // ...and a frame that cannot be written is named with its whole path.
    WriteFile(root_ / "not-a-folder", "x");
    const std::string failed =
        Dunmere("--dump-frames 1 --dump-dir '" + (root_ / "not-a-folder").string() + "'");
    EXPECT_NE(failed.find((root_ / "not-a-folder/frame-000001.png").string()), std::string::npos)
        << failed;
}

TEST_F(NewGame, RebuildsOnlyWhatChanged) {
    std::ostringstream log;
    ASSERT_TRUE(kitgame::buildGame(game_, game_ / "build", {}, log).ok()) << log.str();
    EXPECT_NE(log.str().find(" 0 converted"), std::string::npos) << log.str();
    const fs::path villager = game_ / "ev/chr/villager.script";
    fs::last_write_time(villager, fs::file_time_type::clock::now() + std::chrono::seconds(5));
    log.str("");
    ASSERT_TRUE(kitgame::buildGame(game_, game_ / "build", {}, log).ok()) << log.str();
    EXPECT_NE(log.str().find(" 1 converted"), std::string::npos) << log.str();
    // Built among its own sources, a game's outputs would be read back as sources.
    EXPECT_FALSE(kitgame::buildGame(game_, game_ / "ev/..", {}, log).ok());
}

// kit-game check fails on a message box, and only on one: a page may say "box".
TEST(KitGameCheck, OnlyABoxEventIsAMessageBox) {
    const struct {
        const char* line;
        bool read, box;
    } cases[] = {
        {"12 text a box of sweets\\nfor you", true, false},
        {"7 box エラー発生|pic\\\\x", true, true},
        {"4490 quit", true, false},
        {"box |x", false, false},
        {"12", false, false},
        {"12 ", false, false},
    };
    for (const auto& c : cases) {
        const std::optional<TraceLine> line = ParseTraceLine(c.line);
        EXPECT_EQ(line.has_value(), c.read) << c.line;
        if (line) {
            EXPECT_EQ(line->IsMessageBox(), c.box) << c.line;
        }
    }
    EXPECT_EQ(ParseTraceLine("3 effect 0 SE\\cur0")->WithoutFrame(), "effect 0 SE\\cur0");
}

// One build after another as an author works: each step is a case the build once got wrong.
TEST(KitGameBuild, FollowsItsSourcesAndNeverLosesAnEdit) {
    const fs::path src = fs::temp_directory_path() / ("kit-game-steps-" + std::to_string(getpid()));
    const fs::path out = src / "build";
    fs::remove_all(src);
    WriteFile(src / "ev/a.src", "c4;=$ok//\n");
    WriteFile(src / "pic/parts/pal.inc", "colour a 808080\n");
    WriteFile(src / "pic/p.pic", "size 1 1\ninclude parts/pal.inc\nfill 0 0 1 1 a\n");
    WriteFile(src / "pic/q.pic", "size 1 1\n");
    WriteFile(src / "Schr/x.dat", "a\n");
    WriteFile(src / "Mt/t.qd", "tessel");
    std::ostringstream log;
    const auto build = [&] {
        log.str("");
        return kitgame::buildGame(src, out, {}, log);
    };
    kitgame::BuildReport report = build();
    EXPECT_EQ(report.converted, 6) << log.str();  // game.id included
    EXPECT_EQ(ReadFile(out / "game.id"), src.filename().string() + "\n");
    EXPECT_EQ(build().upToDate, 6);

    // A source copied in with an older time is made again.
    WriteFile(src / "Schr/x.dat", "b\n");
    fs::last_write_time(src / "Schr/x.dat",
                        fs::last_write_time(out / "Schr/x.qd") - std::chrono::hours(1));
    EXPECT_EQ(build().converted, 1) << log.str();
    EXPECT_EQ(ReadFile(out / "Schr/x.qd"), "b\n");

    // A changed include remakes the one picture that includes it.
    WriteFile(src / "pic/parts/pal.inc", "colour a 8080F0\n");
    EXPECT_EQ(build().converted, 1) << log.str();

    // An output whose source is gone goes with it.
    fs::remove(src / "ev/a.src");
    report = build();
    EXPECT_EQ(report.removed, 1) << log.str();
    EXPECT_FALSE(fs::exists(out / "ev/a.sc"));
    EXPECT_FALSE(fs::exists(out / "ev"));

    // A built file changed since the build wrote it is kept, and never replaced silently.
    WriteFile(out / "Mt/t.qd", "edited in the build");
    report = build();
    EXPECT_TRUE(report.ok());
    EXPECT_NE(log.str().find("changed since the last build wrote it; kept"), std::string::npos);
    WriteFile(src / "Mt/t.qd", "tessel, later");
    report = build();
    EXPECT_EQ(report.failed, 1);
    EXPECT_NE(log.str().find((out / "Mt/t.qd").string() + ": changed since the last build"),
              std::string::npos)
        << log.str();
    EXPECT_EQ(ReadFile(out / "Mt/t.qd"), "edited in the build");

    // The source's own identity replaces the one made from the folder's name.
    fs::remove(out / "Mt/t.qd");
    WriteFile(src / "game.id", "mine\n");
    EXPECT_TRUE(build().ok()) << log.str();
    EXPECT_EQ(ReadFile(out / "game.id"), "mine\n");
    fs::remove_all(src);
}

TEST(KitGameBuild, ErrorsNameTheSourceFileAndLine) {
    const fs::path src =
        fs::temp_directory_path() / ("kit-game-errors-" + std::to_string(getpid()));
    fs::remove_all(src);
    const struct {
        const char* file;
        const char* text;
        const char* expected;
    } cases[] = {
        {"ev/BAD.src", "c4;=$ok//\nc4;=$never closed\n", "ev/BAD.src: line 2"},
        {"ev/bad.script", "say \"ok\"\n  sayy \"typo\"\n", "ev/bad.script: line 2, column 3"},
        {"ev/bad.script", nullptr, "ev/bad.script: line 2, column 3: error: unknown statement"},
        {"ev/two.src", "c4;=$ok//\n", nullptr},
        {"ev/wide.src", "c0;0;0;=\nc4;=$星降りの井戸。水面に星が映っている。//\nf1;\n",
         "ev/wide.src: line 3, column 1: warning: line 1 of the page is 36"},
        {"ev/two.script", "say \"ok\"\n", nullptr},
        {"ev/warned.script", "// a global script\nend_talk\n", "ev/warned.script: line 2"},
        {"ev/chr/good.script", "say \"グッド\"\nend_talk\n", nullptr},
        {"Mt/bad.map", "tileset 0\nlegend\nxy 1\ngrid\nx\n", "Mt/bad.map: line 3"},
        {"Mt/bad.doors", "\n3 woods 2 7 sideways 4\n", "Mt/bad.doors: line 2"},
        {"Schr/bad.dat", "ok\n\xF0\x9F\x98\x80\n", "Schr/bad.dat: line 2"},
        {"Dtbs/items.txt", "1,ポーション,10,heal,30,傷を治す\n2,エーテル,x,heal,1,\n",
         "Dtbs/items.txt: line 2: the price is not a number"},
        {"BGM/bad.notes", "tempo 120\ntrack 0\nq9/4\n", "BGM/bad.notes: line 3"},
        {"SE/bad.sound", "duration 0\n", "SE/bad.sound: line 1"},
        {"pic/bad.pic", "size 4 4\nfill 0 0 4 4 Z\n", "pic/bad.pic: line 2"},
        {"SE/broken.kyl", "not a project", "SE/broken.kyl: "},
        {"Schr/twice.dat", "a\n", "Schr/twice.dat: makes Schr/twice.qd like"},
        {"Schr/twice.qd", "a\n", nullptr},
        {"Schr/good.dat", "グッド\n", nullptr},
    };
    for (const auto& c : cases)
        if (c.text) WriteFile(src / c.file, c.text);
    std::ostringstream log;
    const kitgame::BuildReport report = kitgame::buildGame(src, src / "build", {}, log);
    for (const auto& c : cases) {
        if (!c.expected) continue;
        EXPECT_NE(log.str().find((src / c.expected).string()), std::string::npos)
            << c.expected << "\n"
            << log.str();
    }
    EXPECT_EQ(report.failed, 12);
    EXPECT_EQ(ReadFile(src / "build/Schr/good.qd"), "\x83\x4F\x83\x62\x83\x68\n");
    EXPECT_NE(log.str().find(": makes ev/two.sc like "), std::string::npos) << log.str();
    // A readable script is UTF-8 and compiles to the raw form's bytes; a warning builds.
    EXPECT_EQ(ReadFile(src / "build/ev/chr/good.sc"), std::string("c\x04=6!\x83\x4F\x83\x62\x83\x68"
                                                                  "f\x01#f\x08"
                                                                  "e\x00",
                                                                  18));
    EXPECT_TRUE(fs::exists(src / "build/ev/warned.sc"));
    fs::remove_all(src);
}

// Tiled maps carry their tiles' `blocks` into the tile set's attribute file; sources that say
// otherwise about the same tile set stop the build, naming both.
TEST(KitGameBuild, TiledBlocksBecomeTheTileSetsAttributes) {
    const fs::path src = fs::temp_directory_path() / ("kit-game-tiled-" + std::to_string(getpid()));
    fs::remove_all(src);
    const auto tmx = [](int blockingTile) {
        std::string layers;
        for (const char* name : {"Ground", "Upper", "Overlay"})
            layers += std::string(" <layer name=\"") + name +
                      "\" width=\"2\" height=\"1\"><data encoding=\"csv\">4,0</data></layer>\n";
        return "<?xml version=\"1.0\"?>\n<map orientation=\"orthogonal\" width=\"2\" "
               "height=\"1\" tilewidth=\"16\" tileheight=\"16\" infinite=\"0\">\n"
               " <tileset firstgid=\"1\" name=\"map1\" tilewidth=\"16\" tileheight=\"16\" "
               "columns=\"16\"><image source=\"map1.png\"/><tile id=\"" +
               std::to_string(blockingTile) +
               "\"><properties><property name=\"blocks\" type=\"bool\" value=\"true\"/>"
               "</properties></tile></tileset>\n" +
               layers + "</map>\n";
    };
    WriteFile(src / "Mt/a.tmx", tmx(3));
    WriteFile(src / "Mt/b.tmx", tmx(3));  // the same tile set, saying the same
    std::ostringstream log;
    EXPECT_EQ(kitgame::buildGame(src, src / "build", {}, log).failed, 0) << log.str();
    std::string expected(256, '\0');
    expected[3 * 16] = 0x20;  // attribute files list the sheet column by column
    EXPECT_EQ(ReadFile(src / "build/Smt/sMat1.qd"), expected);
    EXPECT_TRUE(fs::exists(src / "build/Mt/a.qd") && fs::exists(src / "build/Mt/b.qd"));

    const struct {
        const char* attributeText;
        const char* fault;  // nothing when the two agree
    } cases[] = {{"block 3\n", nullptr},
                 {"block 3 4\n", "makes Smt/sMat1.qd other than"},
                 {"block 3 4\n", "tile 4 blocks in one and not in the other"}};
    for (const auto& c : cases) {
        WriteFile(src / "Smt/sMat1.attr", c.attributeText);
        log.str("");
        EXPECT_EQ(kitgame::buildGame(src, src / "build", {}, log).failed, c.fault ? 1 : 0)
            << log.str();
        if (c.fault) {
            EXPECT_NE(log.str().find(c.fault), std::string::npos) << log.str();
        }
    }

    // Maps that stop carrying `blocks` no longer make the attribute file; they are not gone.
    fs::remove(src / "Smt/sMat1.attr");
    for (const char* map : {"Mt/a.tmx", "Mt/b.tmx"}) {
        std::string text = tmx(3);
        text.replace(text.find("blocks"), 6, "colour");
        WriteFile(src / map, text);
    }
    log.str("");
    EXPECT_EQ(kitgame::buildGame(src, src / "build", {}, log).failed, 0) << log.str();
    EXPECT_FALSE(fs::exists(src / "build/Smt/sMat1.qd"));
    EXPECT_NE(log.str().find("no longer makes it"), std::string::npos) << log.str();
    fs::remove_all(src);
}

// FNV-1a, to compare the sample's files with the bytes they had when kit-game took over their
// build from the single converter programs.
std::uint64_t Fingerprint(const std::string& bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

TEST(KitGameBuild, SampleGameKeepsItsKnownBytes) {
    const struct {
        const char* file;
        std::size_t size;
        std::uint64_t fingerprint;
    } known[] = {
        {"pic/cur0.qdg", 822, 0xa2d1f4e55e8954e5ull},
        {"pic/title_bg.qdg", 119862, 0xb62d169be93ebd25ull},
        {"Mt/village.qd", 1589, 0x513f8c1bda78e9c5ull},
        {"Smt/sMat0.qd", 256, 0xbd0b01e5a0b1a125ull},
        {"Dtbs/wzDt.qd", 359, 0xf6fd4ad9d4915626ull},
        {"Schr/schr2.qd", 43, 0xdf3c913963796a72ull},
        {"ev/wz/wz1.sc", 86, 0x08116c646c69c316ull},
        {"ev/chr/elder.sc", 168, 0x8fdcc0f55ee24276ull},
        {"BGM/opn.mid", 893, 0xc3e8f80a0a668678ull},
        {"SE/cur0.wav", 2690, 0xbc7321b986427b18ull},
        {"SE/thunder.wav", 39734, 0x223b20e40dd48ba3ull},
    };
    for (const auto& k : known) {
        const std::string bytes = ReadFile(fs::path(SAMPLE_GAME_DIR) / k.file);
        EXPECT_EQ(bytes.size(), k.size) << k.file;
        EXPECT_EQ(Fingerprint(bytes), k.fingerprint) << k.file;
    }
}

// The sample's scripts moved to the readable form: each builds the bytes the sample's game has
// today and keeps the remarks its raw form had on lines of their own.
TEST(KitGameConvert, SampleScriptsBuildTheSameBytesAndKeepTheirRemarks) {
    const struct {
        const char* script;
        int remarks;
    } scripts[] = {
        {"START", 27},    {"anm/bite", 3},    {"anm/fire", 3},  {"anm/heal", 3},
        {"anm/slash", 3}, {"anm/thunder", 3}, {"chr/elder", 1}, {"chr/girl", 2},
        {"chr/smith", 2}, {"chr/well", 2},    {"wz/wz1", 5},    {"wz/wz2", 5},
        {"wz/wz3", 4},    {"wz/wz4", 5},      {"wz/wz5", 5},    {"wz/wz6", 4},
    };
    const fs::path src =
        fs::temp_directory_path() / ("kit-game-convert-" + std::to_string(getpid()));
    fs::remove_all(src);
    fs::create_directories(src);
    fs::copy(fs::path(SAMPLE_SOURCE_DIR) / "ev", src / "ev", fs::copy_options::recursive);
    for (const auto& file : fs::recursive_directory_iterator(src / "ev"))
        if (file.path().extension() == ".pic") fs::remove(file.path());  // their parts are not here
    WriteFile(src / "ev/chr/smith.script", "say \"taken\"\n");
    std::ostringstream log;
    EXPECT_FALSE(kitgame::convertGameScripts(src, log));  // one .script is already there
    EXPECT_NE(log.str().find("smith.script is already there"), std::string::npos) << log.str();
    EXPECT_TRUE(fs::exists(src / "ev/START.src"));
    EXPECT_FALSE(fs::exists(src / "ev/START.script"));
    fs::remove(src / "ev/chr/smith.script");

    ASSERT_TRUE(kitgame::convertGameScripts(src, log)) << log.str();
    EXPECT_TRUE(kitgame::buildGame(src, src / "build", {}, log).ok()) << log.str();
    for (const auto& s : scripts) {
        const fs::path script = src / "ev" / (std::string(s.script) + ".script");
        const std::string text = ReadFile(script);
        EXPECT_FALSE(fs::exists(fs::path(script).replace_extension(".src"))) << s.script;
        int remarks = 0;
        for (std::size_t at = 0; (at = text.find("\n//", at)) != std::string::npos; ++at) ++remarks;
        EXPECT_EQ(remarks + (text.starts_with("//") ? 1 : 0), s.remarks) << s.script;
        const std::string sc = "ev/" + std::string(s.script) + ".sc";
        EXPECT_EQ(ReadFile(src / "build" / sc), ReadFile(fs::path(SAMPLE_GAME_DIR) / sc)) << sc;
    }
    fs::remove_all(src);
}

}  // namespace

// `new --lang en`: the same game in English. Its play shows only ASCII: the pages of its talk,
// sign and well, the save, and every text the engine shows (its words, names and skills come
// from these files); its sources hold no other character either, comments aside.
TEST(NewGameInEnglish, PlaysThroughWithEveryTextInAscii) {
    const fs::path root = fs::temp_directory_path() / ("kit-game-en-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root);
    const fs::path game = root / "english";
    const std::string kitGame = std::string("'") + KIT_GAME_PROGRAM + "' ";
    ASSERT_EQ(RunCommand(kitGame + "new --lang en '" + game.string() + "'", root), 0);
    EXPECT_EQ(RunCommand(kitGame + "new --lang fr '" + (root / "fr").string() + "'", root), 1);
    // The demo: the talk with its choice, the battle it starts, the thanks, the shop, the second
    // battle, the sign, the door to the woods and back, and the save at the well.
    EXPECT_EQ(
        RunCommand(kitGame + "check '" + game.string() + "' '" + (game / "demo.input").string() +
                       "' --expect '" + (game / "demo.expect").string() + "'",
                   root),
        0)
        << ReadFile(root / "err.txt");
    const auto ascii = [](const std::string& s) {
        for (const char c : s)
            if (static_cast<unsigned char>(c) >= 0x80) return false;
        return true;
    };
    std::istringstream lines(ReadFile(root / "out.txt"));
    int pages = 0;
    bool battle = false, saved = false;
    for (std::string line; std::getline(lines, line);) {
        battle = battle || line.ends_with("battle end won");
        saved = saved || line.ends_with(" save 1");
        EXPECT_EQ(line.find(" box "), std::string::npos) << line;
        if (line.find(" text ") != std::string::npos) ++pages;
        EXPECT_TRUE(ascii(line)) << line;
    }
    EXPECT_EQ(pages, 10);
    EXPECT_TRUE(battle);
    EXPECT_TRUE(saved);
    const std::map<std::string, std::string> commentOf = {
        {".src", "*"}, {".script", "//"}, {".dat", ""},  {".txt", ""},
        {".md", ""},   {".map", ""},      {".doors", ""}};
    for (const auto& entry : fs::recursive_directory_iterator(game)) {
        const auto kind = commentOf.find(entry.path().extension().string());
        if (kind == commentOf.end() || entry.path().string().find("/build/") != std::string::npos)
            continue;
        std::istringstream text(ReadFile(entry.path()));
        for (std::string line; std::getline(text, line);) {
            // Comments are never shown.
            if (!kind->second.empty() && line.find_first_not_of(" ") == line.find(kind->second))
                continue;
            EXPECT_TRUE(ascii(line)) << entry.path() << ": " << line;
        }
    }
    const std::string words = ReadFile(game / "build/Dtbs/words.dat");
    EXPECT_NE(words.find("title=Your Game\n"), std::string::npos);
    EXPECT_NE(words.find("victory="), std::string::npos);
    fs::remove_all(root);
}
