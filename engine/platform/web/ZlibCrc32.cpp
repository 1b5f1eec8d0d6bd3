// zlib's CRC-32 for the page's build, which has no zlib (Emscripten's would be downloaded): the
// same polynomial and bit order, so saved games carry the same checks as the desktop's.
#include <array>

#include "engine/platform/web/zlib/zlib.h"

namespace {
constexpr std::array<std::uint32_t, 256> MakeTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
constexpr auto kTable = MakeTable();
}  // namespace

uLong crc32(uLong crc, const Bytef* buf, uInt len) {
    if (!buf) return 0;
    auto c = static_cast<std::uint32_t>(crc) ^ 0xFFFFFFFFu;
    for (uInt i = 0; i < len; ++i) c = kTable[(c ^ buf[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}
