#pragma once
#include <string>
#include <vector>

namespace kyrel {

// The File menu's list of recently used projects: newest first, each path once, at most eight.
inline constexpr std::size_t kMaxRecentFiles = 8;

// `list` with `path` put first (and taken out of where it was before).
std::vector<std::string> withRecentFile(std::vector<std::string> list, const std::string& path);

// The entries of `list` whose files still exist, at most eight.
std::vector<std::string> existingRecentFiles(const std::vector<std::string>& list);

}  // namespace kyrel
