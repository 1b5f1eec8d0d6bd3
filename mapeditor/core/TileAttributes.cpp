#include "mapeditor/core/TileAttributes.h"

#include <algorithm>

namespace tessel {

void TileAttributes::setBlocks(int tile, bool on) {
    std::uint8_t& b = bytes[offsetOf(tile)];
    b = static_cast<std::uint8_t>(on ? (b | kBlocksBit) : (b & ~kBlocksBit));
}

TileAttributes readTileAttributes(std::span<const std::uint8_t> bytes) {
    TileAttributes attributes;
    attributes.bytes.assign(bytes.begin(), bytes.end());
    if (attributes.bytes.size() < kAttributeBytes) {
        attributes.missingBytes = kAttributeBytes - attributes.bytes.size();
        attributes.bytes.resize(kAttributeBytes, 0xFF);
    }
    return attributes;
}

}  // namespace tessel
