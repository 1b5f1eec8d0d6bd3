#include "editor/TextFile.h"

#include <gtest/gtest.h>

namespace {

using pocora::OpenedText;
using pocora::TextEncoding;
using Status = OpenedText::Status;

// Opening and saving the common cases is checked through the window (PocoraWindowTest).
TEST(TextFile, DecodingFindsTheEncodingAndRefusesWhatDoesNotDecode) {
    const std::string bom = "\xEF\xBB\xBF";
    const struct {
        std::string bytes;
        Status status;
        TextEncoding encoding;
        std::string utf8;
        std::size_t badOffset;
    } cases[] = {
        // Old files written over longer ones carry leftovers behind their zero byte.
        {std::string("new\0older text", 14), Status::Ok, TextEncoding::ShiftJis, "new", 0},
        // "あい" in UTF-8 is also valid Shift-JIS ("縺ゅ＞"), yet it is read as UTF-8.
        {"あい\n", Status::Ok, TextEncoding::Utf8, "あい\n", 0},
        {bom + "#\r\n😀", Status::Ok, TextEncoding::Utf8WithBom, "#\n😀", 0},
        {bom + "ab\x82\xa0", Status::Undecodable, TextEncoding::Utf8WithBom, "", 5},
        {"ab\x82\x20", Status::Undecodable, TextEncoding::ShiftJis, "", 2},
        // Overlong forms and surrogates are not UTF-8.
        {bom + "\xC0\xAF", Status::Undecodable, TextEncoding::Utf8WithBom, "", 3},
        {bom + "\xED\xA0\x80", Status::Undecodable, TextEncoding::Utf8WithBom, "", 3},
        // The limit counts Shift-JIS bytes: 32768 kana take 65536 bytes in Shift-JIS.
        {std::string(65535, 'A'), Status::Ok, TextEncoding::ShiftJis, std::string(65535, 'A'), 0},
        {std::string(65536, 'A'), Status::TooBig, TextEncoding::ShiftJis, "", 0},
    };
    for (const auto& c : cases) {
        const OpenedText text = pocora::decodeText(c.bytes);
        EXPECT_EQ(text.status, c.status) << c.bytes;
        EXPECT_EQ(text.encoding, c.encoding) << c.bytes;
        EXPECT_EQ(text.utf8, c.utf8);
        EXPECT_EQ(text.badOffset, c.badOffset);
    }
    std::string kana;
    for (int i = 0; i < 32768; ++i) kana += "あ";
    EXPECT_EQ(pocora::decodeText(kana).status, Status::TooBig);
    EXPECT_EQ(pocora::decodeText(kana.substr(3)).status, Status::Ok);
}

}  // namespace
