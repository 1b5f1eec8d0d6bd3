#pragma once
// The picture files tests and fuzz targets write into their game directories.
#include <cstdint>
#include <functional>
#include <vector>

// A 24-bit bottom-up BMP whose pixel (x, y) has the 0xRRGGBB colour rgb(x, y).
inline std::vector<std::uint8_t> MakeBmp(int width, int height,
                                         const std::function<std::uint32_t(int, int)>& rgb) {
    const int rowBytes = (width * 3 + 3) & ~3;
    const std::uint32_t size = 54 + static_cast<std::uint32_t>(rowBytes * height);
    std::vector<std::uint8_t> b(size, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = 24;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = b.data() + 54 + static_cast<std::size_t>((height - 1 - y) * rowBytes);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = rgb(x, y);
            row[3 * x] = static_cast<std::uint8_t>(c);
            row[3 * x + 1] = static_cast<std::uint8_t>(c >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(c >> 16);
        }
    }
    return b;
}
