#pragma once
#include <cstdint>

// The 12-pixel glyphs of the engine's text, compiled into the program. A glyph is 12 rows from
// the top of the cell; bit 15 of a row is its leftmost pixel.
namespace font12 {

inline constexpr int kCellHeight = 12;
inline constexpr int kHalfWidth = 6;
inline constexpr int kFullWidth = 12;

// A single-byte character (ASCII or half-width katakana), or nullptr when there is none.
const std::uint16_t* HalfWidthGlyph(unsigned char code);
// A JIS X 0208 character by row and cell (1..94 each), or nullptr when there is none.
const std::uint16_t* FullWidthGlyph(int row, int cell);

}  // namespace font12
