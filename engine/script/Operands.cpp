#include "engine/script/Operands.h"

#include <algorithm>
#include <limits>

namespace {

bool IsBlank(std::uint8_t b) {
    return b == ' ' || (b >= '\t' && b <= '\r');
}

bool IsDigit(std::uint8_t b) {
    return b >= '0' && b <= '9';
}

// Parses "%ld" at `at`: returns the value and leaves `at` after the digits (unchanged when the
// text is not a number).
std::int32_t ParseDecimal(std::span<const std::uint8_t> code, std::size_t& at) {
    std::size_t p = at;
    while (p < code.size() && IsBlank(code[p])) ++p;
    bool negative = false;
    if (p < code.size() && (code[p] == '+' || code[p] == '-')) negative = code[p++] == '-';
    if (p >= code.size() || !IsDigit(code[p])) return 0;
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    while (p < code.size() && IsDigit(code[p])) {
        value = std::min(value * 10 + (code[p] - '0'), kLimit);
        ++p;
    }
    at = p;
    if (negative) return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min(value, kLimit - 1));
}

std::optional<std::size_t> FindByte(std::span<const std::uint8_t> code, std::size_t from,
                                    std::uint8_t wanted) {
    for (std::size_t p = from; p < code.size(); ++p)
        if (code[p] == wanted) return p;
    return std::nullopt;
}

// Compares the label at `at` with the name; counts the bytes compared as work.
bool LabelAt(std::span<const std::uint8_t> code, std::size_t at, std::string_view name,
             std::size_t& work) {
    const std::size_t length = name.size() + 3;  // '@', the name, "//"
    if (at >= code.size() || code.size() - at < length || code[at] != '@') return false;
    std::size_t i = 0;
    while (i < name.size() && code[at + 1 + i] == static_cast<std::uint8_t>(name[i])) ++i;
    work += i;
    if (i < name.size()) return false;
    return code[at + 1 + name.size()] == '/' && code[at + 2 + name.size()] == '/';
}

}  // namespace

std::optional<std::int32_t> ReadIntOperand(std::span<const std::uint8_t> code, std::size_t& pos) {
    std::size_t digitsEnd = pos;
    const std::int32_t value = ParseDecimal(code, digitsEnd);
    const auto semicolon = FindByte(code, pos, ';');
    if (!semicolon) return std::nullopt;
    pos = *semicolon + 1;
    return value;
}

std::optional<std::uint8_t> ReadByteOperand(std::span<const std::uint8_t> code, std::size_t& pos) {
    if (pos >= code.size()) return std::nullopt;
    return code[pos++];
}

std::optional<StringOperand> ReadStringOperand(std::span<const std::uint8_t> code, std::size_t& pos,
                                               OperandBuffer& buffer) {
    std::size_t digitsEnd = pos;
    const std::int32_t length = ParseDecimal(code, digitsEnd);
    const auto bang = FindByte(code, pos, '!');
    if (!bang) return std::nullopt;
    const std::size_t start = *bang + 1;
    const std::size_t wanted = length > 0 ? static_cast<std::size_t>(length) : 0;
    const std::size_t available = std::min(wanted, code.size() - start);
    const std::size_t kept = std::min(available, buffer.size() - 1);
    std::copy_n(code.data() + start, kept, buffer.data());
    buffer[kept] = '\0';
    pos = start + available;
    return StringOperand{std::string_view(buffer.data(), kept), kept < wanted};
}

std::optional<std::size_t> FindLabel(std::span<const std::uint8_t> code, std::size_t from,
                                     bool backward, std::string_view name, std::size_t& work,
                                     std::size_t limit) {
    name = name.substr(0, name.find('\0'));  // the name is formatted as a C string
    if (code.empty()) return std::nullopt;
    std::size_t p = backward ? std::min(from, code.size() - 1) : from;
    while (p < code.size() && work < limit) {
        ++work;
        if (LabelAt(code, p, name, work)) return p;
        if (backward && p == 0) break;
        p = backward ? p - 1 : p + 1;
    }
    return std::nullopt;
}

std::optional<std::size_t> FindLabelEnd(std::span<const std::uint8_t> code, std::size_t from) {
    for (std::size_t p = from; p + 1 < code.size(); ++p)
        if (code[p] == '/' && code[p + 1] == '/') return p + 2;
    return std::nullopt;
}
