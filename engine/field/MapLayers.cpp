#include "engine/field/MapLayers.h"

#include <algorithm>

#include "engine/core/CDib.h"
#include "engine/core/Draw.h"

namespace {

constexpr int kTile = 16;

}  // namespace

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
            const int left = (tile & 0x0F) * kTile, top = (tile >> 4) * kTile;
            const int x = kTile * column - originX, y = kTile * row - originY;
            if (layer == kGroundLayer)
                BltCopy(target, x, y, sheet, left, top, left + kTile, top + kTile);
            else if (layer == kUpperLayer)
                BltKeyed(target, x, y, sheet, left, top, left + kTile, top + kTile);
            else
                BltBlend(target, x, y, sheet, left, top, left + kTile, top + kTile, kOverlayLevel);
        }
}
