// The map editor's readers: the same bytes read as a map and as tile attributes. A map that opens
// whole writes back the same bytes, reads as the game reads it, and its text form (when it has
// one) gives the same layers back; the attributes block exactly the tiles the game's reader says,
// and their text form (when they have one) gives the same bytes back.
#include <string>

#include "engine/field/MapFile.h"
#include "fuzz/common/FuzzInput.h"
#include "mapeditor/core/TileAttributes.h"
#include "mapeditor/core/TileMap.h"
#include "tools/mapmake/MapText.h"

namespace {

void checkMap(std::span<const std::uint8_t> bytes) {
    const tessel::MapRead read = tessel::readTileMap(bytes);
    if (!read.map) return;
    const std::vector<std::uint8_t> written = tessel::writeTileMap(*read.map);
    if (read.status == tessel::MapReadStatus::Complete &&
        !std::equal(written.begin(), written.end(), bytes.begin(), bytes.end()))
        FuzzFailure();
    const auto game = ParseMapFile(bytes);
    if (!game || game->layers != read.map->layers) FuzzFailure();
    std::string text;
    if (!tools::writeMapText(read.map->tileSet, read.map->width, read.map->height, read.map->layers,
                             text)
             .empty())
        return;
    std::vector<std::uint8_t> back;
    if (!tools::makeMap(text, back).empty()) FuzzFailure();
    if (!std::equal(back.begin() + kMapHeaderBytes, back.end(), read.map->layers.begin(),
                    read.map->layers.end()))
        FuzzFailure();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = AsBytes(data, size);
    checkMap(bytes);
    const tessel::TileAttributes attributes = tessel::readTileAttributes(bytes);
    const auto game = ParseTileAttributes(bytes);
    for (int tile = 0; tile < 256; ++tile)
        if (attributes.blocks(tile) != ((game[static_cast<std::size_t>(tile)] & 0x20) != 0))
            FuzzFailure();
    // Attributes that the text form can say come back from it as the same bytes.
    const std::span<const std::uint8_t> first(attributes.bytes.data(), tessel::kAttributeBytes);
    std::string text;
    std::vector<std::uint8_t> back;
    if (tools::writeAttributesText(first, "# kept\n", text).empty() &&
        (!tools::makeAttributes(text, back).empty() ||
         !std::equal(back.begin(), back.end(), first.begin(), first.end())))
        FuzzFailure();
    return 0;
}
