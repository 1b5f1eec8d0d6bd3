#include "mapeditor/core/MapPicture.h"

#include "common/WholeFile.h"
#include "engine/field/MapLayers.h"

namespace tessel {

namespace {

constexpr int kTilePixels = 16;

}  // namespace

std::optional<CDib> loadTileSheet(const std::filesystem::path& path) {
    const auto bytes = kit::readWholeFile(path);
    CDib sheet;
    if (!bytes || !sheet.Decode(*bytes)) return std::nullopt;
    return sheet;
}

CDib renderMap(const TileMap& map, const CDib& sheet, unsigned layerMask) {
    CDib picture;
    if (!picture.Create(map.width * kTilePixels, map.height * kTilePixels)) return picture;
    const MapLayersView view{map.layers, map.width, map.height};
    const TileRange all{0, 0, map.width, map.height};
    for (const int layer : {kGroundLayer, kUpperLayer, kOverlayLayer})
        if (layerMask & (1u << layer)) DrawMapLayer(picture, sheet, view, layer, all, 0, 0);
    return picture;
}

}  // namespace tessel
