#include "designer/core/JsonFields.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace kyrel {

namespace {

constexpr int kMaxDepth = 16;

// A recursive-descent reader over the bytes; every step checks the end, so any input ends in a
// value or a refusal.
class Reader {
  public:
    Reader(std::span<const std::uint8_t> text, JsonFields& out) : text_(text), out_(out) {}

    bool document() {
        skipSpace();
        if (peek() != '{' || !value("", 0)) return false;
        skipSpace();
        return at_ == text_.size();
    }

  private:
    int peek() const { return at_ < text_.size() ? text_[at_] : -1; }

    void skipSpace() {
        while (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r') ++at_;
    }

    bool take(char c) {
        skipSpace();
        if (peek() != c) return false;
        ++at_;
        return true;
    }

    bool literal(std::string_view word) {
        if (text_.size() - at_ < word.size()) return false;
        for (char c : word)
            if (text_[at_++] != static_cast<std::uint8_t>(c)) return false;
        return true;
    }

    // A string's bytes; escapes other than \" and \\ are kept as written (keys never hold them).
    bool string(std::string& s) {
        if (!take('"')) return false;
        while (at_ < text_.size()) {
            const std::uint8_t c = text_[at_++];
            if (c == '"') return true;
            if (c < 0x20) return false;
            if (c == '\\') {
                if (at_ >= text_.size()) return false;
                s += static_cast<char>(text_[at_++]);
            } else {
                s += static_cast<char>(c);
            }
        }
        return false;
    }

    bool number(const std::string& path) {
        const std::size_t start = at_;
        while (at_ < text_.size() &&
               std::string_view("+-0123456789.eE").find(static_cast<char>(text_[at_])) !=
                   std::string_view::npos)
            ++at_;
        const auto* first = reinterpret_cast<const char*>(text_.data() + start);
        const auto* last = reinterpret_cast<const char*>(text_.data() + at_);
        double v = 0.0;
        const auto [end, ec] = std::from_chars(first, last, v);
        if (ec != std::errc() || end != last || !std::isfinite(v)) return false;
        out_[path] = v;
        return true;
    }

    bool members(const std::string& path, int depth, char close, bool keyed) {
        if (take(close)) return true;
        while (true) {
            std::string key;
            if (keyed && (!string(key) || !take(':'))) return false;
            const std::string inner = !keyed         ? std::string()
                                      : path.empty() ? key
                                                     : path + "." + key;
            if (!value(keyed ? inner : std::string(), depth + 1)) return false;
            if (take(close)) return true;
            if (!take(',')) return false;
        }
    }

    // Arrays are walked with an empty path: their numbers are not kept.
    bool value(const std::string& path, int depth) {
        if (depth > kMaxDepth) return false;
        skipSpace();
        switch (peek()) {
            case '{':
                ++at_;
                return members(path, depth, '}', true);
            case '[':
                ++at_;
                return members(path, depth, ']', false);
            case '"': {
                std::string ignored;
                return string(ignored);
            }
            case 't':
                if (!literal("true")) return false;
                if (!path.empty()) out_[path] = 1.0;
                return true;
            case 'f':
                if (!literal("false")) return false;
                if (!path.empty()) out_[path] = 0.0;
                return true;
            case 'n':
                return literal("null");
            default:
                return number(path.empty() ? std::string("\x01") : path);
        }
    }

    std::span<const std::uint8_t> text_;
    JsonFields& out_;
    std::size_t at_ = 0;
};

}  // namespace

std::optional<JsonFields> readJsonFields(std::span<const std::uint8_t> text) {
    if (text.size() > kMaxJsonBytes) return std::nullopt;
    JsonFields fields;
    if (!Reader(text, fields).document()) return std::nullopt;
    fields.erase("\x01");  // the numbers of arrays
    return fields;
}

}  // namespace kyrel
