#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "mapeditor/core/TileMap.h"

namespace tessel {

// A rectangle of cells: columns column..column+width-1, rows row..row+height-1.
struct TileRect {
    int column = 0, row = 0, width = 0, height = 0;

    bool empty() const { return width <= 0 || height <= 0; }
    bool contains(int c, int r) const {
        return c >= column && r >= row && c < column + width && r < row + height;
    }
    bool operator==(const TileRect&) const = default;
};

// The rectangle spanned by two corner cells, in either order.
TileRect spanOf(int column0, int row0, int column1, int row1);
TileRect intersect(const TileRect& a, const TileRect& b);
TileRect unite(const TileRect& a, const TileRect& b);

// A block of tile values of one layer: the brush painted with, width x height, row by row.
struct TileBlock {
    int width = 1, height = 1;
    std::vector<std::uint8_t> values = {0};

    std::uint8_t at(int column, int row) const {
        return values[static_cast<std::size_t>(row * width + column)];
    }
    static TileBlock single(std::uint8_t value) { return TileBlock{1, 1, {value}}; }
};

// New values for a rectangle of a map, for the layers it holds. Every change of the map's cells
// is one patch, and its undo is the patch of the old values.
struct TilePatch {
    TileRect rect;
    std::array<std::vector<std::uint8_t>, kLayerCount> layers;  // empty: the layer is left alone

    bool empty() const;
    std::uint8_t at(int layer, int column, int row) const {
        return layers[static_cast<std::size_t>(layer)][static_cast<std::size_t>(
            (row - rect.row) * rect.width + column - rect.column)];
    }
};

// The map's current values of `rect` (clipped to the map) for the layers in `layerMask`
// (bit n for layer n).
TilePatch capture(const TileMap& map, const TileRect& rect, unsigned layerMask);
// Writes the patch into the map (cells outside it are skipped) and returns the values it replaced.
TilePatch apply(TileMap& map, const TilePatch& patch);

// True when applying the patch would change a cell.
bool changesMap(const TileMap& map, const TilePatch& patch);

inline constexpr unsigned kAllLayers = 0xF;
constexpr unsigned layerBit(int layer) {
    return 1u << layer;
}

// What a brush value becomes in a cell: marks keep the two high bits the field ignores.
std::uint8_t paintedValue(int layer, std::uint8_t old, std::uint8_t value);

// The tools, as pure functions from the map to the patch that they would apply.
// Pencil: the brush with its top-left tile at (column, row).
TilePatch stampBrush(const TileMap& map, int layer, int column, int row, const TileBlock& brush);
// Rectangle: the rectangle filled with the brush repeated from its top-left corner.
TilePatch fillRect(const TileMap& map, int layer, const TileRect& rect, const TileBlock& brush);
// Flood fill: the 4-connected cells of the same value as (column, row), filled with the brush
// repeated from (column, row). Marks compare by their event number.
TilePatch floodFill(const TileMap& map, int layer, int column, int row, const TileBlock& brush);
// The value the eraser leaves in `layer` of this map: the ground tile most of the map's ground is
// (the lowest of equals), and the kit's empty value (see emptyValue) on the other layers.
std::uint8_t mapEmptyValue(const TileMap& map, int layer);
// Eraser: the layers of `layerMask` in `rect` become the map's empty value; marks lose their
// number and keep their high bits.
TilePatch eraseRect(const TileMap& map, const TileRect& rect, unsigned layerMask);
// The value a brush takes from a cell (a mark's event number).
std::uint8_t pickValue(const TileMap& map, int layer, int column, int row);
// A block of all four layers moved to start at (column, row), clipped to the map.
TilePatch placedAt(const TileMap& map, const TilePatch& block, int column, int row);
// Move: `rect`'s layers of `layerMask` go to its place shifted by (dx, dy); the cells left take
// the map's empty value, as the eraser leaves them.
TilePatch moveRect(const TileMap& map, const TileRect& rect, unsigned layerMask, int dx, int dy);

// Where the old map sits in a resized one: 0 1 2 along the top, 3 4 5 through the middle, 6 7 8
// along the bottom (0 keeps the top-left corner, 4 centres the old map).
enum class Anchor { TopLeft, Top, TopRight, Left, Centre, Right, BottomLeft, Bottom, BottomRight };

// The map with a new size; new cells are empty, cells that fall outside are dropped.
TileMap resized(const TileMap& map, int width, int height, Anchor anchor);

}  // namespace tessel
