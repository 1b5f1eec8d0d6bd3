#include "engine/field/MapFile.h"

#include "common/LittleEndian.h"

namespace {

std::uint8_t ByteOr0xFF(std::span<const std::uint8_t> bytes, std::size_t at) {
    return at < bytes.size() ? bytes[at] : 0xFF;
}

}  // namespace

std::optional<MapData> ParseMapFile(std::span<const std::uint8_t> bytes) {
    MapData map;
    map.tileSet = ByteOr0xFF(bytes, 0);
    map.width = ByteOr0xFF(bytes, 1) | (ByteOr0xFF(bytes, 2) << 8);
    map.height = ByteOr0xFF(bytes, 3) | (ByteOr0xFF(bytes, 4) << 8);
    const std::size_t layerBytes =
        std::size_t{4} * static_cast<std::size_t>(map.width) * static_cast<std::size_t>(map.height);
    if (layerBytes > kMaxMapLayerBytes) return std::nullopt;
    map.layers.assign(layerBytes, 0xFF);
    if (bytes.size() > kMapHeaderBytes) {
        const std::size_t present = std::min(layerBytes, bytes.size() - kMapHeaderBytes);
        std::copy_n(bytes.begin() + kMapHeaderBytes, present, map.layers.begin());
    }
    return map;
}

std::vector<std::uint8_t> WriteMapFile(const MapData& map) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kMapHeaderBytes + map.layers.size());
    bytes.push_back(static_cast<std::uint8_t>(map.tileSet));
    kit::appendU16LE(bytes, static_cast<std::uint16_t>(map.width));
    kit::appendU16LE(bytes, static_cast<std::uint16_t>(map.height));
    bytes.insert(bytes.end(), map.layers.begin(), map.layers.end());
    return bytes;
}

std::array<std::int32_t, 256> ParseTileAttributes(std::span<const std::uint8_t> bytes) {
    std::array<std::int32_t, 256> attributes{};
    for (int tile = 0; tile < 256; ++tile)
        attributes[tile] = ByteOr0xFF(bytes, TileAttributeOffset(tile));
    return attributes;
}
