#pragma once

namespace tools {

// A 5 x 7 pixel capital-letter font for lettering in pictures (logos, titles). Returns the seven
// rows of the glyph, each five characters of '#' (ink) and '.', or nullptr for a character that
// the font lacks.
const char* const* glyph5x7(char c);

}  // namespace tools
