#include "editor/language/Lexer.h"

namespace script_language {
namespace {

bool isWordStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isWordPart(char c) {
    return isWordStart(c) || isDigit(c);
}
int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

int columnOf(std::string_view line, std::size_t offset) {
    int column = 1;
    for (std::size_t i = 0; i < offset && i < line.size(); ++i)
        if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80) ++column;
    return column;
}

LexedLine lexLine(std::string_view line) {
    LexedLine out;
    std::size_t i = 0;
    // The column is counted on as the line is read, not from its start for every token.
    std::size_t counted = 0;
    int column = 1;
    const auto columnAt = [&](std::size_t offset) {
        for (; counted < offset; ++counted)
            if ((static_cast<unsigned char>(line[counted]) & 0xC0) != 0x80) ++column;
        return column;
    };
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') break;
        Token token{Token::Kind::Symbol, {}, 0, columnAt(i)};
        const bool negativeNumber = c == '-' && i + 1 < line.size() && isDigit(line[i + 1]);
        if (isWordStart(c)) {
            const std::size_t start = i;
            while (i < line.size() && isWordPart(line[i])) ++i;
            token.kind = Token::Kind::Word;
            token.text = line.substr(start, i - start);
        } else if (isDigit(c) || negativeNumber) {
            const std::size_t start = i;
            if (c == '-') ++i;
            while (i < line.size() && isDigit(line[i])) {
                // Beyond 12 digits a number is out of every range anyway; stop it growing.
                if (token.number < 1'000'000'000'000)
                    token.number = token.number * 10 + (line[i] - '0');
                ++i;
            }
            if (c == '-') token.number = -token.number;
            token.kind = Token::Kind::Number;
            // Digits run into letters make a name (labels such as 1ST).
            if (c != '-' && i < line.size() && isWordStart(line[i])) {
                while (i < line.size() && isWordPart(line[i])) ++i;
                token.kind = Token::Kind::Word;
            }
            token.text = line.substr(start, i - start);
        } else if (c == '"') {
            std::size_t j = i + 1;
            while (j < line.size() && line[j] != '"')
                j += (line[j] == '\\' && j + 1 < line.size()) ? 2 : 1;
            if (j >= line.size()) {
                out.unterminatedString = token.column;
                return out;
            }
            token.kind = Token::Kind::String;
            token.text = line.substr(i + 1, j - i - 1);
            i = j + 1;
        } else {
            static constexpr std::string_view kPairs[] = {
                "==", "!=", "<=", ">=", "+=", "-=", "*=", "/="};
            std::size_t length = 0;
            for (std::string_view pair : kPairs)
                if (line.substr(i, 2) == pair) length = 2;
            if (length == 0 && std::string_view("=<>:").find(c) != std::string_view::npos)
                length = 1;
            if (length == 0) {
                out.strayCharacter = token.column;
                return out;
            }
            token.text = line.substr(i, length);
            i += length;
        }
        out.tokens.push_back(std::move(token));
    }
    return out;
}

std::string unescapeText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"'))
            ++i;
        out.push_back(text[i]);
    }
    return out;
}

std::string escapeText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            out += "\\\"";
        } else if (c == '\\' &&
                   (i + 1 == text.size() || text[i + 1] == '\\' || text[i + 1] == '"')) {
            out += "\\\\";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::optional<std::string> unescapeRaw(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out.push_back(text[i]);
            continue;
        }
        if (i + 1 >= text.size()) return std::nullopt;
        const char next = text[i + 1];
        if (next == '\\' || next == '"') {
            out.push_back(next);
            ++i;
        } else if (next == 'x' && i + 3 < text.size() && hexValue(text[i + 2]) >= 0 &&
                   hexValue(text[i + 3]) >= 0) {
            out.push_back(static_cast<char>(hexValue(text[i + 2]) * 16 + hexValue(text[i + 3])));
            i += 3;
        } else {
            return std::nullopt;
        }
    }
    return out;
}

std::string escapeRaw(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') {
            out.push_back('\\');
            out.push_back(c);
        } else if (b >= 0x20 && b < 0x7F) {
            out.push_back(c);
        } else {
            out += "\\x";
            out.push_back(kHex[b >> 4]);
            out.push_back(kHex[b & 15]);
        }
    }
    return out;
}

}  // namespace script_language
