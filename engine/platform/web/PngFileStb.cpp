// Frame pictures in the browser's engine: stb_image_write stands in for libpng, which the page's
// build does not have (F7 and frame dumps write into the page's file system).
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include "common/AtomicFile.h"
#include "engine/core/CDib.h"
#include "engine/platform/PngFile.h"
#include "engine/platform/Rgb24.h"

namespace {
void Append(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}
}  // namespace

std::string WritePng(const std::filesystem::path& path, const CDib& picture, int top, int height) {
    const std::vector<std::uint8_t> rgb = ToRgb24(picture, top, height);
    if (rgb.empty()) return "nothing to write";
    std::vector<std::uint8_t> png;
    const int width = picture.Width();
    if (!stbi_write_png_to_func(Append, &png, width, height, 3, rgb.data(), width * 3))
        return "PNG encoding failed";
    return kit::writeFileAtomically(path, std::span<const std::uint8_t>(png));
}
