#include "tools/picture/Bmp.h"

#include <png.h>

#include "common/LittleEndian.h"

namespace tools {

std::vector<std::uint8_t> encodeBmp(const Picture& p) {
    const std::uint32_t rowBytes = static_cast<std::uint32_t>((p.width * 3 + 3) & ~3);
    const std::uint32_t dataSize = rowBytes * static_cast<std::uint32_t>(p.height);
    std::vector<std::uint8_t> out;
    out.reserve(54 + dataSize);
    out.push_back('B');
    out.push_back('M');
    kit::appendU32LE(out, 54 + dataSize);
    kit::appendU32LE(out, 0);
    kit::appendU32LE(out, 54);
    kit::appendU32LE(out, 40);
    kit::appendI32LE(out, p.width);
    kit::appendI32LE(out, p.height);  // positive: rows stored bottom-up
    kit::appendU16LE(out, 1);
    kit::appendU16LE(out, 24);
    kit::appendU32LE(out, 0);
    kit::appendU32LE(out, dataSize);
    kit::appendU32LE(out, 2835);
    kit::appendU32LE(out, 2835);
    kit::appendU32LE(out, 0);
    kit::appendU32LE(out, 0);
    for (int y = p.height - 1; y >= 0; --y) {
        std::size_t start = out.size();
        for (int x = 0; x < p.width; ++x) {
            const Rgb& c = p.at(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        while (out.size() - start < rowBytes) out.push_back(0);
    }
    return out;
}

std::optional<Picture> decodeBmp(std::span<const std::uint8_t> b) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
    std::uint32_t offset = kit::readU32LE(b, 10);
    std::int32_t w = kit::readI32LE(b, 18), h = kit::readI32LE(b, 22);
    if (kit::readU16LE(b, 28) != 24 || w < 1 || h == 0 || w > 4096 || h > 4096 || h < -4096)
        return std::nullopt;
    bool bottomUp = h > 0;
    int height = bottomUp ? h : -h;
    std::size_t rowBytes = static_cast<std::size_t>((w * 3 + 3) & ~3);
    if (offset > b.size() || b.size() - offset < rowBytes * static_cast<std::size_t>(height))
        return std::nullopt;
    Picture p;
    p.width = w;
    p.height = height;
    p.pixels.resize(static_cast<std::size_t>(w) * height);
    for (int y = 0; y < height; ++y) {
        std::size_t row =
            offset + rowBytes * static_cast<std::size_t>(bottomUp ? height - 1 - y : y);
        for (int x = 0; x < w; ++x) {
            std::size_t at = row + static_cast<std::size_t>(x) * 3;
            p.at(x, y) = Rgb{b[at + 2], b[at + 1], b[at]};
        }
    }
    return p;
}

namespace {
void appendPng(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
void flushPng(png_structp) {}
}  // namespace

std::vector<std::uint8_t> encodePng(const Picture& p, int scale) {
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return out;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return {};
    }
    const int w = p.width * scale, h = p.height * scale;
    png_set_write_fn(png, &out, appendPng, flushPng);
    png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<std::size_t>(w) * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Rgb& c = p.at(x / scale, y / scale);
            row[static_cast<std::size_t>(x) * 3] = c.r;
            row[static_cast<std::size_t>(x) * 3 + 1] = c.g;
            row[static_cast<std::size_t>(x) * 3 + 2] = c.b;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace tools
