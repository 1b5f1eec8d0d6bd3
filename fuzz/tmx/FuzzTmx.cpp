// The Tiled map reader: a map is refused with a reason, or read into a map the engine reads back.
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
    return 0;
}
