#include "engine/platform/Rgb24.h"

#include "engine/core/CDib.h"

namespace {
std::uint8_t Expand5(unsigned v) {
    return static_cast<std::uint8_t>((v << 3) | (v >> 2));
}
}  // namespace

std::vector<std::uint8_t> ToRgb24(const CDib& picture, int top, int height) {
    if (picture.Empty() || top < 0 || height <= 0 || top + height > picture.Height()) return {};
    const auto width = static_cast<std::size_t>(picture.Width());
    std::vector<std::uint8_t> rgb(width * 3u * static_cast<std::size_t>(height));
    std::uint8_t* o = rgb.data();
    for (int y = 0; y < height; ++y) {
        const std::uint16_t* row = picture.Row(top + y);
        for (std::size_t x = 0; x < width; ++x, o += 3) {
            o[0] = Expand5((row[x] >> 10) & 31u);
            o[1] = Expand5((row[x] >> 5) & 31u);
            o[2] = Expand5(row[x] & 31u);
        }
    }
    return rgb;
}
