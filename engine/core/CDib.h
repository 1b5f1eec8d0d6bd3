#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

struct Engine;

// A 16-bit 5-5-5 picture (bits 14-10 red, 9-5 green, 4-0 blue), rows stored top-down.
// A pixel of value 0 is the transparent colour of the keyed and blended copies.
class CDib {
  public:
    CDib() = default;

    // Replaces the contents by a black picture of the given size. Sizes that are not positive or
    // absurdly large leave the object empty and return false.
    bool Create(int width, int height);

    // Replaces the contents by the picture file "<name>.qdg" under the game directory (a BMP file
    // under another extension). Each 8-bit channel keeps its top five bits. On failure the error
    // box names the relative name and the object stays empty.
    bool LoadFile(Engine& engine, std::string_view name);

    // Replaces the contents by a picture decoded from the bytes of a BMP file, keeping the top
    // five bits of each channel. Bytes that do not decode leave the object empty.
    bool Decode(std::span<const std::uint8_t> bmp);

    void Destroy();

    bool Empty() const { return pixels_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Bytes per row: twice the width rounded up to even.
    int Stride() const { return stride_; }
    // Entry i is the byte offset of row i (i x stride).
    const std::vector<std::int32_t>& RowOffsets() const { return rowOffsets_; }

    std::uint16_t* Row(int y) { return pixels_.data() + rowOffsets_[y] / 2; }
    const std::uint16_t* Row(int y) const { return pixels_.data() + rowOffsets_[y] / 2; }
    std::uint16_t& At(int x, int y) { return Row(y)[x]; }
    std::uint16_t At(int x, int y) const { return Row(y)[x]; }

    // Pictures larger than this on either side are refused (a damaged file must not exhaust
    // memory).
    static constexpr int kMaxSide = 16384;

  private:
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    std::vector<std::int32_t> rowOffsets_;
    std::vector<std::uint16_t> pixels_;
};

// Converts 8-bit channels to a 5-5-5 pixel by keeping the top five bits of each.
constexpr std::uint16_t Rgb555(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<std::uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}

// Converts a 0x00BBGGRR colour (the outline bit and other high bits are ignored) to 5-5-5.
constexpr std::uint16_t ColorRefTo555(std::uint32_t colorRef) {
    return Rgb555(static_cast<std::uint8_t>(colorRef & 0xFF),
                  static_cast<std::uint8_t>((colorRef >> 8) & 0xFF),
                  static_cast<std::uint8_t>((colorRef >> 16) & 0xFF));
}
