#pragma once
#include <cstdint>
#include <span>

class CDib;

// The field's drawing of map layers, shared by the field scene and the map editor: ground tiles
// are copied opaquely, the upper layer with the colour key, the overlay blended at half strength.
// The marks layer is never drawn.
inline constexpr int kOverlayLevel = 16;

enum MapLayer : int { kGroundLayer = 0, kUpperLayer = 1, kMarksLayer = 2, kOverlayLayer = 3 };
inline constexpr int kMapLayerCount = 4;

// A map's four layers of width x height tile bytes each, layer by layer, rows top to bottom.
struct MapLayersView {
    std::span<const std::uint8_t> layers;
    int width = 0;
    int height = 0;
};

// A range of tiles: columns firstColumn..endColumn-1, rows firstRow..endRow-1.
struct TileRange {
    int firstColumn = 0, firstRow = 0, endColumn = 0, endRow = 0;
};

// Draws one layer's tiles of `range` (tiles outside the map are skipped) from the 16 x 16 tile
// sheet into `target`: tile (c, r) lands at (16c - originX, 16r - originY).
void DrawMapLayer(CDib& target, const CDib& sheet, const MapLayersView& map, int layer,
                  const TileRange& range, int originX, int originY);
