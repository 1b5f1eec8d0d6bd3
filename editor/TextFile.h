#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pocora {

// The most Shift-JIS bytes the editor holds: its text moves to and from files through a
// 65536-byte buffer that also carries the terminating zero byte.
inline constexpr std::size_t kMaxTextBytes = 65535;

// How a document writes its line breaks. The edit control works with '\n' only; a file keeps
// the style it was read with, and new documents use CR LF like the files the kit was made with.
enum class LineBreaks { CrLf, Lf };

struct OpenedText {
    enum class Status { Ok, CannotRead, TooBig, NotShiftJis };
    Status status = Status::CannotRead;
    std::string utf8;  // the text with '\n' line breaks, when status is Ok
    LineBreaks lineBreaks = LineBreaks::CrLf;
    std::size_t badOffset = 0;  // for NotShiftJis: the byte offset in the file
    std::string reason;         // for CannotRead
};

// Reads a Shift-JIS text file. The text ends at the file's first zero byte (saved files carry
// one); a text of more than kMaxTextBytes bytes is too big. Bytes that are not CP932 are refused,
// never dropped.
OpenedText readTextFile(const std::filesystem::path& path);

// The same decoding for bytes already in memory.
OpenedText decodeText(std::string_view bytes);

struct EncodedText {
    std::optional<std::string> sjis;  // the Shift-JIS bytes, line breaks in the document's style
    // When the text holds a character CP932 cannot encode: that character (UTF-8) and its place.
    std::string badCharacter;
    int badLine = 0;
    int badColumn = 0;
};

// Turns the edit control's text (UTF-8, '\n' line breaks) into the file's bytes.
EncodedText encodeText(std::string_view utf8, LineBreaks lineBreaks);

// The number of Shift-JIS bytes the text takes in a file, characters CP932 cannot encode counted
// as two bytes (they are refused on saving anyway).
std::size_t sjisByteCount(std::string_view utf8, LineBreaks lineBreaks);

}  // namespace pocora
