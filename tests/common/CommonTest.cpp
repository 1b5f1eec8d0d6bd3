#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <vector>

#include "common/AtomicFile.h"
#include "common/LittleEndian.h"
#include "common/Random.h"
#include "common/ShiftJis.h"
#include "common/TemporaryDirectory.h"
#include "common/WholeFile.h"

namespace fs = std::filesystem;

namespace {

TEST(Random, FollowsTheLinearCongruentialSequenceFromItsSeed) {
    kit::Random r(1);
    for (int draw : {41, 18467, 6334, 26500}) EXPECT_EQ(r.next(), draw);
}

TEST(ShiftJis, ConvertsCodePage932BothWaysAndRefusesWhatItCannotHold) {
    // NEC row 13 (①) exists only in CP932; half-width ｱ is one byte.
    for (auto [utf8, sjis] : {std::pair{"アレン abc", "\x83\x41\x83\x8C\x83\x93 abc"},
                              std::pair{"①ｱ～", "\x87\x40\xB1\x81\x60"}}) {
        EXPECT_EQ(kit::utf8ToSjis(utf8).value_or("?"), sjis);
        EXPECT_EQ(kit::sjisToUtf8(sjis).value_or("?"), utf8);
    }
    std::size_t bad = 99;
    EXPECT_FALSE(kit::utf8ToSjis("ab😀c", &bad));
    EXPECT_EQ(bad, 2u);
    EXPECT_FALSE(kit::utf8ToSjis("\xFF"));
    EXPECT_FALSE(kit::sjisToUtf8("\x83"));  // a lead byte without its trail
    EXPECT_EQ(kit::sjisToUtf8Lossy("\x83\x41z\x83"), "アz\xEF\xBF\xBD");
}

TEST(LittleEndian, ReadsAndWritesBothWidths) {
    std::vector<std::uint8_t> b;
    kit::appendU16LE(b, 0xBEEF);
    kit::appendI32LE(b, -2);
    EXPECT_EQ(b, (std::vector<std::uint8_t>{0xEF, 0xBE, 0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(kit::readI16LE(b, 0), static_cast<std::int16_t>(0xBEEF));
    EXPECT_EQ(kit::readI32LE(b, 2), -2);
    EXPECT_EQ(kit::readU32LE(b, 2), 0xFFFFFFFEu);
}

TEST(Files, AreWrittenWholeOrLeftAsTheyWereAndReadWholeOrNotAtAll) {
    const auto made = kit::makeTemporaryDirectory("kit-common-files-");
    ASSERT_TRUE(made);
    const fs::path dir = *made;
    const auto other = kit::makeTemporaryDirectory("kit-common-files-");
    EXPECT_TRUE(other && *other != dir) << "each call makes a new directory";
    if (other) fs::remove(*other);
    fs::create_directories(dir / "target" / "inner");
    std::string content;  // more than one read block, every byte value
    for (int i = 0; i < 200000; ++i) content.push_back(static_cast<char>(i * 7));
    EXPECT_EQ(kit::writeFileAtomically(dir / "f", std::string_view(content)), "");
    EXPECT_EQ(kit::readWholeFile(dir / "f").value(),
              std::vector<std::uint8_t>(content.begin(), content.end()));
    EXPECT_EQ(kit::writeFileAtomically(dir / "f", std::string_view()), "");
    EXPECT_TRUE(kit::readWholeFile(dir / "f").value().empty());
    // A directory in the way or missing: nothing changes and no temporary file stays behind.
    EXPECT_NE(kit::writeFileAtomically(dir / "target", std::string_view("x")), "");
    EXPECT_NE(kit::writeFileAtomically(dir / "no-dir" / "x", std::string_view("x")), "");
    EXPECT_TRUE(fs::is_directory(dir / "target" / "inner"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 2);
    EXPECT_FALSE(kit::readWholeFile(dir / "missing"));
    EXPECT_FALSE(kit::readWholeFile(dir));  // a directory opens but cannot be read
    fs::remove_all(dir);
}

}  // namespace
