// The message window: typing speed, line breaks, scrolling, pages, and its 512-byte limit.
#include <gtest/gtest.h>

#include "engine/core/ShadeTable.h"
#include "engine/field/TextBox.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

using gamedir::Sjis;

struct TextBoxTest : ::testing::Test {
    EngineHarness h;
    TextBox& box = h.engine.Text;
    void SetUp() override { h.engine.FrameMs = 16; }
    void Update(int times = 1) {
        for (int i = 0; i < times; ++i) box.Update(h.engine);
    }
    // Updates until the whole text is revealed and nothing scrolls; returns the updates used.
    int UpdateUntilSettled(int limit = 500) {
        int n = 0;
        while (n < limit && (box.revealed < box.Length() || box.linesToScroll != 0)) {
            Update();
            ++n;
        }
        return n;
    }
};

TEST_F(TextBoxTest, TenDoubleByteCharactersTakeElevenUpdatesToReadAndSlowSpeedsWait) {
    box.Start(Sjis("あいうえおかきくけこ"));
    EXPECT_EQ(box.Length(), 24);
    Update(10);
    EXPECT_LT(box.revealed, box.Length() - 2);
    Update();
    EXPECT_EQ(box.revealed, 22);  // all but the closing "\e": a waiting script may go on
    Update();
    EXPECT_EQ(box.revealed, 24);
    box.speed = 8;  // one byte every 120 ms
    box.Start("abc");
    h.engine.FrameMs = 100;
    std::vector<std::int32_t> revealed;
    for (int i = 0; i < 3; ++i) {
        Update();
        revealed.push_back(box.revealed);
    }
    EXPECT_EQ(revealed, (std::vector<std::int32_t>{0, 1, 1}));
}

TEST_F(TextBoxTest, FourthLineScrollsUpInSevenFramesThenTheSecondLineIsOnTop) {
    box.Start("L1\\nL2\\nL3\\nL4");
    int updates = 0;
    while (box.linesToScroll == 0 && updates < 100) {
        Update();
        ++updates;
    }
    ASSERT_EQ(box.linesToScroll, 1);
    const std::int32_t revealed = box.revealed;
    std::vector<std::int32_t> offsets;
    for (int frame = 0; frame < 7; ++frame) {
        Update();
        offsets.push_back(box.scrollOffset);
        EXPECT_EQ(box.revealed, revealed);  // typing pauses while the box scrolls
    }
    EXPECT_EQ(offsets, (std::vector<std::int32_t>{2, 4, 6, 8, 10, 12, 14}));
    EXPECT_EQ(box.firstLine, 0);
    Update();
    EXPECT_EQ(box.firstLine, 1);
    EXPECT_EQ(box.scrollOffset, 0);
    EXPECT_EQ(box.linesToScroll, 0);
}

TEST_F(TextBoxTest, AppendedPageWaitsBelowThenPushesTheOldPageOut) {
    box.Start("AB");
    UpdateUntilSettled();
    EXPECT_EQ(box.linesDrawn, 1);
    box.Append("CD");
    EXPECT_EQ(box.previousPageLines, 1);
    EXPECT_EQ(box.Text(), "AB\\n\\eCD\\n\\e");
    // While the new page is typed, the old one stays on top.
    Update(2);
    EXPECT_EQ(box.firstLine, 0);
    EXPECT_EQ(box.Text().substr(0, 2), "AB");
    UpdateUntilSettled();
    EXPECT_EQ(box.Text(), "CD\\n\\e");
    EXPECT_EQ(box.firstLine, 0);
    EXPECT_EQ(box.revealed, box.Length());
    EXPECT_EQ(box.pageDropPending, 0);
}

TEST_F(TextBoxTest, PageAppendedAfterTheBoxScrolledPastItStillEnds) {
    box.Start("A");
    UpdateUntilSettled();
    box.Append("B\\nC\\nD\\nE\\nF");
    const int updates = UpdateUntilSettled();
    EXPECT_LT(updates, 500);
    EXPECT_EQ(box.linesToScroll, 0);
    EXPECT_EQ(box.Text().substr(0, 1), "B");
}

TEST_F(TextBoxTest, OddLengthTextStillSeesItsMarks) {
    // At 2 bytes a step the reveal would jump over a mark at an odd place; it stops on it.
    box.Start("abc\\nde\\nfg\\nhi");
    UpdateUntilSettled();
    EXPECT_EQ(box.firstLine, 1);
}

TEST_F(TextBoxTest, TextsBeyondTheBufferAreCutAtACharacter) {
    const std::string kana = Sjis("あ");
    std::string page;
    for (int i = 0; i < 127; ++i) page += kana;  // 254 bytes
    box.Start(page);
    box.Append(page);
    EXPECT_EQ(box.Length(), 258 + 248 + 4);
    box.Append(page);  // no room left for even one character and the closing marks
    const std::string_view text = box.Text();
    EXPECT_LE(text.size(), 511u);
    EXPECT_EQ(text.substr(text.size() - 4), "\\n\\e");
    box.Start(page + page);  // longer than the box: cut between two characters
    EXPECT_EQ(box.Length() % 2, 0);
    EXPECT_EQ(box.Text().substr(box.Text().size() - 4), "\\n\\e");
}

TEST_F(TextBoxTest, PanelIsABlueGradientOverTheScene) {
    CDib& screen = h.engine.Screen;
    for (int y = 340; y < 420; ++y)
        for (int x = 0; x < 240; ++x) screen.At(x, y) = 0x7FFF;
    box.Start("");
    Update();
    auto expected = [](std::uint16_t blue) {
        return static_cast<std::uint16_t>(ShadeOf(12, 0x7FFF) + ShadeOf(20, blue));
    };
    EXPECT_EQ(screen.At(100, 349), expected(31));
    EXPECT_EQ(screen.At(100, 351), expected(30));
    EXPECT_EQ(screen.At(100, 402), expected(13));
    EXPECT_EQ(screen.At(23, 380), 0x1084);  // the bevel's innermost outline, 0x202020
    EXPECT_EQ(screen.At(19, 380), 0x7FFF);  // outside the bevel the scene is untouched
    EXPECT_EQ(screen.At(100, 407), 0x7FFF);
}

}  // namespace
