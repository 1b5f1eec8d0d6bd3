#pragma once
#include <filesystem>
#include <optional>

#include "engine/core/CDib.h"
#include "mapeditor/core/TileEdits.h"
#include "mapeditor/core/TileMap.h"

namespace tessel {

inline constexpr int kTilePixels = 16;

// A tile sheet read from its picture file, or nothing when it cannot be read or decoded. A
// game's source folder holds the sheet as picture text (.pic), which is drawn as kit-game draws it.
std::optional<CDib> loadTileSheet(const std::filesystem::path& path);

// The tiles of `part` drawn as the game draws its layers, 16 x 16 pixels a tile, without actors:
// the layers of `layerMask` (bit n for layer n) in the game's order, ground, upper, overlay, over
// black. The marks layer is never drawn. Empty when the part holds no tiles.
CDib renderMap(const TileMap& map, const CDib& sheet, unsigned layerMask, const TileRect& part);
// The whole map.
CDib renderMap(const TileMap& map, const CDib& sheet, unsigned layerMask);

}  // namespace tessel
