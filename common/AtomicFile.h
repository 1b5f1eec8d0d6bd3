#pragma once
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace kit {

// Writes `bytes` as the whole new content of `path`, or leaves the old file exactly as it was:
// the bytes go to a temporary file in the same directory, which is flushed and renamed over the
// target. Returns an empty string on success, otherwise a short English reason (for messages).
std::string writeFileAtomically(const std::filesystem::path& path,
                                std::span<const std::uint8_t> bytes);

inline std::string writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    return writeFileAtomically(
        path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                            bytes.size()));
}

}  // namespace kit
