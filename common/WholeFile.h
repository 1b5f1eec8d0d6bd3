#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace kit {

// The bytes of a file, or nothing when it cannot be opened or read through (a directory, an I/O
// error): a reader never works on part of a file.
std::optional<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& path);

}  // namespace kit
