#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pocora {

// The most Shift-JIS bytes the editor holds: its text moves to and from files through a
// 65536-byte buffer that also carries the terminating zero byte. A UTF-8 file is measured by the
// Shift-JIS bytes its text would take.
inline constexpr std::size_t kMaxTextBytes = 65535;

// How a document writes its line breaks. The edit control works with '\n' only; a file keeps
// the style it was read with, and new documents use CR LF like the files the kit was made with.
enum class LineBreaks { CrLf, Lf };

// How a document's file is encoded. Shift-JIS files end with a zero byte, as the editor has
// always written them; UTF-8 files are plain text, with the byte-order mark they were read with.
enum class TextEncoding { ShiftJis, Utf8, Utf8WithBom };

// The encoding a file's bytes are read in: a byte-order mark means UTF-8; otherwise bytes that
// are valid UTF-8 and hold at least one character beyond ASCII are UTF-8, since Shift-JIS text
// almost never passes as UTF-8 while UTF-8 text often passes as Shift-JIS; everything else is
// Shift-JIS. `bytes` end at their first zero byte.
TextEncoding detectEncoding(std::string_view bytes);

struct OpenedText {
    enum class Status { Ok, CannotRead, TooBig, Undecodable };
    Status status = Status::CannotRead;
    std::string utf8;  // the text with '\n' line breaks, when status is Ok
    LineBreaks lineBreaks = LineBreaks::CrLf;
    TextEncoding encoding = TextEncoding::ShiftJis;
    std::size_t badOffset = 0;  // for Undecodable: the byte offset in the file
    std::string reason;         // for CannotRead
};

// Reads a text file in `encoding`, or in the one detectEncoding finds. The text ends at the
// file's first zero byte (saved Shift-JIS files carry one); a text of more than kMaxTextBytes
// Shift-JIS bytes is too big. Bytes that do not decode are refused, never dropped.
OpenedText readTextFile(const std::filesystem::path& path,
                        std::optional<TextEncoding> encoding = std::nullopt);

// The same decoding for bytes already in memory.
OpenedText decodeText(std::string_view bytes, std::optional<TextEncoding> encoding = std::nullopt);

struct EncodedText {
    std::optional<std::string> bytes;  // the file's bytes, line breaks in the document's style
    // When the text holds a character the encoding cannot hold (or a byte that is not UTF-8):
    // that character (UTF-8) and its place, counted in characters from 1.
    std::string badCharacter;
    char32_t badCodePoint = 0;  // the byte's value when `notUtf8`
    bool notUtf8 = false;
    int badLine = 0;
    int badColumn = 0;
};

// The Shift-JIS bytes of UTF-8 text, its line breaks unchanged.
EncodedText toShiftJis(std::string_view utf8);

// The Shift-JIS text the compiler reads from a source file's bytes, up to their first zero byte:
// Shift-JIS bytes as they are, UTF-8 (in `encoding` or the one detectEncoding finds) converted,
// so that both forms of a script compile to the same bytes.
EncodedText sourceToShiftJis(std::string_view bytes, std::optional<TextEncoding> encoding);

// Turns the edit control's text (UTF-8, '\n' line breaks) into the file's bytes, without the
// zero byte that ends a saved Shift-JIS file.
EncodedText encodeText(std::string_view utf8, LineBreaks lineBreaks,
                       TextEncoding encoding = TextEncoding::ShiftJis);

// The number of Shift-JIS bytes the text takes in a file, characters CP932 cannot encode counted
// as two bytes (they are refused on saving anyway).
std::size_t sjisByteCount(std::string_view utf8, LineBreaks lineBreaks);

}  // namespace pocora
