#include <algorithm>
#include <cctype>
#include <system_error>

#include "common/ShiftJis.h"
#include "engine/core/Engine.h"

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// The entry of `dir` whose name equals `name` ignoring letter case, if there is one.
std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& dir,
                                                      const std::string& name) {
    std::error_code ec;
    std::filesystem::directory_iterator it(dir, ec);
    if (ec) return std::nullopt;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        if (SameIgnoringCase(it->path().filename().string(), name)) return it->path();
    }
    return std::nullopt;
}

}  // namespace

std::filesystem::path AssetPath(const Engine& engine, std::string_view relativeName) {
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

    std::filesystem::path exact = engine.gameDir;
    for (const auto& part : parts) exact /= part;
    std::error_code ec;
    if (std::filesystem::exists(exact, ec)) return exact;

    std::filesystem::path found = engine.gameDir;
    for (const auto& part : parts) {
        std::filesystem::path next = found / part;
        if (!std::filesystem::exists(next, ec)) {
            auto match = FindIgnoringCase(found, part);
            if (!match) return exact;
            next = *match;
        }
        found = std::move(next);
    }
    return found;
}

void NoteLoadFailure(const Engine& engine, std::string_view relativeName) {
    const std::filesystem::path tried = AssetPath(engine, relativeName);
    std::string shown = tried.lexically_relative(engine.gameDir).generic_string();
    if (shown.empty() || shown.starts_with("..")) shown = tried.string();
    engine.platform.NoteLoadFailure(shown);
}
