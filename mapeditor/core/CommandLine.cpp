#include "mapeditor/core/CommandLine.h"

#include <cctype>
#include <filesystem>
#include <sstream>

#include "common/AtomicFile.h"
#include "common/GamePath.h"
#include "common/WholeFile.h"
#include "engine/platform/PngFile.h"
#include "mapeditor/core/GameFolder.h"
#include "mapeditor/core/MapDocument.h"
#include "mapeditor/core/MapPicture.h"
#include "mapeditor/core/TileAttributes.h"
#include "mapeditor/core/TileMap.h"
#include "tools/mapmake/MapText.h"
#include "tools/mapmake/TmxMap.h"

namespace tessel {

namespace {

namespace fs = std::filesystem;

constexpr unsigned kDrawnLayers = 0b1011;  // ground, upper and overlay: what the field draws

struct RenderArgs {
    std::string map, out, gameDir;
    unsigned layers = kDrawnLayers;
};

// "0,1,3" (or "ground,upper,overlay") to a layer mask; nothing when an entry is not a layer.
std::optional<unsigned> parseLayers(const std::string& list) {
    static const char* const kNames[] = {"ground", "upper", "marks", "overlay"};
    unsigned mask = 0;
    std::stringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) {
        int layer = 0;
        while (layer < 4 && item != std::to_string(layer) && item != kNames[layer]) ++layer;
        if (layer == 4) return std::nullopt;
        mask |= 1u << layer;
    }
    if (mask == 0) return std::nullopt;
    return mask;
}

std::optional<RenderArgs> parseRenderArgs(const std::vector<std::string>& args) {
    RenderArgs r;
    std::vector<std::string> positional;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--game-dir" && hasValue) {
            r.gameDir = args[++i];
        } else if (args[i] == "--layers" && hasValue) {
            const auto mask = parseLayers(args[++i]);
            if (!mask) return std::nullopt;
            r.layers = *mask;
        } else if (args[i].starts_with("--")) {
            return std::nullopt;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) return std::nullopt;
    r.map = positional[0];
    r.out = positional[1];
    return r;
}

// A file named like a tile set's attributes, or one of their size that is no whole map (a whole
// map is 5 bytes and a multiple of 4, never 256).
bool isAttributeFile(const fs::path& path, std::size_t size, MapReadStatus status) {
    std::string name = path.filename().string();
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return (name.starts_with("smat") && name.ends_with(".qd")) ||
           (size == kAttributeBytes && status != MapReadStatus::Complete);
}

// Reads a map file; on failure says why on `err` and returns nothing. A map whose end is missing
// is used as the game reads it, the missing bytes as 0xFF, and `damaged` is set: the command
// still writes its output but ends with the failure status.
std::optional<TileMap> readMapFile(const fs::path& path, std::ostream& err, bool& damaged) {
    std::string why;
    const auto bytes = readMapBytes(path, why);
    if (!bytes) {
        err << "tessel: cannot read " << path.string() << (why.empty() ? "" : ": " + why) << "\n";
        return std::nullopt;
    }
    MapRead read = readTileMap(*bytes);
    if (isAttributeFile(path, bytes->size(), read.status)) {
        err << "tessel: " << path.string()
            << " is a tile-attribute file (Smt/sMatN.qd, one byte a tile), not a map; Tessel "
               "edits it beside the maps of its tile set\n";
        return std::nullopt;
    }
    damaged = read.status != MapReadStatus::Complete;
    if (damaged) err << "tessel: " << path.string() << ": " << describeMapRead(read) << "\n";
    return std::move(read.map);
}

// The map file named on the command line: a path, a path inside the game directory, or a map
// name of the game directory ("village" for "Mt\village.qd").
fs::path mapFilePath(const RenderArgs& r) {
    std::error_code ec;
    if (r.gameDir.empty() || fs::exists(r.map, ec)) return r.map;
    const fs::path inside = kit::resolveGamePath(r.gameDir, r.map);
    if (fs::is_regular_file(inside, ec)) return inside;
    return GameFolder{r.gameDir}.mapPath(r.map);
}

int render(const RenderArgs& r, std::ostream& err) {
    const fs::path mapPath = mapFilePath(r);
    bool damaged = false;
    const std::optional<TileMap> map = readMapFile(mapPath, err, damaged);
    if (!map) return kExitFailed;
    const GameFolder game{r.gameDir.empty() ? gameDirOfMap(mapPath) : fs::path(r.gameDir)};
    const fs::path sheetPath = game.sheetPath(map->tileSet);
    const std::optional<CDib> sheet = loadTileSheet(sheetPath);
    if (!sheet) {
        err << "tessel: cannot read the tile sheet " << sheetPath.string() << "\n";
        return kExitFailed;
    }
    const CDib picture = renderMap(*map, *sheet, r.layers);
    if (picture.Empty()) {
        err << "tessel: " << mapPath.string() << ": the map has no tiles to draw\n";
        return kExitFailed;
    }
    if (const std::string e = WritePng(r.out, picture, 0, picture.Height()); !e.empty()) {
        err << "tessel: cannot write " << r.out << ": " << e << "\n";
        return kExitFailed;
    }
    return damaged ? kExitFailed : kExitOk;
}

