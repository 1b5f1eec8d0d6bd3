#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/AtomicFile.h"
#include "common/LittleEndian.h"
#include "common/Random.h"
#include "common/ShiftJis.h"
#include "common/WholeFile.h"

namespace {

TEST(Random, FollowsTheLinearCongruentialSequence) {
    // The well-known first draws of this generator from seed 1.
    kit::Random r(1);
    EXPECT_EQ(r.next(), 41);
    EXPECT_EQ(r.next(), 18467);
    EXPECT_EQ(r.next(), 6334);
    EXPECT_EQ(r.next(), 26500);
    r.seed(1);
    EXPECT_EQ(r.next(), 41);
}

TEST(Random, StaysInRangeAndWrapsTheState) {
    kit::Random r(0xFFFFFFFFu);
    for (int i = 0; i < 100000; ++i) {
        int v = r.next();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, kit::Random::kMax);
    }
}

TEST(ShiftJis, RoundTripsKanaAndAscii) {
    const std::string sjis = "\x83\x41\x83\x8C\x83\x93 abc";  // アレン abc
    auto utf8 = kit::sjisToUtf8(sjis);
    ASSERT_TRUE(utf8);
    EXPECT_EQ(*utf8, "アレン abc");
    auto back = kit::utf8ToSjis(*utf8);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, sjis);
}

TEST(ShiftJis, CodePage932ExtensionsAndHalfWidthKana) {
    // NEC row 13 (①) and IBM extensions exist only in CP932; ｱ is one byte.
    auto sjis = kit::utf8ToSjis("①ｱ～");
    ASSERT_TRUE(sjis);
    EXPECT_EQ(*sjis, "\x87\x40\xB1\x81\x60");
}

TEST(ShiftJis, RefusesWhatItCannotEncodeAndNamesWhere) {
    std::size_t bad = 99;
    EXPECT_FALSE(kit::utf8ToSjis("ab😀c", &bad));
    EXPECT_EQ(bad, 2u);
    EXPECT_FALSE(kit::utf8ToSjis("\xFF"));
}

TEST(ShiftJis, RefusesBrokenShiftJisButLossyShowsEveryCharacter) {
    EXPECT_FALSE(kit::sjisToUtf8("\x83"));  // lead byte without its trail
    EXPECT_EQ(kit::sjisToUtf8Lossy("a\x83"), "a\xEF\xBF\xBD");
    EXPECT_EQ(kit::sjisToUtf8Lossy("\x83\x41z"), "アz");
}

TEST(ShiftJis, LeadBytes) {
    EXPECT_TRUE(kit::isSjisLeadByte(0x81));
    EXPECT_TRUE(kit::isSjisLeadByte(0x9F));
    EXPECT_TRUE(kit::isSjisLeadByte(0xE0));
    EXPECT_FALSE(kit::isSjisLeadByte(0xA0));
    EXPECT_FALSE(kit::isSjisLeadByte(0xB1));  // half-width kana stand alone
    EXPECT_FALSE(kit::isSjisLeadByte('A'));
}

TEST(LittleEndian, ReadsAndWritesBothWidths) {
    std::vector<std::uint8_t> b;
    kit::appendU16LE(b, 0xBEEF);
    kit::appendI32LE(b, -2);
    ASSERT_EQ(b.size(), 6u);
    EXPECT_EQ(b[0], 0xEF);
    EXPECT_EQ(kit::readU16LE(b, 0), 0xBEEF);
    EXPECT_EQ(kit::readI16LE(b, 0), static_cast<std::int16_t>(0xBEEF));
    EXPECT_EQ(kit::readI32LE(b, 2), -2);
    EXPECT_EQ(kit::readU32LE(b, 2), 0xFFFFFFFEu);
}

std::string slurp(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

TEST(AtomicFile, ReplacesWholeContentAndLeavesNoTemporaries) {
    auto dir = std::filesystem::temp_directory_path() / "kit-atomic-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    auto file = dir / "out.bin";
    EXPECT_EQ(kit::writeFileAtomically(file, std::string_view("a much longer first content")), "");
    EXPECT_EQ(kit::writeFileAtomically(file, std::string_view("short")), "");
    EXPECT_EQ(slurp(file), "short");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    std::filesystem::remove_all(dir);
}

TEST(AtomicFile, FailureKeepsTheOldFile) {
    auto missingDir = std::filesystem::temp_directory_path() / "kit-no-such-dir" / "x.bin";
    EXPECT_NE(kit::writeFileAtomically(missingDir, std::string_view("x")), "");
    // A directory in the way of the target: the rename fails and nothing else changes.
    auto dir = std::filesystem::temp_directory_path() / "kit-atomic-dir";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "target" / "inner");
    EXPECT_NE(kit::writeFileAtomically(dir / "target", std::string_view("x")), "");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "target" / "inner"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    std::filesystem::remove_all(dir);
}

TEST(WholeFile, ReadsEveryByteOrNothing) {
    auto dir = std::filesystem::temp_directory_path() / "kit-whole-file-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    // More than one read block, with every byte value.
    std::string content;
    for (int i = 0; i < 200000; ++i) content.push_back(static_cast<char>(i * 7));
    ASSERT_EQ(kit::writeFileAtomically(dir / "big.bin", std::string_view(content)), "");
    const auto bytes = kit::ReadWholeFile(dir / "big.bin");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), content);
    ASSERT_EQ(kit::writeFileAtomically(dir / "empty.bin", std::string_view()), "");
    EXPECT_TRUE(kit::ReadWholeFile(dir / "empty.bin").value().empty());
    EXPECT_FALSE(kit::ReadWholeFile(dir / "missing.bin"));
    EXPECT_FALSE(kit::ReadWholeFile(dir));  // a directory opens but cannot be read
    std::filesystem::remove_all(dir);
}

}  // namespace
