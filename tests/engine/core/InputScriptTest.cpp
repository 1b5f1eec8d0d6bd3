#include <gtest/gtest.h>

#include "engine/platform/InputScript.h"

namespace {

TEST(InputScriptTest, KeysHoldFromTheirFrameUntilTheNextLine) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(script.Parse("# a comment\n\n3 up  shift # trailing\n5\n7 f12 ctrl\n", error));
    EXPECT_EQ(script.KeysAt(1), 0);
    EXPECT_EQ(script.KeysAt(3), KeyBit(Key::Up) | KeyBit(Key::Shift));
    EXPECT_EQ(script.KeysAt(4), KeyBit(Key::Up) | KeyBit(Key::Shift));
    EXPECT_EQ(script.KeysAt(5), 0);
    EXPECT_EQ(script.KeysAt(100), kF12Bit | KeyBit(Key::Ctrl));
}

TEST(InputScriptTest, RejectsBadLinesNamingThem) {
    InputScript script;
    std::string error;
    EXPECT_FALSE(script.Parse("2 up\n2 down\n", error));
    EXPECT_EQ(error, "line 2: frames must increase");
    EXPECT_FALSE(script.Parse("x up\n", error));
    EXPECT_FALSE(script.Parse("0 up\n", error));
    EXPECT_FALSE(script.Parse("1 UP\n", error));
    EXPECT_EQ(error, "line 1: unknown key 'UP'");
}

}  // namespace
