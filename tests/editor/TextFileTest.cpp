#include "editor/TextFile.h"

#include <gtest/gtest.h>

#include "common/ShiftJis.h"

namespace {

using pocora::LineBreaks;
using pocora::OpenedText;

TEST(TextFile, DecodesShiftJisAndNotesTheLineBreaks) {
    const std::string sjis = kit::utf8ToSjis("あ\r\nｱ\r\n").value();
    OpenedText text = pocora::decodeText(sjis);
    ASSERT_EQ(text.status, OpenedText::Status::Ok);
    EXPECT_EQ(text.utf8, "あ\nｱ\n");
    EXPECT_EQ(text.lineBreaks, LineBreaks::CrLf);
    EXPECT_EQ(pocora::sjisByteCount(text.utf8, text.lineBreaks), sjis.size());

    text = pocora::decodeText("a\nb");
    EXPECT_EQ(text.lineBreaks, LineBreaks::Lf);
    EXPECT_EQ(text.utf8, "a\nb");
}

TEST(TextFile, TheTextEndsAtTheFirstZeroByte) {
    // Old files written over longer ones carry leftovers behind their zero byte.
    OpenedText text = pocora::decodeText(std::string("new\0older text", 14));
    ASSERT_EQ(text.status, OpenedText::Status::Ok);
    EXPECT_EQ(text.utf8, "new");
}

TEST(TextFile, EncodingNamesTheFirstCharacterShiftJisCannotHold) {
    auto encoded = pocora::encodeText("ok\nあé😀", LineBreaks::CrLf);
    EXPECT_FALSE(encoded.sjis);
    EXPECT_EQ(encoded.badCharacter, "é");
    EXPECT_EQ(encoded.badLine, 2);
    EXPECT_EQ(encoded.badColumn, 2);

    encoded = pocora::encodeText("a\nあ", LineBreaks::Lf);
    ASSERT_TRUE(encoded.sjis);
    EXPECT_EQ(*encoded.sjis, "a\n\x82\xa0");
}

TEST(TextFile, ByteCountNeverUnderestimates) {
    // Characters that cannot be saved count as two bytes; they are refused when saving anyway.
    EXPECT_EQ(pocora::sjisByteCount("aｱあ\n", LineBreaks::CrLf), 1u + 1u + 2u + 2u);
    EXPECT_EQ(pocora::sjisByteCount("😀", LineBreaks::Lf), 2u);
}

}  // namespace
