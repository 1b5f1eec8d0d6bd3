// The save file byte for byte, its refusals, and where the files live.
#include <gtest/gtest.h>
#include <zlib.h>

#include <climits>
#include <fstream>
#include <functional>

#include "common/LittleEndian.h"
#include "engine/save/GameIdentity.h"
#include "engine/save/SaveFile.h"
#include "engine/save/SaveSnapshot.h"
#include "engine/save/SaveStore.h"
#include "tests/support/ScratchAndRun.h"

namespace {

save::Game SomeGame() {
    save::Game game;
    game.gameIdentity = "village-3f9a";
    game.summary = {"\x83\x41\x83\x8c\x83\x93", "village", 3723000};
    game.global.bytes = {'f', 25, ';', 0};
    game.global.position = 1;
    game.events.resize(2);
    game.actors.resize(2);
    game.movers.resize(2);
    game.field.width = 2, game.field.height = 1;
    game.field.layers.assign(8, 7);
    game.hitPoints = {0, 10, 20};
    game.music = "BGM\\lastDung.mid";
    game.musicOpen = true;
    return game;
}

std::uint32_t Crc(std::span<const std::uint8_t> bytes) {
    return static_cast<std::uint32_t>(
        crc32(crc32(0L, Z_NULL, 0), bytes.data(), static_cast<uInt>(bytes.size())));
}

// Replaces the payload and writes its size and checksum as a writer would.
void Reseal(std::vector<std::uint8_t>& file) {
    const auto payload = std::span(file).subspan(save::kHeaderSize);
    const std::uint32_t size = static_cast<std::uint32_t>(payload.size()), crc = Crc(payload);
    for (int i = 0; i < 4; ++i) {
        file[12 + i] = static_cast<std::uint8_t>(size >> (8 * i));
        file[16 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
    }
}

TEST(SaveFile, HeaderIsSignatureVersionSizeAndZlibCrc) {
    const auto file = save::EncodeSave(SomeGame());
    ASSERT_GT(file.size(), save::kHeaderSize);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 8), std::string("DUNSAVE\x1A"));
    EXPECT_EQ(kit::readU32LE(file, 8), 4u);
    EXPECT_EQ(kit::readU32LE(file, 12), file.size() - save::kHeaderSize);
    EXPECT_EQ(kit::readU32LE(file, 16), Crc(std::span(file).subspan(save::kHeaderSize)));
    // The game's identity leads the payload, then the summary: each a length and the bytes.
    EXPECT_EQ(kit::readU32LE(file, 20), 12u);
    EXPECT_EQ(kit::readU32LE(file, 36), 6u);
    const auto game = save::DecodeSave(file);
    ASSERT_TRUE(game);
    EXPECT_EQ(save::EncodeSave(*game), file);
    // Version 1 has no identity: its summary leads.
    EXPECT_EQ(kit::readU32LE(save::EncodeSave(*game, save::kVersionFirst), 20), 6u);
}

TEST(SaveFile, RefusesWhatItCannotVouchFor) {
    const struct {
        const char* name;
        std::function<void(std::vector<std::uint8_t>&)> damage;
        const char* reason;
    } cases[] = {
        {"empty", [](auto& f) { f.clear(); }, "not a saved game"},
        {"foreign", [](auto& f) { f[0] = 'X'; }, "not a saved game"},
        {"newer", [](auto& f) { f[8] = save::kSaveVersion + 1; }, "saved by a newer version"},
        {"version 0", [](auto& f) { f[8] = 0; }, "unknown version"},
        {"truncated", [](auto& f) { f.pop_back(); }, "truncated or too long"},
        {"flipped", [](auto& f) { f[40] ^= 1; }, "checksum mismatch"},
        {"trailing bytes",
         [](auto& f) {
             f.push_back(0);
             Reseal(f);
         },
         "damaged contents"},
        {"a length past the end",
         [](auto& f) {
             f[20] = 0xFF;
             Reseal(f);
         },
         "damaged contents"},
        {"music flag neither 0 nor 1",
         [](auto& f) {
             // The game state follows it: 1000 variables, 125 bytes of switches, an empty
             // music name, its flag and the battle rules; then no items, no gold, no members.
             constexpr std::size_t kMemoryBytes = 4000 + 125 + 4 + 1 + 4 + 4 + 4 + 4;
             f[f.size() - 1 - kMemoryBytes] = 2;
             Reseal(f);
         },
         "damaged contents"},
    };
    for (const auto& c : cases) {
        auto file = save::EncodeSave(SomeGame());
        c.damage(file);
        std::string why;
        EXPECT_FALSE(save::DecodeSave(file, &why)) << c.name;
        EXPECT_EQ(why, c.reason) << c.name;
    }
}

