#pragma once
#include <filesystem>
#include <optional>

#include "engine/core/CDib.h"
#include "mapeditor/core/TileMap.h"

namespace tessel {

// A tile sheet read from its picture file, or nothing when it cannot be read or decoded.
std::optional<CDib> loadTileSheet(const std::filesystem::path& path);

// The whole map drawn as the game draws its layers, 16 x 16 pixels a tile, without actors: the
// layers of `layerMask` (bit n for layer n) in the game's order, ground, upper, overlay, over
// black. The marks layer is never drawn. Empty when the map has no tiles.
CDib renderMap(const TileMap& map, const CDib& sheet, unsigned layerMask);

}  // namespace tessel
