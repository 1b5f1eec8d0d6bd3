#pragma once
#include <string>
#include <string_view>

// Breaks the lines of one text-box page that would run past the box's right edge at the last
// ASCII space before the edge: that space becomes a "\n" mark, and the line after it starts at
// `nextX` like every following line of a page. Lines that fit, and lines without such a space,
// are left as they are, so text written for the box is unchanged byte for byte. Widths are the
// font's: 6 pixels a single byte, 12 a double-byte character, nothing for a backslash mark.
std::string BreakLongLines(std::string_view page, int firstX, int nextX, int edge);
