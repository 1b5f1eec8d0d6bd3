#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "designer/core/SoundDesign.h"

namespace kyrel {

// The staging buffer of the selection, clipboard and paste: the selected points with the
// first one at index 0.
using ClipBuffer = Curve;

// Copies the points start ... end of the curve into the buffer, and up to 256 points after end
// as well, never past the curve's last point; entries not reached keep their content.
void copySelectionToBuffer(ClipBuffer& buffer, const Curve& curve, int start, int end);

// Writes entries 0 ... end - start of the buffer over the points start ... end of the curve.
// Indices outside the curve are skipped.
void writeBufferToCurve(const ClipBuffer& buffer, Curve& curve, int start, int end);

// The clipboard block: 8808 bytes of buffer, then start x (0), start y (0), length, end y (0)
// and 48 bytes left zero, little-endian. `length` is end - start of the copied selection, so
// the block holds length + 1 meaningful points.
inline constexpr std::size_t kClipBlockBytes = 8872;
inline constexpr char kClipMimeType[] = "application/x-kyrel-curve";

std::vector<std::uint8_t> encodeClipBlock(const ClipBuffer& buffer, std::int32_t length);

struct DecodedClipBlock {
    ClipBuffer buffer{};
    std::int32_t startX = 0;
    std::int32_t endX = 0;
};

// Reads a block another copy of the program (or anything else) put on the clipboard. A block
// too short to hold the length word is no block. The start and end are clamped into the curve
// so that a damaged block can never place points outside it.
std::optional<DecodedClipBlock> decodeClipBlock(std::span<const std::uint8_t> bytes);

}  // namespace kyrel
