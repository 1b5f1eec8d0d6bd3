#pragma once
#include <cstdint>
#include <span>

class CDib;

// Decodes a BMP file into `dib`, keeping the top five bits of each 8-bit channel. The caller has
// checked the header's sizes. Each platform build links one decoder: SDL's on the desktop,
// stb_image's in the browser; both give the same channels for the forms the kit's tools write.
bool DecodeBmp(std::span<const std::uint8_t> bytes, CDib& dib);
