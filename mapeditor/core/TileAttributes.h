#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/field/MapFile.h"

namespace tessel {

inline constexpr std::uint8_t kBlocksBit = 0x20;  // the tile stops walkers
inline constexpr std::size_t kAttributeBytes = 256;

// A tile-attribute file "Smt\sMatN.qd": one byte per tile number, listed column by column of the
// tile sheet (see TileAttributeOffset). Bytes past the 256, which the game
// ignores, are kept so that an unchanged file is written back byte for byte.
struct TileAttributes {
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kAttributeBytes, 0);
    std::size_t missingBytes = 0;  // how many of the 256 were missing and read as 0xFF

    static std::size_t offsetOf(int tile) { return TileAttributeOffset(tile); }
    bool blocks(int tile) const { return (bytes[offsetOf(tile)] & kBlocksBit) != 0; }
    void setBlocks(int tile, bool on);

    bool operator==(const TileAttributes& other) const { return bytes == other.bytes; }
};

// Reads the file as the game does: missing bytes read as 0xFF (so those tiles block).
TileAttributes readTileAttributes(std::span<const std::uint8_t> bytes);

}  // namespace tessel
