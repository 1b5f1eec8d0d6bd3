// Script contexts, their files, and the operand readers the runners use.
#include "engine/script/QDCR.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/script/Operands.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

using gamedir::Bytes;

TEST(QDCR, TheEndReadsAsAZeroByteAndResetKeepsTheVariables) {
    QDCR context;
    context.variables[3] = 7;
    context.SetString("NAME");
    context.Load(Bytes("#"));
    EXPECT_EQ(context.Next(), '#');
    EXPECT_EQ(context.Next(), 0);
    EXPECT_EQ(context.Position(), 1u);
    EXPECT_EQ(context.ByteAt(1000000), 0);
    context.SetPosition(99);
    EXPECT_EQ(context.Position(), 1u);
    context.Reset();
    EXPECT_EQ(context.Script(), std::vector<std::uint8_t>{0});
    EXPECT_EQ(context.variables[3], 7);
    EXPECT_EQ(context.String(), "NAME");
    context.SetString(std::string(300, 'x'));
    EXPECT_EQ(context.String(), std::string(255, 'x'));
    context.SetString(std::string("c\0d", 3));
    EXPECT_EQ(context.String(), "c");
}

TEST(Operands, IntegersAndStringsAsTheRunnersReadThem) {
    struct Case {
        const char* text;
        bool isString;
        std::optional<std::string> value;  // nothing: the script ends inside the operand
        std::size_t next;                  // the position after the operand
    };
    const Case cases[] = {
        {"3;x", false, "3", 2},
        {" -5;", false, "-5", 4},
        {"x7;", false, "0", 3},  // no number where the operand starts
        {"4294967301;", false, "2147483647", 11},
        {"-2147483649;", false, "-2147483648", 12},
        {"4", false, std::nullopt, 0},
        {"4!LOOP#", true, "LOOP", 6},
        {"3!a\n!#", true, "a\n!", 5},
        {"99!abc", true, "abc", 6},  // the length runs past the end: cut to what is there
        {"-3!abc", true, "", 3},
        {"12abc", true, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        const auto code = Bytes(c.text);
        std::size_t pos = 0;
        OperandBuffer buffer{};
        std::optional<std::string> value;
        if (c.isString) {
            if (const auto s = ReadStringOperand(code, pos, buffer)) value = std::string(s->text);
        } else if (const auto n = ReadIntOperand(code, pos)) {
            value = std::to_string(*n);
        }
        EXPECT_EQ(value, c.value) << c.text;
        if (value) {
            EXPECT_EQ(pos, c.next) << c.text;
        }
    }
}

TEST(QDCRFile, LoadsRawBytesKeepsTheVariablesAndKeepsTheOldScriptOnFailure) {
    EngineHarness h;
    QDCR context;
    h.WriteFile("a.sc", std::string("c\x00"
                                    "1;2;=\r\n\x1a",
                                    10));
    ASSERT_TRUE(context.LoadFile(h.gameDir / "a.sc"));
    EXPECT_EQ(context.Size(), 10u);  // no line-end or end-of-file translation
    context.SetPosition(5);
    context.variables[0] = 42;
    EXPECT_FALSE(context.LoadFile(h.gameDir / "missing.sc"));
    EXPECT_FALSE(context.LoadFile(h.gameDir));  // a directory opens on some systems
    EXPECT_EQ(context.Position(), 5u);
    ASSERT_TRUE(context.LoadFile(h.gameDir / "a.sc"));
    EXPECT_EQ(context.Position(), 0u);
    EXPECT_EQ(context.variables[0], 42);
    h.WriteFile("empty.sc", "");
    ASSERT_TRUE(context.LoadFile(h.gameDir / "empty.sc"));
    EXPECT_EQ(context.Next(), 0);
}

}  // namespace
