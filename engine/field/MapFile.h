#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// A map file starts with the tile-set byte, then the width and the height as 16-bit
// little-endian numbers; the four layers follow.
inline constexpr std::size_t kMapHeaderBytes = 5;

// The largest map accepted: its four layers together may not pass 64 MiB.
inline constexpr std::size_t kMaxMapLayerBytes = std::size_t{64} << 20;

// The contents of a map file "Mt\NAME.qd": a tile-set number, the size in tiles and four layers
// of width x height tile bytes each (ground, upper, marks, overlay).
struct MapData {
    int tileSet = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> layers;  // 4 x width x height, layer by layer, rows top to bottom
};

// Reads a map file's bytes. Bytes missing at the end of the file read as 0xFF, as they always have.
// Returns nothing when the layers would pass kMaxMapLayerBytes.
std::optional<MapData> ParseMapFile(std::span<const std::uint8_t> bytes);

// The map file's bytes: the header, then the layers as they stand. The size must fit 16 bits.
std::vector<std::uint8_t> WriteMapFile(const MapData& map);

// Where the attribute of a tile number stands in a tile-attribute file, which lists the tile
// sheet column by column: tile b at byte (b & 0x0F) * 16 + (b >> 4).
constexpr std::size_t TileAttributeOffset(int tile) {
    return static_cast<std::size_t>((tile & 0x0F) * 16 + ((tile >> 4) & 0x0F));
}

// Reads a tile-attribute file's bytes into one attribute per tile number (see
// TileAttributeOffset). Missing bytes read as 0xFF, like the map's.
std::array<std::int32_t, 256> ParseTileAttributes(std::span<const std::uint8_t> bytes);
