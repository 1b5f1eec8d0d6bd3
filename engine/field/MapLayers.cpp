#include "engine/field/MapLayers.h"

#include <algorithm>

#include "engine/core/CDib.h"
#include "engine/core/Draw.h"
#include "engine/field/FieldState.h"

void DrawMapLayer(CDib& target, const CDib& sheet, const MapLayersView& map, int layer,
                  const TileRange& range, int originX, int originY) {
    if (layer < 0 || layer >= kMapLayerCount || layer == kMarksLayer) return;
    const std::size_t area = static_cast<std::size_t>(std::max(map.width, 0)) *
                             static_cast<std::size_t>(std::max(map.height, 0));
    const std::size_t base = static_cast<std::size_t>(layer) * area;
    // Tiles outside the map are not drawn: a view may reach past its edges.
    const int firstColumn = std::max(range.firstColumn, 0);
    const int endColumn = std::min(range.endColumn, map.width);
    const int firstRow = std::max(range.firstRow, 0);
    const int endRow = std::min(range.endRow, map.height);
    for (int row = firstRow; row < endRow; ++row)
        for (int column = firstColumn; column < endColumn; ++column) {
            const std::size_t at =
                base + static_cast<std::size_t>(row) * static_cast<std::size_t>(map.width) +
                static_cast<std::size_t>(column);
            if (at >= map.layers.size()) return;
            const std::uint8_t tile = map.layers[at];
            const int left = (tile & 0x0F) * kTileSize, top = (tile >> 4) * kTileSize;
            const int x = kTileSize * column - originX, y = kTileSize * row - originY;
            if (layer == kGroundLayer)
                BltCopy(target, x, y, sheet, left, top, left + kTileSize, top + kTileSize);
            else if (layer == kUpperLayer)
                BltKeyed(target, x, y, sheet, left, top, left + kTileSize, top + kTileSize);
            else
                BltBlend(target, x, y, sheet, left, top, left + kTileSize, top + kTileSize,
                         kOverlayLevel);
        }
}
