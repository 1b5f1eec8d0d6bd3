#include "common/GamePath.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "common/ShiftJis.h"

namespace kit {

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// The entry of `dir` whose name equals `name` ignoring letter case, if there is one.
std::optional<std::filesystem::path> findEntryIgnoringCase(const std::filesystem::path& dir,
                                                           const std::string& name) {
    std::error_code ec;
    std::filesystem::directory_iterator it(dir, ec);
    if (ec) return std::nullopt;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        if (sameIgnoringCase(it->path().filename().string(), name)) return it->path();
    }
    return std::nullopt;
}

// `base` followed by `parts`: exactly, else matching each component ignoring case.
std::filesystem::path resolveParts(const std::filesystem::path& base,
                                   const std::vector<std::string>& parts) {
    std::filesystem::path exact = base;
    for (const auto& part : parts) exact /= part;
    std::error_code ec;
    if (std::filesystem::exists(exact, ec)) return exact;

    std::filesystem::path found = base;
    for (const auto& part : parts) {
        std::filesystem::path next = found / part;
        if (!std::filesystem::exists(next, ec)) {
            auto match = findEntryIgnoringCase(found, part);
            if (!match) return exact;
            next = *match;
        }
        found = std::move(next);
    }
    return found;
}

}  // namespace

std::filesystem::path resolveGamePath(const std::filesystem::path& gameDir,
                                      std::string_view relativeName) {
    // Names are Shift-JIS; file names on this system are UTF-8. Converting first also keeps a
    // Shift-JIS trail byte 0x5C from being taken for a separator.
    std::string name = kit::sjisToUtf8Lossy(relativeName);
    std::replace(name.begin(), name.end(), '\\', '/');

    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t slash = std::min(name.find('/', start), name.size());
        if (slash > start) parts.push_back(name.substr(start, slash - start));
        start = slash + 1;
    }
    return resolveParts(gameDir, parts);
}

std::filesystem::path findPathIgnoringCase(const std::filesystem::path& path) {
    std::vector<std::string> parts;
    for (const auto& part : path.relative_path()) parts.push_back(part.string());
    const std::filesystem::path base = path.is_absolute() ? path.root_path() : ".";
    const std::filesystem::path found = resolveParts(base, parts);
    return path.is_absolute() ? found : found.lexically_relative(".");
}

}  // namespace kit
