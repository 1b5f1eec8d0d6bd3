#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/core/CDib.h"
#include "mapeditor/core/GameFolder.h"
#include "mapeditor/core/MapDoors.h"
#include "mapeditor/core/TileAttributes.h"
#include "mapeditor/core/TileMap.h"

namespace tessel {

// The map being edited with what belongs to it: its game directory, the tile sheet and the tile
// attributes of its tile set. The attributes are a file of their own, shared by every map of the
// tile set, and are written only when they were changed.
struct MapDocument {
    GameFolder game;
    std::filesystem::path mapFile;  // empty for a new map that was never saved
    TileMap map;
    TileAttributes attributes;       // of the map's tile set
    TileAttributes savedAttributes;  // as the file holds them
    int attributesSet = -1;          // the tile set `attributes` belong to
    // The attributes of tile sets shown before, with their saved state, so that a change of the
    // map's tile set loses no edit of another set's attributes.
    std::map<int, std::pair<TileAttributes, TileAttributes>> otherSets;
    DoorFile doors;            // the doors of the map's marks, saved with the map
    CDib sheet;                // empty when the picture cannot be read
    std::string sheetProblem;  // why the sheet or attributes could not be read, or ""

    std::string name() const;  // the map name, "" when never saved
};

struct OpenResult {
    std::optional<MapDocument> document;  // nothing when the map cannot be opened
    std::string message;                  // the reason, or a warning about a damaged map
};

// The bytes of a map file as the game reads them: Tessel's own file (.qd) as it is, the text form
// (.map) converted as kit-game converts it. Nothing when the file cannot be read or the text does
// not convert (then `why` says why).
std::optional<std::vector<std::uint8_t>> readMapBytes(const std::filesystem::path& mapFile,
                                                      std::string& why);
// Opens a map file, Tessel's own (.qd) or the text form (.map, read as kit-game reads it), with
// the sheet and attributes of its tile set from `gameDir`.
OpenResult openMap(const std::filesystem::path& mapFile, const std::filesystem::path& gameDir);
// A new map of the given size in `gameDir`, every cell empty.
MapDocument newMap(const std::filesystem::path& gameDir, int tileSet, int width, int height);

// Reads the tile sheet and attributes of the map's tile set (after opening or a change of set).
void loadTileSet(MapDocument& document);

// Writes the map to `mapFile` (and the attributes and doors, when they were changed), each file
// whole or not at all. Returns "" on success, otherwise the reason; on success `document.mapFile`
// becomes `mapFile`.
std::string saveMap(MapDocument& document, const std::filesystem::path& mapFile);

// Tessel saves maps in its own form only (a text form ".map" is refused, its comments and legend
// would be lost); attributes kept as text (".attr") are written as text, their leading comments
// kept. When a saved map "NAME.qd" has a text form "NAME.map" beside it, a sentence saying that
// kit-game builds only one of the two; "" otherwise.
std::string textTwinNote(const std::filesystem::path& mapFile);

}  // namespace tessel
