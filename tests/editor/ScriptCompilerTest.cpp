#include "editor/ScriptCompiler.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using pocora::ScriptCompileError;
using pocora::ScriptCompiler;

std::string compiled(std::string_view source) {
    auto result = ScriptCompiler::compile(source);
    EXPECT_TRUE(result.ok()) << source;
    return result.bytes;
}

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

TEST(ScriptCompiler, TranslatesTheDocumentedExamples) {
    EXPECT_EQ(compiled("c0;3;5;="), bytes({'c', 0x00}) + "3;5;=");
    EXPECT_EQ(compiled("c1;3;>4;"), bytes({'c', 0x01}) + "3;>4;");
    EXPECT_EQ(compiled("c2;1;$LOOP//"), bytes({'c', 0x02}) + "1;4!LOOP");
    EXPECT_EQ(compiled("c4;=$ev\\hero//"), bytes({'c', 0x04}) + "=7!ev\\hero");
    EXPECT_EQ(compiled("#f18;"), bytes({'#', 'f', 0x12}));
    EXPECT_EQ(compiled("c-4;"), bytes({'c', 0xFC}));
    EXPECT_EQ(compiled("@NRM//"), "@NRM//");
    EXPECT_EQ(compiled("* a remark c0; $x//\n"), "");
}

TEST(ScriptCompiler, NumbersKeepTheirLowByte) {
    EXPECT_EQ(compiled("c-1;"), bytes({'c', 0xFF}));
    EXPECT_EQ(compiled("c255;"), bytes({'c', 0xFF}));
    EXPECT_EQ(compiled("c256;"), bytes({'c', 0x00}));
    EXPECT_EQ(compiled("c-128;w127;"), bytes({'c', 0x80, 'w', 0x7F}));
    // Far beyond 32 bits the low byte is still the number's own (10^20 and 2^32 + 1).
    EXPECT_EQ(compiled("f100000000000000000000;"), bytes({'f', 0x00}));
    EXPECT_EQ(compiled("f4294967297;"), bytes({'f', 0x01}));
}

TEST(ScriptCompiler, NumbersAreSkippedExactlyAsWritten) {
    const std::string expected = bytes({'c', 0x05, '1', ';'});
    EXPECT_EQ(compiled("c5;1;"), expected);
    EXPECT_EQ(compiled("c+5;1;"), expected);
    EXPECT_EQ(compiled("c05;1;"), expected);
    EXPECT_EQ(compiled("c  5;1;"), expected);
    EXPECT_EQ(compiled("c\t-0;1;"), bytes({'c', 0x00, '1', ';'}));
}

TEST(ScriptCompiler, TheCharacterAfterTheNumberIsPassedOver) {
    // The ';' is not checked: whatever follows the number is dropped, as the format has always
    // done.
    EXPECT_EQ(compiled("f3:c1;"), bytes({'f', 0x03, 'c', 0x01}));
    // A number at the very end of the text ends it.
    EXPECT_EQ(compiled("e2"), bytes({'e', 0x02}));
}

TEST(ScriptCompiler, LineBreaksVanishOutsideStringsAndStayInside) {
    EXPECT_EQ(compiled("c0;1;2;=\r\n#\n@A//\r\n"), bytes({'c', 0}) + "1;2;=#@A//");
    EXPECT_EQ(compiled("c2;0;$one\r\ntwo//"), bytes({'c', 2}) + "0;8!one\r\ntwo");
}

TEST(ScriptCompiler, StringLiteralsAreCopiedVerbatim) {
    EXPECT_EQ(compiled("$//"), "0!");
    // Lowercase letters, '*', '$' and Shift-JIS bytes inside a string are not translated.
    EXPECT_EQ(compiled("$abc*$//"), "5!abc*$");
    const std::string sjis = "\x82\xa0\x83\x61";  // two characters whose second bytes are 'a'-like
    EXPECT_EQ(compiled("$" + sjis + "//"), "4!" + sjis);
    // The first "//" closes the string; a later one is ordinary text.
    EXPECT_EQ(compiled("$a//B//"), "1!aB//");
    // A remark may hold '$' without a closing "//".
    EXPECT_EQ(compiled("* costs $5\nc0;"), bytes({'c', 0}));
}

TEST(ScriptCompiler, TheTextEndsAtItsFirstZeroByteOrAtARemarkWithoutLineFeed) {
    EXPECT_EQ(compiled(""), "");
    EXPECT_EQ(compiled("\r\n\n* only a remark\n"), "");
    EXPECT_EQ(compiled(std::string("#@X//\0c5;", 9)), "#@X//");
    EXPECT_EQ(compiled("#* last line"), "#");
}

TEST(ScriptCompiler, UnclosedStringIsAnErrorNamingItsLine) {
    auto result = ScriptCompiler::compile("c0;1;2;=\n\nc2;0;$LOOP/\n#\n");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->kind, ScriptCompileError::Kind::UnclosedString);
    EXPECT_EQ(result.error->line, 3);
    EXPECT_TRUE(result.bytes.empty());
    EXPECT_EQ(pocora::describeCompileError(*result.error).rfind("line 3: ", 0), 0u);
}

TEST(ScriptCompiler, LetterWithoutNumberIsAnErrorNamingItsLine) {
    for (std::string_view source : {"#\nhello", "#\nc;", "#\nc-;", "#\nc", "#\nc +;"}) {
        auto result = ScriptCompiler::compile(source);
        ASSERT_FALSE(result.ok()) << source;
        EXPECT_EQ(result.error->kind, ScriptCompileError::Kind::MissingNumber) << source;
        EXPECT_EQ(result.error->line, 2) << source;
    }
}

TEST(ScriptCompiler, LinesAreCountedAcrossStringsAndBlanksBeforeNumbers) {
    // Line feeds inside a string and between a letter and its number still count.
    auto result = ScriptCompiler::compile("$a\nb//c\n1;\n\nx");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->line, 5);
}

}  // namespace
