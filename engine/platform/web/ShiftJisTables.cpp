// Shift-JIS (CP932) conversions for the browser's engine, whose C library converts no CP932: the
// tables were written from the desktop's iconv at build time, so both convert alike.
#include <algorithm>
#include <cstdint>

#include "common/ShiftJis.h"
#include "common/Utf8.h"

extern const std::uint16_t kSjisToUnicode[0x10000];
extern const std::uint16_t kUnicodeToSjis[][2];
extern const std::uint32_t kUnicodeToSjisCount;

namespace kit {
namespace {

// The code point of the character of `sjis` at `i` (one or two bytes, `length`), or nothing.
std::optional<std::uint32_t> Decode(std::string_view sjis, std::size_t i, std::size_t& length) {
    const auto lead = static_cast<std::uint8_t>(sjis[i]);
    length = 1;
    if (!isSjisLeadByte(lead)) {
        const std::uint16_t c = kSjisToUnicode[lead];
        if (c == 0 && lead != 0) return std::nullopt;
        return c;
    }
    if (i + 1 >= sjis.size()) return std::nullopt;
    length = 2;
    const std::uint16_t c = kSjisToUnicode[(lead << 8) | static_cast<std::uint8_t>(sjis[i + 1])];
    if (c == 0) return std::nullopt;
    return c;
}

// The next code point of `utf8` at `i` (advancing `i`), or nothing for a malformed sequence.
std::optional<std::uint32_t> NextUtf8(std::string_view utf8, std::size_t& i) {
    const auto b = static_cast<std::uint8_t>(utf8[i]);
    int extra = 0;
    std::uint32_t c = 0;
    if (b < 0x80) {
        ++i;
        return b;
    }
    if ((b & 0xE0) == 0xC0) {
        extra = 1, c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2, c = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3, c = b & 0x07;
    } else {
        return std::nullopt;
    }
    if (i + static_cast<std::size_t>(extra) >= utf8.size()) return std::nullopt;
    for (int k = 1; k <= extra; ++k) {
        const auto t = static_cast<std::uint8_t>(utf8[i + static_cast<std::size_t>(k)]);
        if ((t & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (t & 0x3F);
    }
    static constexpr std::uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return std::nullopt;
    i += static_cast<std::size_t>(extra) + 1;
    return c;
}

}  // namespace

std::optional<std::string> sjisToUtf8(std::string_view sjis) {
    std::string out;
    for (std::size_t i = 0, length = 0; i < sjis.size(); i += length) {
        const auto c = Decode(sjis, i, length);
        if (!c) return std::nullopt;
        appendUtf8(out, *c);
    }
    return out;
}

std::string sjisToUtf8Lossy(std::string_view sjis) {
    std::string out;
    for (std::size_t i = 0, length = 0; i < sjis.size(); i += length) {
        const auto c = Decode(sjis, i, length);
        appendUtf8(out, c ? *c : 0xFFFD);
    }
    return out;
}

std::optional<std::string> utf8ToSjis(std::string_view utf8, std::size_t* badOffset) {
    const auto* begin = kUnicodeToSjis;
    const auto* end = kUnicodeToSjis + kUnicodeToSjisCount;
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t start = i;
        const auto c = NextUtf8(utf8, i);
        const auto* found = c ? std::lower_bound(begin, end, *c,
                                                 [](const std::uint16_t(&entry)[2],
                                                    std::uint32_t v) { return entry[0] < v; })
                              : end;
        const bool encodable = c && (*c == 0 || (found != end && found[0][0] == *c));
        if (!encodable) {
            if (badOffset) *badOffset = start;
            return std::nullopt;
        }
        const std::uint16_t code = *c == 0 ? 0 : found[0][1];
        if (code > 0xFF) out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    }
    return out;
}

}  // namespace kit
