#include "designer/core/RecentFiles.h"

#include <algorithm>
#include <filesystem>

namespace kyrel {

std::vector<std::string> withRecentFile(std::vector<std::string> list, const std::string& path) {
    std::erase(list, path);
    list.insert(list.begin(), path);
    if (list.size() > kMaxRecentFiles) list.resize(kMaxRecentFiles);
    return list;
}

std::vector<std::string> existingRecentFiles(const std::vector<std::string>& list) {
    std::vector<std::string> existing;
    for (const std::string& path : list) {
        std::error_code ec;
        if (existing.size() < kMaxRecentFiles && std::filesystem::is_regular_file(path, ec))
            existing.push_back(path);
    }
    return existing;
}

}  // namespace kyrel
