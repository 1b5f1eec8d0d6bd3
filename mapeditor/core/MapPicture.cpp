#include "mapeditor/core/MapPicture.h"

#include <string_view>

#include "common/WholeFile.h"
#include "engine/field/MapLayers.h"
#include "tools/picture/Bmp.h"
#include "tools/picture/PictureText.h"

namespace tessel {

std::optional<CDib> loadTileSheet(const std::filesystem::path& path) {
    auto bytes = kit::readWholeFile(path);
    if (bytes && path.extension() == ".pic") {
        tools::Picture picture;
        const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
        if (!tools::parsePicture(text, path.parent_path().string(), picture).empty())
            return std::nullopt;
        bytes = tools::encodeBmp(picture);
    }
    CDib sheet;
    if (!bytes || !sheet.Decode(*bytes)) return std::nullopt;
    return sheet;
}

CDib renderMap(const TileMap& map, const CDib& sheet, unsigned layerMask, const TileRect& part) {
    CDib picture;
    if (!picture.Create(part.width * kTilePixels, part.height * kTilePixels)) return picture;
    const MapLayersView view{map.layers, map.width, map.height};
    const TileRange range{part.column, part.row, part.column + part.width, part.row + part.height};
    for (const int layer : {kGroundLayer, kUpperLayer, kOverlayLayer})
        if (layerMask & layerBit(layer))
            DrawMapLayer(picture, sheet, view, layer, range, kTilePixels * part.column,
                         kTilePixels * part.row);
    return picture;
}

CDib renderMap(const TileMap& map, const CDib& sheet, unsigned layerMask) {
    return renderMap(map, sheet, layerMask, TileRect{0, 0, map.width, map.height});
}

}  // namespace tessel
