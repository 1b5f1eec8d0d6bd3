#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

// The tile number that the sample tile sheets leave empty: upper and overlay layers use it where
// nothing is drawn over the ground.
constexpr std::uint8_t kEmptyTile = 0xFF;

// Reads a map written as text and produces the engine's map file:
//   tileset T                      the tile-set number (0..255)
//   legend                         then one line per character:
//     C GROUND [upper U] [overlay O] [mark M]
//                                  tile numbers 0..255; M is the tile event number 1..63
//   grid                           then the rows of the map, one character per tile
// The map file (written by WriteMapFile) holds the ground, upper, mark and overlay layers, each
// row by row. Numbers are decimal. Returns an error naming the line, or "".
std::string makeMap(std::string_view text, std::vector<std::uint8_t>& out);

// The text form of a map's tile-set number, size and four layers (layer by layer, rows top to
// bottom), which makeMap turns back into the same layers. Each distinct cell gets a legend
// character in the order the grid first shows it. Returns an error when the map has no tiles,
// needs more cells than there are legend characters, or holds a mark the text cannot say (high
// bits set); otherwise "".
std::string writeMapText(int tileSet, int width, int height, std::span<const std::uint8_t> layers,
                         std::string& out);

// Reads a tile-attribute description: lines "block N..." name tiles that stop walkers; a number
// may be a range A-B, numbers decimal. Produces the 256-byte attribute file, in the order of
// TileAttributeOffset; blocking tiles get bit 0x20.
std::string makeAttributes(std::string_view text, std::vector<std::uint8_t>& out);

// The text form of a 256-byte attribute file, which makeAttributes turns back into the same
// bytes: `comments` (lines starting with '#', kept from an earlier text) and one "block" line,
// ranges written A-B. Returns an error when a byte holds anything but the blocking bit.
std::string writeAttributesText(std::span<const std::uint8_t> bytes, std::string_view comments,
                                std::string& out);

}  // namespace tools
