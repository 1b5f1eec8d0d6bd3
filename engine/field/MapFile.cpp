#include "engine/field/MapFile.h"

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
    if (bytes.size() > 5) {
        const std::size_t present = std::min(layerBytes, bytes.size() - 5);
        std::copy_n(bytes.begin() + 5, present, map.layers.begin());
    }
    return map;
}

std::array<std::int32_t, 256> ParseTileAttributes(std::span<const std::uint8_t> bytes) {
    std::array<std::int32_t, 256> attributes{};
    for (int tile = 0; tile < 256; ++tile)
        attributes[tile] =
            ByteOr0xFF(bytes, static_cast<std::size_t>((tile & 0x0F) * 16 + (tile >> 4)));
    return attributes;
}
