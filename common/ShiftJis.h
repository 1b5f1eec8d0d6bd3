#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace kit {

// Text stays Shift-JIS (code page 932) inside every program of the kit; these two conversions
// are used only where the operating system or a toolkit shows or supplies text.

// Shift-JIS bytes to UTF-8. Returns nothing when the bytes are not valid CP932.
std::optional<std::string> sjisToUtf8(std::string_view sjis);

// Shift-JIS bytes to UTF-8 for display: bytes that do not decode become U+FFFD, never lost silently
// from the count of characters shown.
std::string sjisToUtf8Lossy(std::string_view sjis);

// UTF-8 to Shift-JIS bytes. Returns nothing when the text is not valid UTF-8 or holds a character
// that CP932 cannot encode; `badOffset`, when given, receives the byte offset of the first such
// character in the UTF-8 input.
std::optional<std::string> utf8ToSjis(std::string_view utf8, std::size_t* badOffset = nullptr);

// True when `b` is the first byte of a two-byte Shift-JIS character.
constexpr bool isSjisLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace kit
