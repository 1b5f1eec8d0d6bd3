#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/field/DoorTable.h"

namespace tools {

// The source form of a map's door table, "Mt\NAME.doors" beside the map's source: UTF-8 text,
// one door a line, "#" starting a comment:
//
//     # mark  to-map  column  row  facing  fade
//     3       forest  10      4    down    8
//
// The facing is down, left, up or right; the fade is brightness steps a frame (0 for a cut).
// kit-game builds it into "Mt\NAME.dr" and Tessel edits it; map names are UTF-8 here, Shift-JIS
// inside.

// The doors of `text`, or the first fault as "line N: why" in `error`.
std::vector<Door> parseDoorText(std::string_view text, std::string& error);
// The text of `doors` (valid doors, see CheckDoor), under one comment line naming the columns.
std::string writeDoorText(const std::vector<Door>& doors);
// Fills `bytes` with the engine's door table file built from `text`; returns "" or the reason
// ("line 3: ...").
std::string makeDoorTable(std::string_view text, std::vector<std::uint8_t>& bytes);

const char* facingName(int facing);

}  // namespace tools
