#include <algorithm>

#include "editor/language/Lexer.h"
#include "editor/language/ScriptLanguage.h"

namespace script_language {
namespace {

std::string_view lineOf(std::string_view source, int line) {
    std::size_t start = 0;
    for (int i = 1; i < line; ++i) {
        start = source.find('\n', start);
        if (start == std::string_view::npos) return {};
        ++start;
    }
    const std::size_t end = source.find('\n', start);
    return source.substr(start, end == std::string_view::npos ? end : end - start);
}

// As the compiler reads a label: a word or an unsigned number of capitals, digits and _.
bool namesLabel(const Token& token) {
    if (token.kind != Token::Kind::Word && token.kind != Token::Kind::Number) return false;
    return !token.text.empty() && std::all_of(token.text.begin(), token.text.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}

// The direction a jump names (goto back X, if ... goto forward X; loop always goes back).
struct Jump {
    std::size_t labelIndex;
    std::optional<bool> forcedBackward;
};

std::optional<Jump> jumpOf(const std::vector<Token>& t) {
    if (t.empty()) return std::nullopt;
    if (t[0].is("loop") && t.size() == 2) return Jump{1, true};
    std::size_t gotoAt = 0;
    if (!t[0].is("goto")) {
        if (!t[0].is("if")) return std::nullopt;
        const auto found =
            std::find_if(t.begin(), t.end(), [](const Token& k) { return k.is("goto"); });
        if (found == t.end()) return std::nullopt;
        gotoAt = static_cast<std::size_t>(found - t.begin());
    }
    const std::size_t rest = t.size() - gotoAt - 1;
    if (rest == 1) return Jump{gotoAt + 1, std::nullopt};
    if (rest == 2 && (t[gotoAt + 1].is("back") || t[gotoAt + 1].is("forward")))
        return Jump{gotoAt + 2, t[gotoAt + 1].is("back")};
    return std::nullopt;
}

}  // namespace

std::optional<LabelTarget> labelTargetAt(std::string_view utf8Source, int line, int column) {
    const auto tokens = lexLine(lineOf(utf8Source, line)).tokens;
    if (tokens.size() == 2 && tokens[1].is(":")) return std::nullopt;  // a definition itself
    const auto under = std::find_if(tokens.begin(), tokens.end(), [&](const Token& k) {
        return k.column <= column && column <= k.column + static_cast<int>(k.text.size());
    });
    if (under == tokens.end() || !namesLabel(*under)) return std::nullopt;
    std::vector<int> lines;
    for (const LabelPlace& place : labelsOf(utf8Source))
        if (place.name == under->text) lines.push_back(place.line);
    LabelTarget target{under->text, std::nullopt, false, !lines.empty()};
    const auto jump = jumpOf(tokens);
    if (!jump || &tokens[jump->labelIndex] != &*under) {
        // Not a jump's label: a label of this file only when the file defines it.
        if (lines.empty()) return std::nullopt;
        target.line = lines.front();
        return target;
    }
    if (lines.empty()) return target;
    target.backward = jump->forcedBackward.value_or(lines.front() < line);
    if (target.backward) {
        const auto above =
            std::find_if(lines.rbegin(), lines.rend(), [&](int l) { return l < line; });
        if (above != lines.rend()) target.line = *above;
    } else {
        const auto below =
            std::find_if(lines.begin(), lines.end(), [&](int l) { return l > line; });
        if (below != lines.end()) target.line = *below;
    }
    return target;
}

}  // namespace script_language
