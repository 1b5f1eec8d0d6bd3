#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace tessel {

// The files of a game directory that the editor works on, built (as Dunmere plays it) or a
// game's source folder (as kit-game builds it). A source folder may keep a map as Tessel's own
// file "Mt\NAME.qd", which kit-game copies as it is, or as text "Mt\NAME.map"; the tile sheet as
// picture text "Smt\mapN.pic" and the attributes as text "Smt\sMatN.attr". Names follow the
// game's rules: an exact path first, then one that ignores letter case component by component.
struct GameFolder {
    std::filesystem::path dir;

    // The map file of a name: "Mt\NAME.qd", else the text "Mt\NAME.map" where only that exists.
    std::filesystem::path mapPath(const std::string& name) const;
    // "Smt\sMatN.qd" and "Smt\mapN.qdg", else the source forms ".attr" and ".pic" where only
    // those exist.
    std::filesystem::path attributesPath(int tileSet) const;
    std::filesystem::path sheetPath(int tileSet) const;
    // The names of the maps in "Mt" (both forms), sorted.
    std::vector<std::string> mapNames() const;
    // The map the game starts on: the first map its start script (ev\START.src or ev\START.sc)
    // names; else the first of mapNames(); "" when there is none.
    std::string firstMap() const;
    // A source folder: it holds ev\START.src and no compiled ev\START.sc.
    bool isSource() const;
};

// The game directory a map file belongs to: the parent of its folder when that folder is "Mt"
// (in any letter case), otherwise the map's own folder.
std::filesystem::path gameDirOfMap(const std::filesystem::path& mapFile);
// The map name of a map file: its file name without ".qd" or ".map".
std::string mapNameOf(const std::filesystem::path& mapFile);
// Whether a map file is the text form (".map").
bool isMapText(const std::filesystem::path& mapFile);

}  // namespace tessel
