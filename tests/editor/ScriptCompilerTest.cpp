#include "editor/ScriptCompiler.h"

#include <gtest/gtest.h>

#include <string>

#include "ReadableBytes.h"

namespace {

using pocora::ScriptCompileError;
using pocora::ScriptCompiler;
using Kind = ScriptCompileError::Kind;

TEST(ScriptCompiler, TranslatesEachItemToItsBytes) {
    const struct {
        std::string_view source, bytes;
    } cases[] = {
        // The documented examples.
        {"c0;3;5;=", "c<00>3;5;="},
        {"c1;3;>4;", "c<01>3;>4;"},
        {"c2;1;$LOOP//", "c<02>1;4!LOOP"},
        {"c4;=$ev\\hero//", "c<04>=7!ev\\hero"},
        {"#f18;", "#f<12>"},
        {"c-4;", "c<FC>"},
        {"@NRM//", "@NRM//"},
        {"* a remark c0; $x//\n", ""},
        // Numbers keep their low byte, however long they are (10^20, 2^32 + 1).
        {"c-1;c255;c256;c-128;w127;", "c<FF>c<FF>c<00>c<80>w<7F>"},
        {"f100000000000000000000;f4294967297;", "f<00>f<01>"},
        // Numbers are skipped as written: sign, leading zeros, blanks before them.
        {"c+5;1;c05;1;c  5;1;c\t-0;1;", "c<05>1;c<05>1;c<05>1;c<00>1;"},
        // The character after the number is passed over whatever it is; at the end there is none.
        {"f3:c1;e2", "f<03>c<01>e<02>"},
        // Line breaks vanish outside strings and stay inside them, counted.
        {"c0;1;2;=\r\n#\n@A//\r\n", "c<00>1;2;=#@A//"},
        {"c2;0;$one\r\ntwo//", "c<02>0;8!one\r\ntwo"},
        // Strings are copied verbatim up to the first "//", Shift-JIS whose second bytes look like
        // letters included; a remark may hold a lone '$'.
        {"$//$abc*$//", "0!5!abc*$"},
        {"$<82><A0><83><61>//", "4!<82><A0><83><61>"},
        {"$a//B//* costs $5\nc0;", "1!aB//c<00>"},
        // The text ends at its first zero byte, or at a remark without a line feed.
        {"", ""},
        {"\r\n\n* only a remark\n", ""},
        {"#@X//<00>c5;", "#@X//"},
        {"#* last line", "#"},
    };
    for (const auto& c : cases) {
        const auto result = ScriptCompiler::compile(bytes(c.source));
        EXPECT_TRUE(result.ok()) << c.source;
        EXPECT_EQ(result.bytes, bytes(c.bytes)) << c.source;
    }
}

// The editor's outline: labels as the translation meets them, never inside a string, a comment
// or an instruction's number, and those before an error too.
TEST(ScriptCompiler, FindsTheLabelsItCopies) {
    const auto result = ScriptCompiler::compile(
        "@NRM//#c4;=$@NOT// *@NOR//\n"
        "c2;1;$NRM//\n\n  @PLC0// @L-1// @//c0;\n@_9//@END//$open");
    ASSERT_FALSE(result.ok());
    std::string found;
    for (const auto& label : result.labels)
        found += label.name + ":" + std::to_string(label.line) + " ";
    EXPECT_EQ(found, "NRM:1 PLC0:4 _9:5 END:5 ");
}

TEST(ScriptCompiler, ErrorsNameTheirLineAndReturnNoBytes) {
    // Line feeds inside a string and between a letter and its number count too.
    const std::pair<std::string_view, int> missingNumbers[] = {
        {"#\nhello", 2}, {"#\nc;", 2},   {"#\nc-;", 2},
        {"#\nc", 2},     {"#\nc +;", 2}, {"$a\nb//c\n1;\n\nx", 5}};
    for (auto [source, line] : missingNumbers) {
        const auto result = ScriptCompiler::compile(source);
        ASSERT_FALSE(result.ok()) << source;
        EXPECT_EQ(result.error->kind, Kind::MissingNumber) << source;
        EXPECT_EQ(result.error->line, line) << source;
        EXPECT_TRUE(result.bytes.empty());
    }
    const auto unclosed = ScriptCompiler::compile("c0;1;2;=\n\nc2;0;$LOOP/\n#\n");
    ASSERT_FALSE(unclosed.ok());
    EXPECT_EQ(unclosed.error->kind, Kind::UnclosedString);
    EXPECT_EQ(pocora::describeCompileError(*unclosed.error).rfind("line 3: ", 0), 0u);
}

}  // namespace
