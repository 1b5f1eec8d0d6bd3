#include "engine/save/GameIdentity.h"

#include <cstdio>

#include "common/WholeFile.h"
#include "engine/save/SaveFile.h"

namespace save {
namespace {

bool IsNameSafe(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.';
}

std::string FromIdFile(const std::filesystem::path& gameDir) {
    const auto bytes = kit::readWholeFile(gameDir / kGameIdFile);
    if (!bytes) return "";
    std::string id;
    for (const std::uint8_t byte : *bytes) {
        if (byte == '\n' || byte == '\r') break;
        if (byte < 0x20 || byte > 0x7E) return "";
        if (id.size() == kMaxGameIdLength) return "";
        const char c = static_cast<char>(byte);
        id += IsNameSafe(c) ? c : '_';
    }
    // Trailing spaces of a hand-edited file are not part of the name.
    while (!id.empty() && id.back() == '_' && (*bytes)[id.size() - 1] == ' ') id.pop_back();
    return id;
}

}  // namespace

std::string GameIdentity(const std::filesystem::path& gameDir) {
    if (std::string id = FromIdFile(gameDir); !id.empty()) return id;
    const auto start = kit::readWholeFile(gameDir / "ev" / "START.sc");
    if (!start) return "";
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08lx", static_cast<unsigned long>(Crc32(*start)));
    return std::string("start-") + hex;
}

}  // namespace save
