#pragma once
#include <filesystem>
#include <string_view>

namespace kit {

// The path of a relative asset name such as "pic\\title" (Shift-JIS) under a game directory.
// Backslashes become separators; an exact match is tried first, then one that ignores letter case
// one path component at a time, so games made on systems that ignore case run unchanged. When
// nothing matches, the exact path is returned (opening it then fails).
std::filesystem::path resolveGamePath(const std::filesystem::path& gameDir,
                                      std::string_view relativeName);

// A file path as the user gave it (UTF-8): the path itself when it exists, otherwise one that
// matches it ignoring letter case component by component, otherwise the path unchanged.
std::filesystem::path findPathIgnoringCase(const std::filesystem::path& path);

}  // namespace kit
