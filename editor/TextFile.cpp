#include "editor/TextFile.h"

#include <algorithm>
#include <fstream>

#include "common/ShiftJis.h"

namespace pocora {
namespace {

// The length of the UTF-8 sequence that starts with `lead` (1 for stray bytes).
std::size_t utf8Length(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// The Unicode value of the UTF-8 sequence at `at` (assumed valid).
char32_t codePointAt(std::string_view utf8, std::size_t at) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(utf8[at + i]); };
    switch (utf8Length(b(0))) {
        case 4:
            return ((b(0) & 0x07u) << 18) | ((b(1) & 0x3Fu) << 12) | ((b(2) & 0x3Fu) << 6) |
                   (b(3) & 0x3Fu);
        case 3:
            return ((b(0) & 0x0Fu) << 12) | ((b(1) & 0x3Fu) << 6) | (b(2) & 0x3Fu);
        case 2:
            return ((b(0) & 0x1Fu) << 6) | (b(1) & 0x3Fu);
        default:
            return b(0);
    }
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The offset of the first byte that does not begin a well-formed UTF-8 character (overlong forms,
// surrogates and values past U+10FFFF included), or npos when every byte does.
std::size_t invalidUtf8At(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t len = utf8Length(lead);
        if (lead >= 0x80 && (lead < 0xC2 || lead > 0xF4 || i + len > text.size())) return i;
        for (std::size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return i;
        const char32_t c = codePointAt(text, i);
        if ((len == 3 && c < 0x800) || (len == 4 && (c < 0x10000 || c > 0x10FFFF)) ||
            (c >= 0xD800 && c <= 0xDFFF))
            return i;
        i += len;
    }
    return std::string_view::npos;
}

// The offset of the first byte that does not decode as CP932, found by growing the decoded prefix.
std::size_t invalidSjisAt(std::string_view bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t len = kit::isSjisLeadByte(static_cast<unsigned char>(bytes[at])) ? 2 : 1;
        if (at + len > bytes.size() || !kit::sjisToUtf8(bytes.substr(at, len))) break;
        at += len;
    }
    return at;
}

LineBreaks lineBreaksOf(std::string_view bytes) {
    const std::size_t firstBreak = bytes.find_first_of("\r\n");
    const bool crlf = firstBreak != std::string_view::npos &&
                      bytes.substr(firstBreak, 2) == std::string_view("\r\n");
    return crlf || firstBreak == std::string_view::npos ? LineBreaks::CrLf : LineBreaks::Lf;
}

std::string withLineBreaks(std::string_view utf8, LineBreaks lineBreaks) {
    if (lineBreaks == LineBreaks::Lf) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 16);
    for (char c : utf8) {
        if (c == '\n') out.push_back('\r');
        out.push_back(c);
    }
    return out;
}

std::string withoutCarriageReturns(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] != '\r' || i + 1 >= text.size() || text[i + 1] != '\n') out.push_back(text[i]);
    return out;
}

// The text as UTF-8, or nothing with `badOffset` set to the first byte that does not decode.
std::optional<std::string> decodeAs(TextEncoding encoding, std::string_view bytes,
                                    std::size_t& badOffset) {
    if (encoding == TextEncoding::ShiftJis) {
        auto utf8 = kit::sjisToUtf8(bytes);
        if (!utf8) badOffset = invalidSjisAt(bytes);
        return utf8;
    }
    const std::size_t skip = bytes.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    const std::size_t bad = invalidUtf8At(bytes.substr(skip));
    if (bad == std::string_view::npos) return std::string(bytes.substr(skip));
    badOffset = skip + bad;
    return std::nullopt;
}

}  // namespace

