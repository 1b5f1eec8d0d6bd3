#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "tools/picture/PictureText.h"

namespace tools {

// A 24-bit Windows bitmap file (bottom-up rows, each padded to four bytes): the engine's picture
// file format.
std::vector<std::uint8_t> encodeBmp(const Picture& picture);

// Reads back a 24-bit bitmap written by encodeBmp (used by the tests and the preview).
std::optional<Picture> decodeBmp(std::span<const std::uint8_t> bytes);

// A PNG of the picture enlarged by a whole factor, for looking at the art.
std::vector<std::uint8_t> encodePng(const Picture& picture, int scale);

}  // namespace tools
