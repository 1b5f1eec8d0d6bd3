#include "mapeditor/core/MapDocument.h"

#include <string_view>

#include "common/AtomicFile.h"
#include "common/WholeFile.h"
#include "mapeditor/core/MapPicture.h"
#include "tools/mapmake/MapText.h"

namespace tessel {

namespace fs = std::filesystem;

namespace {

std::string_view asText(const std::vector<std::uint8_t>& bytes) {
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

bool isAttributesText(const fs::path& path) {
    return path.extension() == ".attr";
}

// The leading comment lines of an attribute text, which a save keeps.
std::string leadingComments(std::string_view text) {
    std::size_t end = 0;
    while (end < text.size() && text[end] == '#') {
        const std::size_t lineEnd = text.find('\n', end);
        end = lineEnd == std::string_view::npos ? text.size() : lineEnd + 1;
    }
    std::string comments(text.substr(0, end));
    if (!comments.empty() && comments.back() != '\n') comments += '\n';
    return comments;
}

using TextConverter = std::string (*)(std::string_view, std::vector<std::uint8_t>&);

// A file's bytes as the game reads them: as they are, or its text form converted as kit-game
// converts it. Nothing when the file cannot be read, or (`why` set) when the text does not convert.
std::optional<std::vector<std::uint8_t>> readGameBytes(const fs::path& path, bool text,
                                                       TextConverter convert, std::string& why) {
    auto bytes = kit::readWholeFile(path);
    if (!bytes || !text) return bytes;
    std::vector<std::uint8_t> converted;
    why = convert(asText(*bytes), converted);
    if (!why.empty()) return std::nullopt;
    return converted;
}

}  // namespace

std::string MapDocument::name() const {
    return mapFile.empty() ? std::string() : mapNameOf(mapFile);
}

void loadTileSet(MapDocument& document) {
    const int set = document.map.tileSet;
    document.sheetProblem.clear();
    const fs::path sheetPath = document.game.sheetPath(set);
    std::optional<CDib> sheet = loadTileSheet(sheetPath);
    document.sheet = sheet ? std::move(*sheet) : CDib();
    if (!sheet)
        document.sheetProblem = "The tile sheet Smt\\" + sheetPath.filename().string() +
                                " cannot be read; the tiles are drawn black.";
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
    const fs::path attributesPath = document.game.attributesPath(set);
    std::string why;
    const auto bytes =
        readGameBytes(attributesPath, isAttributesText(attributesPath), tools::makeAttributes, why);
    if (!why.empty())
        document.sheetProblem += (document.sheetProblem.empty() ? "" : "\n") +
                                 std::string("The tile attributes Smt\\") +
                                 attributesPath.filename().string() + " cannot be read (" + why +
                                 "); nothing blocks until they are fixed.";
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

std::optional<std::vector<std::uint8_t>> readMapBytes(const fs::path& mapFile, std::string& why) {
    return readGameBytes(mapFile, isMapText(mapFile), tools::makeMap, why);
}

OpenResult openMap(const std::filesystem::path& mapFile, const std::filesystem::path& gameDir) {
    OpenResult result;
    std::string why;
    const auto bytes = readMapBytes(mapFile, why);
    if (!bytes) {
        result.message =
            "The map " + mapFile.string() + " cannot be read" + (why.empty() ? "." : ": " + why);
        return result;
    }
    MapRead read = readTileMap(*bytes);
    result.message = describeMapRead(read);
    if (!read.map) return result;
    MapDocument document;
    document.game = GameFolder{gameDir};
    document.mapFile = mapFile;
    document.map = std::move(*read.map);
    document.doors = readDoorFile(mapFile, document.game.isSource());
    if (!document.doors.problem.empty())
        result.message += (result.message.empty() ? "" : "\n") + document.doors.problem;
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
    const fs::path path = game.attributesPath(set);
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::string e;
    if (isAttributesText(path)) {
        // The text stays text: its comments are kept, and a text that does not read is left
        // for its author to mend rather than replaced.
        const auto old = kit::readWholeFile(path);
        std::vector<std::uint8_t> ignored;
        if (old && !(e = tools::makeAttributes(asText(*old), ignored)).empty())
            return path.string() + " cannot be read (" + e + "); mend it first";
        std::string text;
        e = tools::writeAttributesText(attributes.bytes,
                                       old ? leadingComments(asText(*old)) : std::string(), text);
        if (e.empty()) e = kit::writeFileAtomically(path, text);
    } else {
        e = kit::writeFileAtomically(path, attributes.bytes);
    }
    if (!e.empty()) return "cannot write " + path.string() + ": " + e;
    saved = attributes;
    return "";
}

}  // namespace

std::string saveMap(MapDocument& document, const std::filesystem::path& mapFile) {
    // Tessel writes its own form; a map kept as text is edited as text.
    if (isMapText(mapFile))
        return mapFile.string() + " is the map's text form; save the map as " + mapNameOf(mapFile) +
               ".qd";
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
    if (std::string e = writeDoorFile(document.doors, mapFile, document.game.isSource(),
                                      mapFile != document.mapFile);
        !e.empty())
        return e;
    if (std::string e = kit::writeFileAtomically(mapFile, writeTileMap(document.map)); !e.empty())
        return "cannot write " + mapFile.string() + ": " + e;
    document.mapFile = mapFile;
    return "";
}

std::string textTwinNote(const fs::path& mapFile) {
    fs::path text = mapFile;
    text.replace_extension(".map");
    std::error_code ec;
    if (isMapText(mapFile) || !fs::exists(text, ec)) return "";
    return text.string() +
           " holds this map as text too. kit-game builds a map from one of the "
           "two: remove or rename the text form to build the map saved here.";
}

}  // namespace tessel