TextEncoding detectEncoding(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\0'));
    if (bytes.starts_with(kByteOrderMark)) return TextEncoding::Utf8WithBom;
    const bool beyondAscii = std::any_of(
        bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return beyondAscii && invalidUtf8At(bytes) == std::string_view::npos ? TextEncoding::Utf8
                                                                         : TextEncoding::ShiftJis;
}

OpenedText decodeText(std::string_view bytes, std::optional<TextEncoding> encoding) {
    OpenedText result;
    bytes = bytes.substr(0, bytes.find('\0'));
    result.encoding = encoding.value_or(detectEncoding(bytes));
    if (result.encoding != TextEncoding::ShiftJis)
        result.encoding =
            bytes.starts_with(kByteOrderMark) ? TextEncoding::Utf8WithBom : TextEncoding::Utf8;
    if (result.encoding == TextEncoding::ShiftJis && bytes.size() > kMaxTextBytes) {
        result.status = OpenedText::Status::TooBig;
        return result;
    }
    result.lineBreaks = lineBreaksOf(bytes);
    const auto utf8 = decodeAs(result.encoding, bytes, result.badOffset);
    if (!utf8) {
        result.status = OpenedText::Status::Undecodable;
        return result;
    }
    result.utf8 = withoutCarriageReturns(*utf8);
    result.status = sjisByteCount(result.utf8, result.lineBreaks) > kMaxTextBytes
                        ? OpenedText::Status::TooBig
                        : OpenedText::Status::Ok;
    return result;
}

OpenedText readTextFile(const std::filesystem::path& path, std::optional<TextEncoding> encoding) {
    OpenedText result;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.reason = "cannot open the file";
        return result;
    }
    // Never more than the largest text that can fit and a byte (a UTF-8 character takes at most
    // three bytes for each Shift-JIS byte, and a byte-order mark may come first), whatever the size
    // of the file.
    constexpr std::size_t kMaxFileBytes = 3 * kMaxTextBytes + kByteOrderMark.size();
    std::string bytes(kMaxFileBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        result.reason = "cannot read the file";
        return result;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kMaxFileBytes && bytes.find('\0') == std::string::npos) {
        result.status = OpenedText::Status::TooBig;
        return result;
    }
    return decodeText(bytes, encoding);
}

EncodedText toShiftJis(std::string_view utf8) {
    EncodedText result;
    std::size_t bad = 0;
    result.bytes = kit::utf8ToSjis(utf8, &bad);
    if (result.bytes) return result;
    bad = std::min(bad, utf8.size());
    result.badLine = 1;
    result.badColumn = 1;
    for (std::size_t i = 0; i < bad; i += utf8Length(static_cast<unsigned char>(utf8[i]))) {
        if (utf8[i] == '\n') {
            ++result.badLine;
            result.badColumn = 1;
        } else {
            ++result.badColumn;
        }
    }
    if (bad == utf8.size()) return result;
    const std::size_t len =
        std::min(utf8Length(static_cast<unsigned char>(utf8[bad])), utf8.size() - bad);
    result.badCharacter = std::string(utf8.substr(bad, len));
    result.notUtf8 = invalidUtf8At(result.badCharacter) != std::string_view::npos;
    result.badCodePoint = result.notUtf8 ? static_cast<unsigned char>(utf8[bad])
                                         : codePointAt(result.badCharacter, 0);
    return result;
}

EncodedText sourceToShiftJis(std::string_view bytes, std::optional<TextEncoding> encoding) {
    bytes = bytes.substr(0, bytes.find('\0'));
    if (encoding.value_or(detectEncoding(bytes)) == TextEncoding::ShiftJis) {
        EncodedText result;
        result.bytes = std::string(bytes);
        return result;
    }
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    return toShiftJis(bytes);
}

EncodedText encodeText(std::string_view utf8, LineBreaks lineBreaks, TextEncoding encoding) {
    std::string text = withLineBreaks(utf8, lineBreaks);
    if (encoding == TextEncoding::ShiftJis) return toShiftJis(text);
    EncodedText result;
    result.bytes = encoding == TextEncoding::Utf8WithBom ? std::string(kByteOrderMark) + text
                                                         : std::move(text);
    return result;
}

std::size_t sjisByteCount(std::string_view utf8, LineBreaks lineBreaks) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t len = utf8Length(static_cast<unsigned char>(utf8[i]));
        const char32_t c = i + len <= utf8.size() ? codePointAt(utf8, i) : U'?';
        if (c == U'\n')
            count += lineBreaks == LineBreaks::CrLf ? 2 : 1;
        else if (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F))  // ASCII and half-width katakana
            count += 1;
        else
            count += 2;
        i += len;
    }
    return count;
}

}  // namespace pocora