// --from-text: a map source converted into a map file.
int fromText(const std::string& textPath, const std::string& outPath, std::ostream& err) {
    const auto text = kit::readWholeFile(textPath);
    if (!text) {
        err << "tessel: cannot read " << textPath << "\n";
        return kExitFailed;
    }
    std::vector<std::uint8_t> out;
    const std::string e = tools::makeMap(
        std::string_view(reinterpret_cast<const char*>(text->data()), text->size()), out);
    if (!e.empty()) {
        err << "tessel: " << textPath << ": " << e << "\n";
        return kExitFailed;
    }
    if (const std::string w = kit::writeFileAtomically(outPath, out); !w.empty()) {
        err << "tessel: cannot write " << outPath << ": " << w << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

// --from-tmx: the map, and the tile set's attributes when its tiles have the property `blocks`,
// written to the attribute file Tessel reads for OUT (Smt/sMatT.qd of OUT's game). An attribute
// file there already must agree on every tile's blocking: it is kept (it may hold more), and
// one that disagrees stops the conversion before anything is written.
int fromTmx(const std::string& tmxPath, const std::string& outPath, std::ostream& err) {
    const auto xml = kit::readWholeFile(tmxPath);
    if (!xml) {
        err << "tessel: cannot read " << tmxPath << "\n";
        return kExitFailed;
    }
    tools::TmxMap tmx;
    if (const std::string e = tools::readTmx(
            std::string_view(reinterpret_cast<const char*>(xml->data()), xml->size()), tmx);
        !e.empty()) {
        err << "tessel: " << tmxPath << ": " << e << "\n";
        return kExitFailed;
    }
    std::vector<std::pair<fs::path, std::vector<std::uint8_t>>> files{
        {outPath, WriteMapFile(tmx.map)}};
    if (tmx.attributes) {
        const fs::path attributes =
            GameFolder{gameDirOfMap(outPath)}.attributesPath(tmx.map.tileSet);
        std::error_code ec;
        if (!fs::exists(attributes, ec)) {
            files.emplace_back(attributes, std::move(*tmx.attributes));
        } else {
            const auto old = kit::readWholeFile(attributes);
            std::vector<std::uint8_t> bytes = old.value_or(std::vector<std::uint8_t>{});
            std::string e = old ? "" : "cannot be read";
            if (old && attributes.extension() == ".attr")
                e = tools::makeAttributes(
                    std::string_view(reinterpret_cast<const char*>(old->data()), old->size()),
                    bytes);
            const int tile =
                e.empty() ? tools::firstBlockingDifference(*tmx.attributes, bytes) : -1;
            if (!e.empty() || tile >= 0) {
                err << "tessel: " << tmxPath << ": the tiles' 'blocks' cannot be carried into "
                    << attributes.string() << ": "
                    << (e.empty() ? "tile " + std::to_string(tile) +
                                        " blocks in one and not in the other; make them agree"
                                  : e)
                    << "\n";
                return kExitFailed;
            }
        }
    }
    for (const auto& [path, bytes] : files) {
        std::error_code ec;
        fs::create_directories(path.parent_path(), ec);
        if (const std::string w = kit::writeFileAtomically(path, bytes); !w.empty()) {
            err << "tessel: cannot write " << path.string() << ": " << w << "\n";
            return kExitFailed;
        }
    }
    return kExitOk;
}

int toText(const std::string& mapPath, const std::string& outPath, std::ostream& err) {
    bool damaged = false;
    const std::optional<TileMap> map = readMapFile(mapPath, err, damaged);
    if (!map) return kExitFailed;
    std::string text;
    if (const std::string e =
            tools::writeMapText(map->tileSet, map->width, map->height, map->layers, text);
        !e.empty()) {
        err << "tessel: " << mapPath << ": " << e << "\n";
        return kExitFailed;
    }
    if (!map->trailing.empty())
        err << "tessel: " << mapPath << ": the " << map->trailing.size()
            << " bytes after the layers are not part of the text form\n";
    if (const std::string w = kit::writeFileAtomically(outPath, text); !w.empty()) {
        err << "tessel: cannot write " << outPath << ": " << w << "\n";
        return kExitFailed;
    }
    return damaged ? kExitFailed : kExitOk;
}

int usage(std::ostream& err) {
    err << usageText();
    return kExitUsage;
}

}  // namespace

const char* usageText() {
    return "usage: tessel [GAME-DIR | MAP-FILE]\n"
           "       tessel --render MAP OUT.png [--game-dir DIR] [--layers LIST]\n"
           "       tessel --from-text TEXT OUT.qd\n"
           "       tessel --from-tmx IN.tmx OUT.qd\n"
           "       tessel --to-text MAP OUT.txt\n";
}

std::optional<int> runCommandLine(const std::vector<std::string>& args, std::ostream& err) {
    if (args.empty()) return std::nullopt;
    const std::string& command = args[0];
    if (command == "--render") {
        const auto r = parseRenderArgs(args);
        return r ? render(*r, err) : usage(err);
    }
    if (command == "--from-text" || command == "--to-text") {
        if (args.size() != 3) return usage(err);
        return command == "--from-text" ? fromText(args[1], args[2], err)
                                        : toText(args[1], args[2], err);
    }
    if (command == "--from-tmx")
        return args.size() == 3 ? fromTmx(args[1], args[2], err) : usage(err);
    if (command.starts_with("-") || args.size() > 1) return usage(err);
    return std::nullopt;
}

}  // namespace tessel
