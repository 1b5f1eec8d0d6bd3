#include "tools/mapmake/TmxMap.h"

#include <expat.h>
#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <map>

#include "tools/mapmake/MapText.h"

namespace tools {

namespace {

constexpr int kTilePixels = 16;
constexpr int kSheetTiles = 256;
constexpr std::uint8_t kBlockingAttribute = 0x20;  // as the engine reads attribute files
constexpr std::uint32_t kFlipBits = 0xF0000000u;

bool toInt(std::string_view text, long long& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

// Decodes base64, skipping white space; false on any other byte.
bool decodeBase64(std::string_view text, std::vector<std::uint8_t>& out) {
    std::uint32_t buffer = 0;
    int bits = 0;
    for (char c : text) {
        int v;
        if (c >= 'A' && c <= 'Z')
            v = c - 'A';
        else if (c >= 'a' && c <= 'z')
            v = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            v = c - '0' + 52;
        else if (c == '+')
            v = 62;
        else if (c == '/')
            v = 63;
        else if (c == '=' || c == ' ' || c == '\n' || c == '\r' || c == '\t')
            continue;
        else
            return false;
        buffer = (buffer << 6) | static_cast<std::uint32_t>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(static_cast<std::uint8_t>((buffer >> bits) & 0xFF));
        }
    }
    return true;
}

struct Layer {
    std::string name;
    std::string encoding, compression;
    std::string data;
    int line = 0;
};

struct Mark {
    long long x = 0, y = 0;
    bool tileObject = false;  // tile objects stand on their bottom edge
    std::string name;
    std::optional<long long> property;
    int line = 0;
};

// What the parser collects; the checks run afterwards, over the whole file.
struct Reader {
    XML_Parser parser = nullptr;
    std::string error;
    std::map<std::string, std::string> mapAttributes;
    int tileSets = 0;
    std::string tileSetName, tileSetImage, tileSetColumns, tileSetWidth, tileSetHeight;
    long long firstGid = 1;
    std::vector<int> blocking;
    bool blocksGiven = false;    // some tile has the `blocks` property, true or false
    long long currentTile = -1;  // the id of the tile element being read, else -1
    std::vector<Layer> layers;
    bool inData = false;
    std::vector<Mark> marks;
    bool inObject = false;

