// The map and tile-attribute readers: the same bytes read as both. A map is refused or holds
// exactly four layers of its size; every tile number has an attribute.
#include "engine/field/MapFile.h"
#include "fuzz/common/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = AsBytes(data, size);
    if (const std::optional<MapData> map = ParseMapFile(bytes)) {
        if (map->width < 0 || map->height < 0) FuzzFailure();
        const std::size_t tiles =
            static_cast<std::size_t>(map->width) * static_cast<std::size_t>(map->height);
        if (map->layers.size() != 4 * tiles || map->layers.size() > kMaxMapLayerBytes)
            FuzzFailure();
    }
    const std::array<std::int32_t, 256> attributes = ParseTileAttributes(bytes);
    for (std::int32_t a : attributes)
        if (a < 0 || a > 0xFF) FuzzFailure();
    return 0;
}
