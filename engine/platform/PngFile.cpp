#include "engine/platform/PngFile.h"

#include <png.h>

#include <vector>

#include "common/AtomicFile.h"
#include "engine/core/CDib.h"
#include "engine/platform/Rgb24.h"

namespace {

void AppendToBuffer(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

}  // namespace

std::string WritePng(const std::filesystem::path& path, const CDib& picture, int top, int height) {
    std::vector<std::uint8_t> rgb = ToRgb24(picture, top, height);
    if (rgb.empty()) return "nothing to write";
    const int width = picture.Width();

    std::vector<std::uint8_t> encoded;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return "cannot start the PNG encoder";
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return "PNG encoding failed";
    }
    png_set_write_fn(png, &encoded, AppendToBuffer, nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png,
                      &rgb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3u]);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return kit::writeFileAtomically(path, std::span<const std::uint8_t>(encoded));
}
