#include "mapeditor/core/GameFolder.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <system_error>

#include "common/GamePath.h"
#include "common/WholeFile.h"

namespace tessel {

namespace fs = std::filesystem;

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// The game file `name` + `built`, else `name` + `source` when only that exists.
fs::path builtOrSource(const fs::path& dir, const std::string& name, const char* built,
                       const char* source) {
    const fs::path path = kit::resolveGamePath(dir, name + built);
    std::error_code ec;
    if (fs::exists(path, ec)) return path;
    const fs::path text = kit::resolveGamePath(dir, name + source);
    return fs::exists(text, ec) ? text : path;
}

}  // namespace

fs::path GameFolder::mapPath(const std::string& name) const {
    return builtOrSource(dir, "Mt\\" + name, ".qd", ".map");
}

fs::path GameFolder::attributesPath(int tileSet) const {
    return builtOrSource(dir, "Smt\\sMat" + std::to_string(tileSet), ".qd", ".attr");
}

fs::path GameFolder::sheetPath(int tileSet) const {
    return builtOrSource(dir, "Smt\\map" + std::to_string(tileSet), ".qdg", ".pic");
}

std::vector<std::string> GameFolder::mapNames() const {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(kit::resolveGamePath(dir, "Mt"), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string extension = lower(it->path().extension().string());
        if ((extension == ".qd" || extension == ".map") && it->is_regular_file(ec))
            names.push_back(it->path().stem().string());
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

std::string GameFolder::firstMap() const {
    const std::vector<std::string> names = mapNames();
    if (names.empty()) return "";
    // A script names a map as a string: "$village//" in its source, "7!village" compiled.
    auto script = kit::readWholeFile(kit::resolveGamePath(dir, "ev\\START.src"));
    const bool compiled = !script;
    if (compiled) script = kit::readWholeFile(kit::resolveGamePath(dir, "ev\\START.sc"));
    if (!script) return names.front();
    const std::string_view text(reinterpret_cast<const char*>(script->data()), script->size());
    std::size_t best = std::string::npos;
    std::string first = names.front();
    for (const std::string& name : names) {
        const std::string string =
            compiled ? std::to_string(name.size()) + "!" + name : "$" + name + "//";
        if (const std::size_t at = text.find(string); at < best) {
            best = at;
            first = name;
        }
    }
    return first;
}

bool GameFolder::isSource() const {
    std::error_code ec;
    return fs::exists(kit::resolveGamePath(dir, "ev\\START.src"), ec) &&
           !fs::exists(kit::resolveGamePath(dir, "ev\\START.sc"), ec);
}

fs::path gameDirOfMap(const fs::path& mapFile) {
    const fs::path folder = fs::absolute(mapFile).parent_path();
    if (lower(folder.filename().string()) == "mt") return folder.parent_path();
    return folder;
}

std::string mapNameOf(const fs::path& mapFile) {
    std::string name = mapFile.filename().string();
    for (const std::string ending : {".qd", ".map"})
        if (name.size() > ending.size() &&
            lower(name.substr(name.size() - ending.size())) == ending) {
            name.resize(name.size() - ending.size());
            break;
        }
    return name;
}

bool isMapText(const fs::path& mapFile) {
    return lower(mapFile.extension().string()) == ".map";
}

}  // namespace tessel
