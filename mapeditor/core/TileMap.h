#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tessel {

inline constexpr int kLayerCount = 4;
inline constexpr int kMaxMarkNumber = 63;
inline constexpr std::uint8_t kMarkBits = 0x3F;  // the field ignores the two high bits of a mark
// The largest side the editor makes or draws: 1024 tiles are 16384 pixels, the largest picture.
inline constexpr int kMaxSide = 1024;

// The value a cell of each layer takes when it holds nothing: ground tile 0, no mark, and tile
// 255 on the upper and overlay layers (the sheet's empty square by the kit's convention).
std::uint8_t emptyValue(int layer);

// A map file "Mt\NAME.qd": the tile-set number, the size in tiles and the four layers (ground,
// upper, marks, overlay), as the engine reads it. Bytes after the layers, which the engine
// ignores, are kept so that an unchanged map is written back byte for byte.
struct TileMap {
    int tileSet = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> layers;  // 4 x width x height, layer by layer, rows top to bottom
    std::vector<std::uint8_t> trailing;

    static TileMap blank(int tileSet, int width, int height);

    bool inside(int column, int row) const {
        return column >= 0 && row >= 0 && column < width && row < height;
    }
    std::size_t index(int layer, int column, int row) const {
        return (static_cast<std::size_t>(layer) * static_cast<std::size_t>(height) +
                static_cast<std::size_t>(row)) *
                   static_cast<std::size_t>(width) +
               static_cast<std::size_t>(column);
    }
    std::uint8_t at(int layer, int column, int row) const {
        return layers[index(layer, column, row)];
    }
    std::uint8_t& at(int layer, int column, int row) { return layers[index(layer, column, row)]; }

    bool operator==(const TileMap&) const = default;
};

// What reading a map file found.
enum class MapReadStatus {
    Complete,  // every byte of the four layers was there
    Short,     // bytes were missing at the end and read as 0xFF, as the engine reads them
    TooLarge,  // the engine refuses the map (its layers would pass its limit)
    TooWide,   // the engine reads it, but a side passes kMaxSide tiles
};

struct MapRead {
    MapReadStatus status = MapReadStatus::Complete;
    std::optional<TileMap> map;    // present for Complete and Short
    std::size_t missingBytes = 0;  // for Short
};

// Reads a map file's bytes with the engine's own reader.
MapRead readTileMap(std::span<const std::uint8_t> bytes);
// The file's bytes: the header, the four layers and the kept trailing bytes.
std::vector<std::uint8_t> writeTileMap(const TileMap& map);

// An English sentence for the user about a read that was not complete; empty when it was.
std::string describeMapRead(const MapRead& read);

}  // namespace tessel
