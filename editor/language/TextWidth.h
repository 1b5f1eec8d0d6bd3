#pragma once
#include <string_view>
#include <vector>

namespace script_language {

// The text box's room, in half-width glyph widths (6 pixels; a full-width glyph takes 2): the
// box shows pixels 0..191 of its line, a page's first line starts 2 pixels in and the lines after
// it 14 pixels in, so a first line holds 31 half widths (15 full-width characters) and the others
// 29 (14).
inline constexpr int kFirstLineRoom = 31;
inline constexpr int kLineRoom = 29;

struct WideLine {
    int index;  // the page's line, from 0
    int width;  // in half-width glyph widths
    int room;
};

// The lines of a page (Shift-JIS, lines broken by the two characters "\n") that the box cuts off.
std::vector<WideLine> wideLines(std::string_view sjisPage);

}  // namespace script_language