    void Fail(const std::string& why) {
        if (error.empty())
            error = "line " + std::to_string(XML_GetCurrentLineNumber(parser)) + ": " + why;
    }
};

std::map<std::string, std::string> Attributes(const XML_Char** attributes) {
    std::map<std::string, std::string> result;
    for (int i = 0; attributes[i]; i += 2) result[attributes[i]] = attributes[i + 1];
    return result;
}

std::string Get(const std::map<std::string, std::string>& a, const char* name) {
    const auto it = a.find(name);
    return it == a.end() ? std::string() : it->second;
}

void OnStart(void* data, const XML_Char* element, const XML_Char** rawAttributes) {
    Reader& r = *static_cast<Reader*>(data);
    const std::string name = element;
    const auto a = Attributes(rawAttributes);
    const int line = static_cast<int>(XML_GetCurrentLineNumber(r.parser));
    if (name == "map") {
        r.mapAttributes = a;
    } else if (name == "tileset") {
        if (++r.tileSets > 1) r.Fail("a second tile set; the kit's maps use one tile sheet");
        r.tileSetName = Get(a, "name");
        r.tileSetColumns = Get(a, "columns");
        r.tileSetWidth = Get(a, "tilewidth");
        r.tileSetHeight = Get(a, "tileheight");
        long long gid = 1;
        if (!Get(a, "source").empty())
            r.Fail("an external tile set (" + Get(a, "source") + "); embed it in the map");
        else if (toInt(Get(a, "firstgid"), gid))
            r.firstGid = gid;
    } else if (name == "image" && r.tileSets == 1 && r.currentTile < 0) {
        r.tileSetImage = Get(a, "source");
    } else if (name == "tile" && !r.inObject) {
        if (!toInt(Get(a, "id"), r.currentTile) || r.currentTile < 0) r.currentTile = -1;
    } else if (name == "property") {
        const std::string property = Get(a, "name");
        const std::string value = Get(a, "value");
        if (r.inObject && property == "mark" && !r.marks.empty()) {
            long long mark = 0;
            if (!toInt(value, mark)) r.Fail("mark property '" + value + "' is not a number");
            r.marks.back().property = mark;
        } else if (!r.inObject && r.currentTile >= 0 && property == "blocks") {
            // The tile set's attribute file has a place for each tile of the sheet, and knows
            // only whether a tile blocks.
            const std::string tile = "tile " + std::to_string(r.currentTile);
            if (r.currentTile >= kSheetTiles)
                r.Fail(tile + " has 'blocks' but lies beyond the sheet's 256 tiles");
            else if (value != "true" && value != "false" && value != "1" && value != "0")
                r.Fail(tile + ": 'blocks' is '" + value + "'; make it a bool property");
            r.blocksGiven = true;
            if (value == "true" || value == "1")
                r.blocking.push_back(static_cast<int>(r.currentTile));
        }
    } else if (name == "layer") {
        r.layers.push_back(Layer{Get(a, "name"), {}, {}, {}, line});
    } else if (name == "data" && !r.layers.empty()) {
        r.layers.back().encoding = Get(a, "encoding");
        r.layers.back().compression = Get(a, "compression");
        r.inData = true;
    } else if (name == "chunk") {
        r.Fail("an infinite map; make the map finite in Tiled (Map > Map Properties)");
    } else if (name == "object") {
        Mark mark;
        r.inObject = true;
        mark.name = Get(a, "name");
        mark.tileObject = !Get(a, "gid").empty();
        mark.line = line;
        double x = 0, y = 0;
        const std::string xs = Get(a, "x"), ys = Get(a, "y");
        std::from_chars(xs.data(), xs.data() + xs.size(), x);
        std::from_chars(ys.data(), ys.data() + ys.size(), y);
        if (x != static_cast<long long>(x) || y != static_cast<long long>(y) ||
            static_cast<long long>(x) % kTilePixels != 0 ||
            static_cast<long long>(y) % kTilePixels != 0)
            r.Fail("object '" + mark.name + "' is not on a grid cell; turn on Snap to Grid");
        mark.x = static_cast<long long>(x);
        mark.y = static_cast<long long>(y);
        r.marks.push_back(mark);
    }
}

void OnEnd(void* data, const XML_Char* element) {
    Reader& r = *static_cast<Reader*>(data);
    const std::string name = element;
    if (name == "data") r.inData = false;
    if (name == "object") r.inObject = false;
    if (name == "tile") r.currentTile = -1;
}

void OnText(void* data, const XML_Char* text, int length) {
    Reader& r = *static_cast<Reader*>(data);
    if (r.inData && !r.layers.empty())
        r.layers.back().data.append(text, static_cast<std::size_t>(length));
}

// The tile-set number of a sheet named "mapT" (a path and an extension allowed), or -1.
int SheetNumber(std::string name) {
    const std::size_t slash = name.find_last_of("/\\");
    if (slash != std::string::npos) name = name.substr(slash + 1);
    name = name.substr(0, name.find('.'));
    long long number = -1;
    if (name.size() < 4 || name.compare(0, 3, "map") != 0 || !toInt(name.substr(3), number) ||
        number > 255)
        return -1;
    return static_cast<int>(number);
}

std::string DecodeLayer(const Layer& layer, std::size_t cells, std::vector<std::uint32_t>& gids) {
    if (layer.encoding == "csv") {
        std::string_view text = layer.data;
        while (!text.empty()) {
            const std::size_t comma = std::min(text.find(','), text.size());
            std::string_view cell = text.substr(0, comma);
            while (!cell.empty() && std::strchr(" \t\r\n", cell.front())) cell.remove_prefix(1);
            while (!cell.empty() && std::strchr(" \t\r\n", cell.back())) cell.remove_suffix(1);
            long long gid = 0;
            if (!toInt(cell, gid) || gid < 0 || gid > 0xFFFFFFFFll)
                return "a cell that is not a tile number";
            gids.push_back(static_cast<std::uint32_t>(gid));
            text.remove_prefix(std::min(comma + 1, text.size()));
            if (gids.size() > cells) break;
        }
    } else if (layer.encoding == "base64") {
        std::vector<std::uint8_t> bytes;
        if (!decodeBase64(layer.data, bytes)) return "damaged base64 data";
        if (layer.compression == "zlib") {
            std::vector<std::uint8_t> plain(cells * 4);
            uLongf length = static_cast<uLongf>(plain.size());
            if (uncompress(plain.data(), &length, bytes.data(), static_cast<uLong>(bytes.size())) !=
                    Z_OK ||
                length != plain.size())
                return "damaged zlib data";
            bytes = std::move(plain);
        } else if (!layer.compression.empty()) {
            return "compression " + layer.compression + "; save layers as CSV, base64 or zlib";
        }
        for (std::size_t i = 0; i + 3 < bytes.size(); i += 4)
            gids.push_back(bytes[i] | (bytes[i + 1] << 8) | (bytes[i + 2] << 16) |
                           (std::uint32_t{bytes[i + 3]} << 24));
    } else {
        return "layer data encoded as '" + layer.encoding + "'; save layers as CSV or base64";
    }
    if (gids.size() != cells) return "the layer does not hold one tile a cell";
    return "";
}

std::string CheckMap(const Reader& r, long long& width, long long& height) {
    const auto& a = r.mapAttributes;
    if (a.empty()) return "not a Tiled map (no <map>)";
    if (Get(a, "orientation") != "orthogonal")
        return "a " + Get(a, "orientation") + " map; the kit's maps are orthogonal";
    if (Get(a, "tilewidth") != "16" || Get(a, "tileheight") != "16")
        return "tiles of " + Get(a, "tilewidth") + " x " + Get(a, "tileheight") +
               " pixels; the kit's tiles are 16 x 16";
    if (Get(a, "infinite") == "1")
        return "an infinite map; make the map finite in Tiled (Map > Map Properties)";
    if (!toInt(Get(a, "width"), width) || !toInt(Get(a, "height"), height) || width < 1 ||
        height < 1)
        return "no map size";
    if (width > 0xFFFF || height > 0xFFFF ||
        static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) * 4 >
            kMaxMapLayerBytes)
        return "a map of " + std::to_string(width) + " x " + std::to_string(height) +
               " tiles is over the size limit (four layers of at most 64 MiB together)";
    if (r.tileSets == 0) return "no tile set; add the kit's sheet Smt/mapT as the tile set";
    return "";
}

}  // namespace

