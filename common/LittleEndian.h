#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kit {

// Little-endian reads from a byte span. Callers check the size first; reads past the end are
// a programming error, so these functions take offsets that are known to be inside.
inline std::uint16_t readU16LE(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

inline std::uint32_t readU32LE(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

inline std::int16_t readI16LE(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::int16_t>(readU16LE(b, at));
}

inline std::int32_t readI32LE(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::int32_t>(readU32LE(b, at));
}

inline void appendU16LE(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void appendU32LE(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

inline void appendI16LE(std::vector<std::uint8_t>& out, std::int16_t v) {
    appendU16LE(out, static_cast<std::uint16_t>(v));
}

inline void appendI32LE(std::vector<std::uint8_t>& out, std::int32_t v) {
    appendU32LE(out, static_cast<std::uint32_t>(v));
}

}  // namespace kit
