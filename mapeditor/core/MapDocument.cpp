#include "mapeditor/core/MapDocument.h"

#include "common/AtomicFile.h"
#include "common/WholeFile.h"
#include "mapeditor/core/MapPicture.h"

namespace tessel {

std::string MapDocument::name() const {
    return mapFile.empty() ? std::string() : mapNameOf(mapFile);
}

void loadTileSet(MapDocument& document) {
    const int set = document.map.tileSet;
    document.sheetProblem.clear();
    std::optional<CDib> sheet = loadTileSheet(document.game.sheetPath(set));
    document.sheet = sheet ? std::move(*sheet) : CDib();
    if (!sheet)
        document.sheetProblem = "The tile sheet Smt\\map" + std::to_string(set) +
                                ".qdg cannot be read; the tiles are drawn black.";
    if (document.attributesSet == set) return;
    if (document.attributesSet >= 0)
        document.otherSets[document.attributesSet] = {document.attributes,
                                                      document.savedAttributes};
    document.attributesSet = set;
    if (auto kept = document.otherSets.find(set); kept != document.otherSets.end()) {
        document.attributes = kept->second.first;
        document.savedAttributes = kept->second.second;
        document.otherSets.erase(kept);
        return;
    }
    const auto bytes = kit::readWholeFile(document.game.attributesPath(set));
    if (bytes) {
        document.attributes = readTileAttributes(*bytes);
        if (document.attributes.missingBytes > 0)
            document.sheetProblem +=
                (document.sheetProblem.empty() ? "" : "\n") +
                std::string("The tile attributes Smt\\sMat") + std::to_string(set) +
                ".qd are damaged: " + std::to_string(document.attributes.missingBytes) +
                " bytes are missing and read as 0xFF (blocking).";
    } else {
        // The game lets every tile be walked on when the file is missing.
        document.attributes = TileAttributes{};
    }
    document.savedAttributes = document.attributes;
}

OpenResult openMap(const std::filesystem::path& mapFile, const std::filesystem::path& gameDir) {
    OpenResult result;
    const auto bytes = kit::readWholeFile(mapFile);
    if (!bytes) {
        result.message = "The map " + mapFile.string() + " cannot be read.";
        return result;
    }
    MapRead read = readTileMap(*bytes);
    result.message = describeMapRead(read);
    if (!read.map) return result;
    MapDocument document;
    document.game = GameFolder{gameDir};
    document.mapFile = mapFile;
    document.map = std::move(*read.map);
    loadTileSet(document);
    result.document = std::move(document);
    return result;
}

MapDocument newMap(const std::filesystem::path& gameDir, int tileSet, int width, int height) {
    MapDocument document;
    document.game = GameFolder{gameDir};
    document.map = TileMap::blank(tileSet, width, height);
    loadTileSet(document);
    return document;
}

namespace {

std::string saveAttributes(const GameFolder& game, int set, const TileAttributes& attributes,
                           TileAttributes& saved) {
    if (attributes.bytes == saved.bytes) return "";
    const std::filesystem::path path = game.attributesPath(set);
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (std::string e = kit::writeFileAtomically(path, attributes.bytes); !e.empty())
        return "cannot write " + path.string() + ": " + e;
    saved = attributes;
    return "";
}

}  // namespace

std::string saveMap(MapDocument& document, const std::filesystem::path& mapFile) {
    if (std::string e = saveAttributes(document.game, document.attributesSet, document.attributes,
                                       document.savedAttributes);
        !e.empty())
        return e;
    for (auto& [set, files] : document.otherSets)
        if (std::string e = saveAttributes(document.game, set, files.first, files.second);
            !e.empty())
            return e;
    std::error_code ec;
    std::filesystem::create_directories(mapFile.parent_path(), ec);
    if (std::string e = kit::writeFileAtomically(mapFile, writeTileMap(document.map)); !e.empty())
        return "cannot write " + mapFile.string() + ": " + e;
    document.mapFile = mapFile;
    return "";
}

}  // namespace tessel