std::string readTmx(std::string_view xml, TmxMap& out) {
    Reader r;
    r.parser = XML_ParserCreate("UTF-8");
    if (!r.parser) return "out of memory";
    XML_SetUserData(r.parser, &r);
    XML_SetElementHandler(r.parser, OnStart, OnEnd);
    XML_SetCharacterDataHandler(r.parser, OnText);
    const bool parsed =
        xml.size() <= static_cast<std::size_t>(INT32_MAX) &&
        XML_Parse(r.parser, xml.data(), static_cast<int>(xml.size()), XML_TRUE) == XML_STATUS_OK;
    if (!parsed && r.error.empty())
        r.error = "line " + std::to_string(XML_GetCurrentLineNumber(r.parser)) + ": " +
                  XML_ErrorString(XML_GetErrorCode(r.parser));
    XML_ParserFree(r.parser);
    if (!r.error.empty()) return r.error;

    long long width = 0, height = 0;
    if (std::string why = CheckMap(r, width, height); !why.empty()) return why;
    int tileSet = SheetNumber(r.tileSetName);
    if (tileSet < 0) tileSet = SheetNumber(r.tileSetImage);
    if (tileSet < 0)
        return "tile set '" + r.tileSetName + "' (" + r.tileSetImage +
               ") is not one of the kit's sheets: name it or its image mapT, as Smt/mapT";
    if (r.tileSetColumns != "16" || r.tileSetWidth != "16" || r.tileSetHeight != "16")
        return "tile set '" + r.tileSetName + "' is not 16 columns of 16 x 16 tiles";

    const std::size_t cells = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    MapData& map = out.map;
    map.tileSet = tileSet;
    map.width = static_cast<int>(width);
    map.height = static_cast<int>(height);
    map.layers.assign(4 * cells, kEmptyTile);
    std::fill_n(map.layers.begin() + static_cast<std::ptrdiff_t>(2 * cells), cells, 0);

    // Layers by name, or else the first three in order; the kit's order in its file is ground,
    // upper, marks, overlay.
    static constexpr const char* kNames[] = {"ground", "upper", "overlay"};
    static constexpr int kSlots[] = {0, 1, 3};
    std::array<const Layer*, 3> chosen{};
    bool named = false;
    for (const Layer& layer : r.layers) {
        std::string lower = layer.name;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        for (int i = 0; i < 3; ++i)
            if (lower == kNames[i]) chosen[static_cast<std::size_t>(i)] = &layer, named = true;
    }
    if (!named) {
        if (r.layers.size() > 3)
            return "line " + std::to_string(r.layers[3].line) + ": a fourth tile layer '" +
                   r.layers[3].name + "'; name the layers Ground, Upper and Overlay";
        for (std::size_t i = 0; i < r.layers.size(); ++i) chosen[i] = &r.layers[i];
    }
    if (!chosen[0]) return "no Ground layer";
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        if (!chosen[i]) continue;
        const Layer& layer = *chosen[i];
        std::vector<std::uint32_t> gids;
        const std::string at =
            "line " + std::to_string(layer.line) + ": layer '" + layer.name + "': ";
        if (std::string why = DecodeLayer(layer, cells, gids); !why.empty()) return at + why;
        std::uint8_t* target = map.layers.data() + static_cast<std::size_t>(kSlots[i]) * cells;
        for (std::size_t c = 0; c < cells; ++c) {
            const std::uint32_t gid = gids[c];
            if (gid == 0) continue;
            const std::string cell = "(" + std::to_string(c % static_cast<std::size_t>(width)) +
                                     ", " + std::to_string(c / static_cast<std::size_t>(width)) +
                                     ")";
            if (gid & kFlipBits) return at + "a flipped or rotated tile at " + cell;
            const long long tile = static_cast<long long>(gid) - r.firstGid;
            if (tile < 0 || tile >= kSheetTiles)
                return at + "tile id " + std::to_string(tile) + " at " + cell +
                       " is beyond the sheet's 256 tiles";
            target[c] = static_cast<std::uint8_t>(tile);
        }
    }

    std::uint8_t* marks = map.layers.data() + 2 * cells;
    for (const Mark& m : r.marks) {
        const std::string at = "line " + std::to_string(m.line) + ": object '" + m.name + "': ";
        long long mark = 0;
        if (m.property)
            mark = *m.property;
        else if (!toInt(m.name, mark))
            return at + "name it with its mark number or give it an integer property 'mark'";
        if (mark < 1 || mark > 63) return at + "mark " + std::to_string(mark) + " is not 1 to 63";
        const long long column = m.x / kTilePixels;
        const long long row = m.y / kTilePixels - (m.tileObject ? 1 : 0);
        if (column < 0 || row < 0 || column >= width || row >= height)
            return at + "stands outside the map";
        marks[static_cast<std::size_t>(row * width + column)] = static_cast<std::uint8_t>(mark);
    }

    out.attributes.reset();
    if (r.blocksGiven) {
        out.attributes.emplace(kSheetTiles, 0);
        for (int tile : r.blocking)
            (*out.attributes)[TileAttributeOffset(tile)] = kBlockingAttribute;
    }
    return "";
}

int firstBlockingDifference(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    const auto blocks = [](std::span<const std::uint8_t> file, int tile) {
        const std::size_t at = TileAttributeOffset(tile);
        return ((at < file.size() ? file[at] : 0xFF) & kBlockingAttribute) != 0;
    };
    for (int tile = 0; tile < kSheetTiles; ++tile)
        if (blocks(a, tile) != blocks(b, tile)) return tile;
    return -1;
}

std::string makeAttributesFromTmx(std::string_view xml, std::vector<std::uint8_t>& out) {
    TmxMap tmx;
    if (std::string why = readTmx(xml, tmx); !why.empty()) return why;
    if (!tmx.attributes) return "no tile of the tile set has the property 'blocks'";
    out = std::move(*tmx.attributes);
    return "";
}

std::string makeMapFromTmx(std::string_view xml, std::vector<std::uint8_t>& out) {
    TmxMap tmx;
    if (std::string why = readTmx(xml, tmx); !why.empty()) return why;
    out = WriteMapFile(tmx.map);
    return "";
}

}  // namespace tools
