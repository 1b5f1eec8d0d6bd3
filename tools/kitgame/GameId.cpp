#include "tools/kitgame/GameId.h"

#include <cctype>
#include <cstdio>
#include <random>

namespace kitgame {

namespace {

// Room for "-" and four hex digits within the engine's 64 characters.
constexpr std::size_t kMaxFolderPart = 58;

}  // namespace

std::string gameIdOfFolder(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::path name = std::filesystem::weakly_canonical(dir, ec).filename();
    if (ec || name.empty()) name = dir.filename();
    std::string id;
    for (const unsigned char c : name.string()) {
        if (c >= 0x80 || c < 0x20 || id.size() == kMaxFolderPart) continue;
        const bool kept = std::isalnum(c) || c == '-' || c == '_' || c == '.';
        id += kept ? static_cast<char>(c) : '_';
    }
    return id.empty() ? "game" : id;
}

std::string newGameId(const std::filesystem::path& dir) {
    std::random_device random;
    char digits[8];
    std::snprintf(digits, sizeof digits, "-%04x", static_cast<unsigned>(random() & 0xFFFF));
    return gameIdOfFolder(dir) + digits;
}

}  // namespace kitgame
