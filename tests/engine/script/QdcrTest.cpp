#include "engine/script/QDCR.h"

#include <gtest/gtest.h>

#include "engine/platform/headless/EngineHarness.h"

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

TEST(QDCR, ResetDropsTheScriptButNotTheVariables) {
    QDCR context;
    context.variables[3] = 7;
    context.SetString("NAME");
    context.Load(Bytes("#f\x01"));
    context.Next();
    context.Reset();
    EXPECT_EQ(context.Script(), std::vector<std::uint8_t>{0});
    EXPECT_EQ(context.Position(), 0u);
    EXPECT_EQ(context.variables[3], 7);
    EXPECT_EQ(context.String(), "NAME");
}

TEST(QDCR, TheEndOfTheScriptReadsAsAZeroByte) {
    QDCR context;
    context.Load({});
    EXPECT_TRUE(context.AtEnd());
    EXPECT_EQ(context.Next(), 0);
    EXPECT_EQ(context.Position(), 0u);

    context.Load(Bytes("#"));
    EXPECT_EQ(context.Next(), '#');
    EXPECT_EQ(context.Next(), 0);
    EXPECT_EQ(context.Next(), 0);
    EXPECT_EQ(context.Position(), 1u);
    EXPECT_EQ(context.ByteAt(1000000), 0);
    context.SetPosition(99);
    EXPECT_EQ(context.Position(), 1u);
}

TEST(QDCR, ReadsIntegerOperands) {
    QDCR context;
    context.Load(Bytes("3;-5; +12;x7;4"));
    EXPECT_EQ(context.ReadInt(), 3);
    EXPECT_EQ(context.ReadInt(), -5);
    EXPECT_EQ(context.ReadInt(), 12);
    EXPECT_EQ(context.ReadInt(), 0);  // no number where the operand starts
    // A last operand with no ';' leaves the position at the end, where the script stops.
    EXPECT_EQ(context.ReadInt(), 4);
    EXPECT_TRUE(context.AtEnd());

    context.Load(Bytes("4294967301;-2147483648;"));
    EXPECT_EQ(context.ReadInt(), 5);
    EXPECT_EQ(context.ReadInt(), INT32_MIN);
}

TEST(QDCR, ReadsStringOperandsWithinTheScript) {
    QDCR context;
    context.Load(Bytes("4!LOOP0!3!a\n!#"));
    EXPECT_EQ(context.ReadString(), "LOOP");
    EXPECT_EQ(context.ReadString(), "");
    EXPECT_EQ(context.ReadString(), "a\n!");
    EXPECT_EQ(context.Next(), '#');

    // Lengths that run past the end or are negative, and a missing '!', stay inside the script.
    context.Load(Bytes("99!abc"));
    EXPECT_EQ(context.ReadString(), "abc");
    EXPECT_TRUE(context.AtEnd());
    context.Load(Bytes("-3!abc"));
    EXPECT_EQ(context.ReadString(), "");
    EXPECT_EQ(context.Next(), 'a');
    context.Load(Bytes("12abc"));
    EXPECT_EQ(context.ReadString(), "");
    EXPECT_TRUE(context.AtEnd());
}

TEST(QDCR, StringRegisterHoldsAtMost255Bytes) {
    QDCR context;
    context.SetString(std::string(300, 'x'));
    EXPECT_EQ(context.String(), std::string(255, 'x'));
    EXPECT_EQ(context.stringRegister[255], '\0');
    context.SetString("ab");
    EXPECT_EQ(context.String(), "ab");
    context.SetString(std::string("c\0d", 3));
    EXPECT_EQ(context.String(), "c");
}

// Script files in a game directory of their own.
class QDCRFile : public ::testing::Test {
  protected:
    fs::path Write(const std::string& name, const std::string& bytes) {
        h.WriteFile(name, bytes);
        return h.gameDir / name;
    }
    EngineHarness h;
};

TEST_F(QDCRFile, LoadingTwiceRestartsAndKeepsTheVariables) {
    QDCR context;
    const fs::path path = Write("a.sc", std::string("c\x00"
                                                    "1;2;=\r\n\x1a",
                                                    10));
    ASSERT_TRUE(context.LoadFile(path));
    EXPECT_EQ(context.Size(), 10u);  // raw bytes: no line-end or end-of-file translation
    context.SetPosition(5);
    context.variables[0] = 42;
    ASSERT_TRUE(context.LoadFile(path));
    EXPECT_EQ(context.Position(), 0u);
    EXPECT_EQ(context.Size(), 10u);
    EXPECT_EQ(context.variables[0], 42);
}

TEST_F(QDCRFile, AnEmptyFileStopsAtOnce) {
    QDCR context;
    ASSERT_TRUE(context.LoadFile(Write("empty.sc", "")));
    EXPECT_EQ(context.Size(), 0u);
    EXPECT_EQ(context.Next(), 0);
}

TEST_F(QDCRFile, AnUnreadableFileKeepsTheOldScript) {
    QDCR context;
    context.Load(Bytes("#@A//"));
    context.SetPosition(2);
    EXPECT_FALSE(context.LoadFile(h.gameDir / "missing.sc"));
    EXPECT_FALSE(
        context.LoadFile(h.gameDir));  // a directory opens on some systems but cannot be read
    EXPECT_EQ(context.Size(), 5u);
    EXPECT_EQ(context.Position(), 2u);
}

TEST(QDCRRead, LoadsTheScriptNamedRelativeToTheGameDirectory) {
    EngineHarness h;
    h.WriteFile("ev\\chr\\guard.sc", std::string("c\x02"
                                                 "1;4!LOOP\0#",
                                                 11));
    QDCR context;
    context.variables[5] = -9;
    context.SetString("kept");
    ASSERT_TRUE(context.READ(h.engine, "ev\\chr\\guard"));
    EXPECT_EQ(context.Size(), 11u);
    EXPECT_EQ(context.Position(), 0u);
    EXPECT_EQ(context.variables[5], -9);
    EXPECT_EQ(context.String(), "kept");
    EXPECT_TRUE(h.Trace().empty());
}

TEST(QDCRRead, AMissingScriptShowsTwoBoxesAndChangesNothing) {
    EngineHarness h;
    QDCR context;
    context.Load(Bytes("#@NRM//"));
    context.SetPosition(3);
    EXPECT_FALSE(context.READ(h.engine, "ev\\NOPE"));
    ASSERT_EQ(h.Trace().size(), 2u);
    EXPECT_NE(h.Trace()[0].find("box エラー発生|e]QDCR::READ"), std::string::npos) << h.Trace()[0];
    // The second box names the full path: the game directory, the name and ".sc".
    EXPECT_NE(h.Trace()[1].find("ev\\\\NOPE.sc"), std::string::npos) << h.Trace()[1];
    EXPECT_EQ(context.Size(), 7u);
    EXPECT_EQ(context.Position(), 3u);
}

}  // namespace
