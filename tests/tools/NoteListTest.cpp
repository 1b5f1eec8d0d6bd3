#include <gtest/gtest.h>

#include "tools/midi/NoteList.h"

namespace {

std::vector<std::uint8_t> midiOk(const std::string& text) {
    std::vector<std::uint8_t> out;
    EXPECT_EQ(tools::makeMidi(text, out), "");
    return out;
}

// The bytes of the n-th track chunk (0 is the tempo track), without its header.
std::vector<std::uint8_t> trackBody(const std::vector<std::uint8_t>& m, int n) {
    std::size_t at = 14;
    for (int i = 0;; ++i) {
        std::uint32_t len = (m[at + 4] << 24) | (m[at + 5] << 16) | (m[at + 6] << 8) | m[at + 7];
        if (i == n) return {m.begin() + at + 8, m.begin() + at + 8 + len};
        at += 8 + len;
    }
}

TEST(NoteList, HeaderCountsTheTempoTrackAndTicks) {
    auto m = midiOk("tempo 100\ntrack 0\nc4/4\ntrack 1\nr/4\n");
    ASSERT_GE(m.size(), 14u);
    EXPECT_EQ(std::string(m.begin(), m.begin() + 4), "MThd");
    EXPECT_EQ(m[9], 1);   // format 1
    EXPECT_EQ(m[11], 3);  // tempo track + two
    EXPECT_EQ(m[13], 96);
    // 60000000 / 100 = 600000 microseconds per quarter = 0x0927C0.
    auto tempo = trackBody(m, 0);
    EXPECT_EQ(tempo[4], 0x09);
    EXPECT_EQ(tempo[5], 0x27);
    EXPECT_EQ(tempo[6], 0xC0);
}

TEST(NoteList, NotesChordsRestsAndDottedLengths) {
    auto m = midiOk("track 2 program 5\nv100 c4+e4/4 r/8 f#3/8.\n");
    auto body = trackBody(m, 1);
    const std::vector<std::uint8_t> expected = {
        0,  0xC2, 5,                                 // program change
        0,  0x92, 60,   100,                         // c4 and e4 start together
        0,  0x92, 64,   100, 92,     0x82, 60, 64,   // released 4 ticks before the quarter ends
        0,  0x82, 64,   64,  4 + 48, 0x92, 54, 100,  // f#3 after an eighth rest
        68, 0x82, 54,   64,                          // dotted eighth = 72 ticks, released at 68
        4,  0xFF, 0x2F, 0,
    };
    EXPECT_EQ(body, expected);
}

TEST(NoteList, RepeatAndLongDeltasUseVariableLength) {
    auto m = midiOk("track 0\nrepeat 3: r/1\nn36/16\n");
    auto body = trackBody(m, 1);
    // Three whole-note rests = 1152 ticks = 0x480, written as 0x89 0x00.
    EXPECT_EQ(body[0], 0x89);
    EXPECT_EQ(body[1], 0x00);
    EXPECT_EQ(body[3], 36);
}

TEST(NoteList, ReportsBadInputWithItsLine) {
    std::vector<std::uint8_t> out;
    EXPECT_NE(tools::makeMidi("c4/4\n", out).find("line 1"), std::string::npos);
    EXPECT_NE(tools::makeMidi("track 0\nh4/4\n", out).find("line 2"), std::string::npos);
    EXPECT_NE(tools::makeMidi("track 0\nc4/5\n", out), "");
    EXPECT_NE(tools::makeMidi("track 0\nc4\n", out), "");
    EXPECT_NE(tools::makeMidi("track 16\n", out), "");
    EXPECT_NE(tools::makeMidi("track 0\na9/4\n", out), "");  // key 129
    EXPECT_NE(tools::makeMidi("", out), "");
}

}  // namespace
