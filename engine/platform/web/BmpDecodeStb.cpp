// The browser's BMP decoder: stb_image, compiled into the page's engine (SDL is not there).
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#include <stb_image.h>

#include <climits>

#include "engine/core/BmpDecode.h"
#include "engine/core/CDib.h"

bool DecodeBmp(std::span<const std::uint8_t> bytes, CDib& dib) {
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return false;
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* rgb = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width,
                                         &height, &channels, 3);
    if (!rgb) return false;
    const bool ok = dib.Create(width, height);
    if (ok) {
        for (int y = 0; y < height; ++y) {
            const stbi_uc* src =
                rgb + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3;
            std::uint16_t* dst = dib.Row(y);
            for (int x = 0; x < width; ++x)
                dst[x] = Rgb555(src[3 * x], src[3 * x + 1], src[3 * x + 2]);
        }
    }
    stbi_image_free(rgb);
    return ok;
}
