#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

// Reads the game's text data files the way formatted input reads them: white space in a format
// skips any run of white space (or none), a literal character must be present exactly, a number
// may follow white space, and a word runs up to the next white space. A failed match leaves the
// position on the character that did not match, so the next read starts from there.
class TextScanner {
  public:
    explicit TextScanner(std::string_view text) : text_(text) {}

    // Skips spaces, tabs and line breaks.
    void skipSpace();
    // Matches one literal character (no white space is skipped before it).
    bool literal(char c);
    // A decimal number with an optional sign after optional white space. Values beyond the
    // 32-bit range saturate.
    bool number(std::int32_t& value);
    // Like number(), keeping only the low 8 bits.
    bool byte(std::uint8_t& value);
    // A word after optional white space. The whole word is consumed; at most size - 1 bytes are
    // stored (never half of a two-byte character) and the result is always terminated.
    bool word(char* dest, std::size_t size);
    // Reads one line as a 256-byte line reader does: up to 255 bytes, or through the line break.
    // Returns false at end of text.
    bool line();
    // Reads one byte; returns false at end of text.
    bool getByte();

    bool atEnd() const { return pos_ >= text_.size(); }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return text_.size() - pos_; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

bool IsScanSpace(unsigned char c);
