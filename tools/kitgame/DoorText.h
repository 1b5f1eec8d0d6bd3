#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kitgame {

// A map's door table from its UTF-8 text form ("Mt/NAME.doors" beside "Mt/NAME.map"): one door
// a line, "MARK MAP COLUMN ROW FACING FADE", FACING one of down, left, up, right, FADE the
// brightness steps a frame (0 to 32, 0 for a cut); "#" starts a comment. Fills `bytes` with the
// engine's door table file (Mt/NAME.dr); returns "" or the reason ("line 3: ...").
std::string makeDoorTable(std::string_view text, std::vector<std::uint8_t>& bytes);

}  // namespace kitgame
