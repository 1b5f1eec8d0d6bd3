#pragma once
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "engine/field/DoorTable.h"
#include "mapeditor/core/GameFolder.h"
#include "mapeditor/core/TileMap.h"

namespace tessel {

// A map's doors as the file beside it holds them: the built table "Mt\NAME.dr" in a game
// directory, the text "Mt\NAME.doors" in a source folder (see tools/mapmake/DoorText.h), whichever
// exists first. A file that cannot be read is left alone: its doors are not shown and not saved
// over.
struct DoorFile {
    std::vector<Door> doors;
    std::vector<Door> saved;  // as the file holds them
    std::string problem;      // why the file cannot be read, or ""
};

std::filesystem::path doorFilePath(const std::filesystem::path& mapFile, bool source);
DoorFile readDoorFile(const std::filesystem::path& mapFile, bool source);
// Writes the doors beside `mapFile` when they changed or the map moved there (whole or not at
// all); "" or the reason.
std::string writeDoorFile(DoorFile& file, const std::filesystem::path& mapFile, bool source,
                          bool moved);

// The event numbers n whose label PLCn the game's start script holds: ev\START.src, .script or
// the compiled .sc (its labels are kept as text).
std::set<int> scriptEventLabels(const GameFolder& game);

// A mark used on the map: its door, whether the start script has its label.
struct MarkUse {
    int mark = 0;
    const Door* door = nullptr;
    bool hasLabel = false;
    bool dangling() const { return !door && !hasLabel; }
};
std::vector<MarkUse> marksOf(const TileMap& map, const std::vector<Door>& doors,
                             const std::set<int>& labels);

}  // namespace tessel
