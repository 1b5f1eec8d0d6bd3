#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/field/MapFile.h"

namespace tools {

// A map drawn in Tiled, as the kit can carry it.
struct TmxMap {
    MapData map;
    // The tile set's attributes when any of its tiles has a `blocks` property (attribute file
    // order, tiles whose `blocks` is true 0x20, the others 0), otherwise nothing.
    std::optional<std::vector<std::uint8_t>> attributes;
};

// Reads a Tiled map (.tmx): orthogonal, 16 x 16 tiles, finite, one tile set whose name or image
// file name is "mapT" (the kit's sheet Smt/mapT, any extension) with 16 columns. The tile layers
// named Ground, Upper and Overlay (letter case ignored) are the kit's layers; without those names
// the first three tile layers are taken in that order. An empty cell is the empty tile 0xFF.
// Objects of the object layers standing on a grid cell are marks: the object's name is the mark
// number, or its integer property `mark`. Layer data in CSV or base64 (plain or zlib). A bool
// tile property `blocks` gives the tile set's attributes; one on a tile beyond the sheet, or with
// another value than true or false, is refused.
// Returns "" or what cannot be carried, with the line of the file where there is one.
std::string readTmx(std::string_view xml, TmxMap& out);

// readTmx, then the tile set's attribute file (as makeAttributes writes it); refused when no
// tile has the property `blocks`.
std::string makeAttributesFromTmx(std::string_view xml, std::vector<std::uint8_t>& out);

// The first tile whose blocking differs between two attribute files (missing bytes read as
// 0xFF, as the engine reads them), or -1 when they agree on every tile.
int firstBlockingDifference(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b);

// readTmx, then the map file's bytes (as makeMap writes them).
std::string makeMapFromTmx(std::string_view xml, std::vector<std::uint8_t>& out);

}  // namespace tools
