#include "mapeditor/core/MapDoors.h"

#include <cctype>
#include <string_view>

#include "common/AtomicFile.h"
#include "common/GamePath.h"
#include "common/WholeFile.h"
#include "tools/mapmake/DoorText.h"

namespace tessel {

namespace fs = std::filesystem;

namespace {

fs::path besideMap(const fs::path& mapFile, const char* extension) {
    return mapFile.parent_path() / (mapNameOf(mapFile) + extension);
}

bool isDoorText(const fs::path& path) {
    return path.extension() == ".doors";
}

}  // namespace

fs::path doorFilePath(const fs::path& mapFile, bool source) {
    std::error_code ec;
    for (const char* extension : {".doors", ".dr"}) {
        const fs::path path =
            kit::resolveGamePath(mapFile.parent_path(), mapNameOf(mapFile) + extension);
        if (fs::exists(path, ec)) return path;
    }
    return besideMap(mapFile, source ? ".doors" : ".dr");
}

DoorFile readDoorFile(const fs::path& mapFile, bool source) {
    DoorFile file;
    const fs::path path = doorFilePath(mapFile, source);
    const auto bytes = kit::readWholeFile(path);
    if (!bytes) return file;  // no doors: every mark runs its label
    std::string why;
    if (isDoorText(path)) {
        file.doors = tools::parseDoorText(
            std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), why);
    } else {
        auto table = ParseDoorTable(*bytes);
        if (auto* doors = std::get_if<std::vector<Door>>(&table))
            file.doors = std::move(*doors);
        else
            why = std::get<DoorTableError>(table).message;
    }
    if (!why.empty())
        file.problem = "The doors " + path.filename().string() + " cannot be read (" + why +
                       "); they are left as they are until mended.";
    file.saved = file.doors;
    return file;
}

std::string writeDoorFile(DoorFile& file, const fs::path& mapFile, bool source, bool moved) {
    if (!file.problem.empty() || (file.doors == file.saved && !moved)) return "";
    if (moved && file.doors.empty()) return "";
    const fs::path path = doorFilePath(mapFile, source);
    const std::string e = isDoorText(path)
                              ? kit::writeFileAtomically(path, tools::writeDoorText(file.doors))
                              : kit::writeFileAtomically(path, WriteDoorTable(file.doors));
    if (!e.empty()) return "cannot write " + path.string() + ": " + e;
    file.saved = file.doors;
    return "";
}

std::set<int> scriptEventLabels(const GameFolder& game) {
    std::set<int> labels;
    for (const char* name : {"ev\\START.src", "ev\\START.script", "ev\\START.sc"}) {
        const auto bytes = kit::readWholeFile(kit::resolveGamePath(game.dir, name));
        if (!bytes) continue;
        const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
        for (std::size_t at = text.find("PLC"); at != std::string_view::npos;
             at = text.find("PLC", at + 3)) {
            std::size_t end = at + 3;
            int number = 0;
            while (end < text.size() && end < at + 6 && text[end] >= '0' && text[end] <= '9')
                number = number * 10 + (text[end++] - '0');
            const bool whole =
                end == text.size() || !std::isalnum(static_cast<unsigned char>(text[end]));
            if (end > at + 3 && whole) labels.insert(number);
        }
    }
    return labels;
}

std::vector<MarkUse> marksOf(const TileMap& map, const std::vector<Door>& doors,
                             const std::set<int>& labels) {
    std::set<int> used;
    for (int r = 0; r < map.height; ++r)
        for (int c = 0; c < map.width; ++c)
            if (const int mark = map.at(2, c, r) & kMarkBits; mark > 0) used.insert(mark);
    for (const Door& d : doors) used.insert(d.mark);
    std::vector<MarkUse> marks;
    for (int mark : used)
        marks.push_back(MarkUse{mark, FindDoor(doors, mark), labels.count(mark - 1) != 0});
    return marks;
}

}  // namespace tessel
