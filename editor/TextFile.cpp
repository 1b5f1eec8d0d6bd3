#include "editor/TextFile.h"

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

}  // namespace

OpenedText decodeText(std::string_view bytes) {
    OpenedText result;
    bytes = bytes.substr(0, bytes.find('\0'));
    if (bytes.size() > kMaxTextBytes) {
        result.status = OpenedText::Status::TooBig;
        return result;
    }
    const std::size_t firstBreak = bytes.find_first_of("\r\n");
    const bool crlf = firstBreak != std::string_view::npos &&
                      bytes.substr(firstBreak, 2) == std::string_view("\r\n");
    result.lineBreaks =
        crlf || firstBreak == std::string_view::npos ? LineBreaks::CrLf : LineBreaks::Lf;

    auto utf8 = kit::sjisToUtf8(bytes);
    if (!utf8) {
        // Find the first character that does not decode by growing the decoded prefix.
        std::size_t at = 0;
        while (at < bytes.size()) {
            const std::size_t len =
                kit::isSjisLeadByte(static_cast<unsigned char>(bytes[at])) ? 2 : 1;
            if (at + len > bytes.size() || !kit::sjisToUtf8(bytes.substr(at, len))) break;
            at += len;
        }
        result.status = OpenedText::Status::NotShiftJis;
        result.badOffset = at;
        return result;
    }
    std::string text;
    text.reserve(utf8->size());
    for (std::size_t i = 0; i < utf8->size(); ++i) {
        if ((*utf8)[i] == '\r' && i + 1 < utf8->size() && (*utf8)[i + 1] == '\n') continue;
        text.push_back((*utf8)[i]);
    }
    result.status = OpenedText::Status::Ok;
    result.utf8 = std::move(text);
    return result;
}

OpenedText readTextFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        OpenedText result;
        result.reason = "cannot open the file";
        return result;
    }
    // Never more than one buffer and a byte: enough to tell a text that fits from one that does
    // not, whatever the size of the file.
    std::string bytes(kMaxTextBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        OpenedText result;
        result.reason = "cannot read the file";
        return result;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return decodeText(bytes);
}

EncodedText encodeText(std::string_view utf8, LineBreaks lineBreaks) {
    EncodedText result;
    std::size_t badOffset = 0;
    result.sjis = kit::utf8ToSjis(withLineBreaks(utf8, lineBreaks), &badOffset);
    if (result.sjis) return result;

    // Map the offset back into the '\n' text and describe the character there.
    std::size_t offset = badOffset;
    if (lineBreaks == LineBreaks::CrLf) {
        std::size_t crs = 0;
        for (std::size_t i = 0; i < utf8.size() && i + crs < badOffset; ++i)
            if (utf8[i] == '\n') ++crs;
        offset = badOffset - crs;
    }
    if (offset > utf8.size()) offset = utf8.size();
    result.badLine = 1;
    result.badColumn = 1;
    for (std::size_t i = 0; i < offset; i += utf8Length(static_cast<unsigned char>(utf8[i]))) {
        if (utf8[i] == '\n') {
            ++result.badLine;
            result.badColumn = 1;
        } else {
            ++result.badColumn;
        }
    }
    const std::size_t len =
        offset < utf8.size() ? utf8Length(static_cast<unsigned char>(utf8[offset])) : 0;
    result.badCharacter = std::string(utf8.substr(offset, len));
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
