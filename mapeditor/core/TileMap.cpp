#include "mapeditor/core/TileMap.h"

#include "engine/field/MapFile.h"

namespace tessel {

namespace {

constexpr std::uint8_t kEmptyUpperTile = 0xFF;

}  // namespace

std::uint8_t emptyValue(int layer) {
    return layer == 1 || layer == 3 ? kEmptyUpperTile : 0;
}

TileMap TileMap::blank(int tileSet, int width, int height) {
    TileMap map;
    map.tileSet = tileSet;
    map.width = width;
    map.height = height;
    const std::size_t area = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    map.layers.reserve(area * kLayerCount);
    for (int layer = 0; layer < kLayerCount; ++layer)
        map.layers.insert(map.layers.end(), area, emptyValue(layer));
    return map;
}

MapRead readTileMap(std::span<const std::uint8_t> bytes) {
    MapRead read;
    std::optional<MapData> data = ParseMapFile(bytes);
    if (!data) {
        read.status = MapReadStatus::TooLarge;
        return read;
    }
    if (data->width > kMaxSide || data->height > kMaxSide) {
        read.status = MapReadStatus::TooWide;
        return read;
    }
    TileMap map;
    map.tileSet = data->tileSet;
    map.width = data->width;
    map.height = data->height;
    map.layers = std::move(data->layers);
    const std::size_t wanted = kMapHeaderBytes + map.layers.size();
    if (bytes.size() < wanted) {
        read.status = MapReadStatus::Short;
        read.missingBytes = wanted - bytes.size();
    } else {
        map.trailing.assign(bytes.begin() + static_cast<std::ptrdiff_t>(wanted), bytes.end());
    }
    read.map = std::move(map);
    return read;
}

std::vector<std::uint8_t> writeTileMap(const TileMap& map) {
    std::vector<std::uint8_t> out =
        WriteMapFile(MapData{map.tileSet, map.width, map.height, map.layers});
    out.insert(out.end(), map.trailing.begin(), map.trailing.end());
    return out;
}

std::string describeMapRead(const MapRead& read) {
    switch (read.status) {
        case MapReadStatus::Complete:
            return "";
        case MapReadStatus::Short:
            return "The map file is damaged: its last " + std::to_string(read.missingBytes) +
                   " bytes are missing. They read as 0xFF, as the game reads them; saving writes "
                   "the whole map.";
        case MapReadStatus::TooLarge:
            return "The map file is damaged: its size in tiles is too large for the game.";
        case MapReadStatus::TooWide:
            return "The map is wider or taller than " + std::to_string(kMaxSide) +
                   " tiles, more than the editor can draw.";
    }
    return "";
}

}  // namespace tessel
