#include "mapeditor/core/GameFolder.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "common/GamePath.h"

namespace tessel {

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

}  // namespace

std::filesystem::path GameFolder::mapPath(const std::string& name) const {
    return kit::resolveGamePath(dir, "Mt\\" + name + ".qd");
}

std::filesystem::path GameFolder::attributesPath(int tileSet) const {
    return kit::resolveGamePath(dir, "Smt\\sMat" + std::to_string(tileSet) + ".qd");
}

std::filesystem::path GameFolder::sheetPath(int tileSet) const {
    return kit::resolveGamePath(dir, "Smt\\map" + std::to_string(tileSet) + ".qdg");
}

std::vector<std::string> GameFolder::mapNames() const {
    std::vector<std::string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(kit::resolveGamePath(dir, "Mt"), ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
        if (lower(it->path().extension().string()) == ".qd" && it->is_regular_file(ec))
            names.push_back(it->path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::filesystem::path gameDirOfMap(const std::filesystem::path& mapFile) {
    const std::filesystem::path folder = std::filesystem::absolute(mapFile).parent_path();
    if (lower(folder.filename().string()) == "mt") return folder.parent_path();
    return folder;
}

std::string mapNameOf(const std::filesystem::path& mapFile) {
    std::string name = mapFile.filename().string();
    if (name.size() > 3 && lower(name.substr(name.size() - 3)) == ".qd")
        name.resize(name.size() - 3);
    return name;
}

}  // namespace tessel
