// The engine's folders are layers: core, then script and field, game, battle, save, title,
// platform. A file includes headers of its own layer and those below, never of one above, so that
// each subsystem builds and changes without the ones that use it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::map<std::string, int> kLayer = {
    {"core", 0},   {"words", 0}, {"script", 1}, {"field", 1}, {"game", 2},     {"items", 2},
    {"battle", 3}, {"menu", 3},  {"save", 4},   {"title", 5}, {"platform", 6},
};

// The Engine object holds every subsystem's state; those state headers never include Engine.h.
const std::set<std::string> kEngineStateHeaders = {
    "battle/BattleState.h",  "battle/GameData.h",  "field/FieldState.h", "field/TextBox.h",
    "game/GameState.h",      "items/ItemState.h",  "menu/MenuState.h",   "save/SaveSystem.h",
    "script/ScriptSystem.h", "title/TitleState.h", "words/Words.h",
};

struct Scan {
    int includes = 0;                 // engine includes read
    std::vector<std::string> upward;  // "file:line: included" of each that points up
};

// The path after "engine/" of an `#include "engine/..."` line, or "" for any other line.
std::string EngineInclude(std::string_view line) {
    const auto skipBlanks = [&line] {
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
    };
    skipBlanks();
    if (!line.starts_with('#')) return "";
    line.remove_prefix(1);
    skipBlanks();
    if (!line.starts_with("include")) return "";
    line.remove_prefix(7);
    skipBlanks();
    if (!line.starts_with("\"engine/")) return "";
    line.remove_prefix(8);
    const auto end = line.find('"');
    return end == std::string_view::npos ? "" : std::string(line.substr(0, end));
}

Scan ScanEngine(const fs::path& engineDir) {
    Scan scan;
    for (const auto& entry : fs::recursive_directory_iterator(engineDir)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".h" && ext != ".cpp") continue;
        const fs::path relative = fs::relative(entry.path(), engineDir);
        const auto from = kLayer.find(relative.begin()->string());
        if (from == kLayer.end()) continue;  // main.cpp sits above every layer
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            const std::string included = EngineInclude(line);
            const auto slash = included.find('/');
            if (slash == std::string::npos) continue;
            ++scan.includes;
            const auto to = kLayer.find(included.substr(0, slash));
            if (to == kLayer.end() || to->second <= from->second) continue;
            if (relative == "core/Engine.h" && kEngineStateHeaders.count(included)) continue;
            scan.upward.push_back(relative.generic_string() + ":" + std::to_string(number) + ": " +
                                  included);
        }
    }
    return scan;
}

TEST(EngineLayering, NoFolderIncludesAHigherOne) {
    const Scan scan = ScanEngine(ENGINE_SOURCE_DIR);
    EXPECT_GT(scan.includes, 200) << "the scan did not find the engine's sources";
    std::string list;
    for (const std::string& u : scan.upward) list += "\n  " + u;
    EXPECT_TRUE(scan.upward.empty()) << "includes that point up the layers:" << list;
}

}  // namespace
