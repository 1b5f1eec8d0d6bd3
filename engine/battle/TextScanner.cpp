#include "engine/battle/TextScanner.h"

#include "common/ShiftJis.h"

bool IsScanSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void TextScanner::skipSpace() {
    while (pos_ < text_.size() && IsScanSpace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
}

bool TextScanner::literal(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
        ++pos_;
        return true;
    }
    return false;
}

bool TextScanner::number(std::int32_t& value) {
    skipSpace();
    bool negative = false;
    if (pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+')) {
        negative = text_[pos_] == '-';
        ++pos_;
    }
    std::size_t digits = 0;
    std::int64_t magnitude = 0;
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
        if (magnitude <= INT32_MAX) magnitude = magnitude * 10 + (text_[pos_] - '0');
        ++pos_;
        ++digits;
    }
    if (digits == 0) return false;
    std::int64_t v = negative ? -magnitude : magnitude;
    if (v > INT32_MAX) v = INT32_MAX;
    if (v < INT32_MIN) v = INT32_MIN;
    value = static_cast<std::int32_t>(v);
    return true;
}

bool TextScanner::byte(std::uint8_t& value) {
    std::int32_t v = 0;
    if (!number(v)) return false;
    value = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) & 0xFFu);
    return true;
}

bool TextScanner::word(char* dest, std::size_t size) {
    skipSpace();
    if (pos_ >= text_.size()) return false;
    if (size == 0) return false;
    std::size_t stored = 0;
    bool full = false;
    while (pos_ < text_.size() && !IsScanSpace(static_cast<unsigned char>(text_[pos_]))) {
        const auto c = static_cast<unsigned char>(text_[pos_]);
        const std::size_t charLen =
            kit::isSjisLeadByte(c) && pos_ + 1 < text_.size() &&
                    !IsScanSpace(static_cast<unsigned char>(text_[pos_ + 1]))
                ? 2
                : 1;
        // A word too long for its field is cut: the rest is read past and dropped.
        full = full || stored + charLen > size - 1;
        if (!full) {
            for (std::size_t i = 0; i < charLen; ++i) dest[stored++] = text_[pos_ + i];
        }
        pos_ += charLen;
    }
    dest[stored] = '\0';
    return true;
}

bool TextScanner::line() {
    if (pos_ >= text_.size()) return false;
    std::size_t n = 0;
    while (pos_ < text_.size() && n < 255) {
        const char c = text_[pos_++];
        ++n;
        if (c == '\n') break;
    }
    return true;
}

bool TextScanner::getByte() {
    if (pos_ >= text_.size()) return false;
    ++pos_;
    return true;
}