// A crafted save with a valid checksum: it decodes, and CheckGame refuses it before any field
// reaches the engine. (Negative `revealed` crashed the text box, `firstLine` INT_MAX overflowed.)
TEST(SaveFile, FieldsOutsideTheirRangesAreRefusedBehindAValidChecksum) {
    using Craft = std::function<void(save::Game&)>;
    const auto text = [](std::int32_t save::TextBox::*field, std::int32_t value) -> Craft {
        return [=](save::Game& g) {
            g.mode = save::Mode::TextBoxMode;
            g.text.text = "\\n\\e";
            g.text.*field = value;
        };
    };
    const struct {
        const char* name;
        Craft craft;
    } cases[] = {
        {"another game's save", [](auto& g) { g.gameIdentity = "other"; }},
        {"revealed far below 0", text(&save::TextBox::revealed, -2000000000)},
        {"revealed past the box", text(&save::TextBox::revealed, 512)},
        {"first line INT_MAX", text(&save::TextBox::firstLine, INT_MAX)},
        {"last part before the text", text(&save::TextBox::lastPartStart, -1)},
        {"scroll past a line", text(&save::TextBox::scrollOffset, 16)},
        {"lines to scroll below 0", text(&save::TextBox::linesToScroll, -1)},
        {"lines drawn below 0", text(&save::TextBox::linesDrawn, INT_MIN)},
        {"previous page lines past the box", text(&save::TextBox::previousPageLines, 257)},
        {"page drop neither 0 nor 1", text(&save::TextBox::pageDropPending, 2)},
        {"speed INT_MIN", text(&save::TextBox::speed, INT_MIN)},
        {"reveal timer INT_MAX", text(&save::TextBox::revealTimer, INT_MAX)},
        {"a zero byte in the text", [](auto& g) { g.text.text = std::string("a\0b", 3); }},
        {"global script past its end", [](auto& g) { g.global.position = 5; }},
        {"event script past its end", [](auto& g) { g.events[1].script.position = 1; }},
        {"animation script past its end", [](auto& g) { g.anims[11].script.position = 1; }},
        {"mover name too long", [](auto& g) { g.movers[0].name.assign(32, 'a'); }},
        {"map name too long", [](auto& g) { g.field.mapName.assign(64, 'a'); }},
        {"animation picture name too long",
         [](auto& g) { g.anims[0].pictureName.assign(256, 'a'); }},
        {"input timer INT_MAX", [](auto& g) { g.inputTimer = INT_MAX; }},
        {"camera at INT_MIN", [](auto& g) { g.field.camY = INT_MIN; }},
    };
    EXPECT_EQ(CheckGame(SomeGame(), "village-3f9a"), "");
    EXPECT_EQ(CheckGame(SomeGame(), ""), "") << "a game without an identity checks none";
    for (const auto& c : cases) {
        save::Game crafted = SomeGame();
        c.craft(crafted);
        const auto game = save::DecodeSave(save::EncodeSave(crafted));
        ASSERT_TRUE(game) << c.name;
        EXPECT_NE(CheckGame(*game, "village-3f9a"), "") << c.name;
    }
}

TEST(SaveStore, DirectoryWritesWholeFilesAndReportsFailures) {
    const testsupport::ScratchDirectory scratch("save-store-");
    const auto& base = scratch.path();
    save::DirectorySaveStore store(base / "made" / "on" / "demand");
    EXPECT_FALSE(store.Read(0));
    EXPECT_EQ(store.Write(3, {1, 2, 3}), "");
    EXPECT_EQ(store.Read(3), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_TRUE(std::filesystem::exists(base / "made/on/demand/slot4.sav"));
    // A directory where a file should be made: the failure is reported, nothing is lost.
    std::filesystem::create_directories(base / "blocked");
    std::ofstream(base / "blocked" / "file") << "x";
    save::DirectorySaveStore blocked(base / "blocked" / "file");
    EXPECT_NE(blocked.Write(0, {1}), "");
}

TEST(SaveStore, DefaultDirectoryFollowsXdgWithTheGamesNameAndAHash) {
    const auto underXdg = save::DefaultSaveDirectory("/tmp/a/game", "/xdg", "/home/u");
    EXPECT_EQ(underXdg.parent_path(), "/xdg/dunmere");
    const std::string name = underXdg.filename().string();
    EXPECT_EQ(name.substr(0, 5), "game-");
    EXPECT_EQ(name.find_first_not_of("0123456789abcdef", 5), std::string::npos);
    EXPECT_EQ(name.size(), 13u) << name;
    // A relative $XDG_DATA_HOME is ignored, as the base directory rules say.
    const auto underHome = save::DefaultSaveDirectory("/tmp/b/game", "relative", "/home/u");
    EXPECT_EQ(underHome.parent_path(), "/home/u/.local/share/dunmere");
    EXPECT_NE(underXdg.filename(), underHome.filename()) << "two games of one name keep apart";
}

TEST(GameIdentity, GameIdFileElseTheStartScriptsChecksum) {
    const testsupport::ScratchDirectory scratch("game-identity-");
    const auto& dir = scratch.path();
    std::filesystem::create_directories(dir / "ev");
    EXPECT_EQ(save::GameIdentity(dir), "") << "no game.id and no start script";
    std::ofstream(dir / "ev" / "START.sc", std::ios::binary) << "f12;";
    const std::string fromStart = save::GameIdentity(dir);
    EXPECT_EQ(fromStart.substr(0, 6), "start-");
    EXPECT_EQ(fromStart.size(), 14u);
    const struct {
        std::string file;
        std::string identity;
    } cases[] = {
        {"village-3f9a\n", "village-3f9a"},
        {"my game/1  \r\nsecond line", "my_game_1"},
        {std::string(64, 'a'), std::string(64, 'a')},
        {std::string(65, 'a'), fromStart},  // too long: not an identity
        {"\x83\x41", fromStart},            // not ASCII
        {"\n", fromStart},
    };
    for (const auto& c : cases) {
        std::ofstream(dir / "game.id", std::ios::binary | std::ios::trunc) << c.file;
        EXPECT_EQ(save::GameIdentity(dir), c.identity) << c.file;
    }
}

}  // namespace
