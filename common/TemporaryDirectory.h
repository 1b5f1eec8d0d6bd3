#pragma once
#include <filesystem>
#include <optional>
#include <string_view>

namespace kit {

// Makes a new, empty directory in the system's temporary directory, named `prefix` and six
// random characters, that no other process can have taken; nothing when it cannot be made.
std::optional<std::filesystem::path> makeTemporaryDirectory(std::string_view prefix);

}  // namespace kit
