#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace script_language {

struct Token {
    enum class Kind { Word, Number, String, Symbol };
    Kind kind;
    std::string text;  // a string's text with its escapes still in it
    std::int64_t number = 0;
    int column = 1;  // in characters, from 1
    bool is(std::string_view symbolOrWord) const {
        return kind != Kind::String && kind != Kind::Number && text == symbolOrWord;
    }
};

struct LexedLine {
    std::vector<Token> tokens;
    std::optional<int> unterminatedString;  // the column of a '"' that nothing closes
    std::optional<int> strayCharacter;      // the column of a character no token starts with
};

// Splits one line of readable source into tokens; "//" outside a string starts a comment.
LexedLine lexLine(std::string_view line);

// The character column (from 1) of a byte offset in a UTF-8 line.
int columnOf(std::string_view line, std::size_t offset);

// A string token's text as bytes: \" and \\ stand for " and \, every other character is itself
// (so "\n" stays the two characters the text box breaks lines at).
std::string unescapeText(std::string_view text);
// The inverse: what to write between the quotes for `text`.
std::string escapeText(std::string_view text);

// A raw statement's string: printable ASCII as itself, \\, \" and \xHH for any byte.
std::optional<std::string> unescapeRaw(std::string_view text);
std::string escapeRaw(std::string_view bytes);

}  // namespace script_language
