#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace tessel {

// The files of a game directory that the editor works on. Names follow the game's rules: an
// exact path first, then one that ignores letter case component by component.
struct GameFolder {
    std::filesystem::path dir;

    // "Mt\NAME.qd", "Smt\sMatN.qd" and "Smt\mapN.qdg" under the directory.
    std::filesystem::path mapPath(const std::string& name) const;
    std::filesystem::path attributesPath(int tileSet) const;
    std::filesystem::path sheetPath(int tileSet) const;
    // The names of the maps in "Mt", sorted.
    std::vector<std::string> mapNames() const;
};

// The game directory a map file belongs to: the parent of its folder when that folder is "Mt"
// (in any letter case), otherwise the map's own folder.
std::filesystem::path gameDirOfMap(const std::filesystem::path& mapFile);
// The map name of a map file: its file name without ".qd".
std::string mapNameOf(const std::filesystem::path& mapFile);

}  // namespace tessel
