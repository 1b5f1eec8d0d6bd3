// The Tiled map reader: a map is refused with a reason, or read into a map the engine reads back
// and, when its tiles carry `blocks`, the tile set's attributes.
#include "engine/field/MapFile.h"
#include "fuzz/common/FuzzInput.h"
#include "tools/mapmake/TmxMap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view xml(reinterpret_cast<const char*>(data), size);
    std::vector<std::uint8_t> bytes;
    const std::string why = tools::makeMapFromTmx(xml, bytes);
    if (why.empty()) {
        const std::optional<MapData> map = ParseMapFile(bytes);
        if (!map || map->layers.size() != 4 * static_cast<std::size_t>(map->width) *
                                              static_cast<std::size_t>(map->height))
            FuzzFailure();
    }
    // The tile set's attributes, when the tiles carry `blocks`: one byte a tile, blocking or not.
    std::vector<std::uint8_t> attributes;
    if (tools::makeAttributesFromTmx(xml, attributes).empty()) {
        if (!why.empty() || attributes.size() != 256) FuzzFailure();
        for (std::uint8_t a : attributes)
            if (a != 0 && a != 0x20) FuzzFailure();
    }
    return 0;
}
