#include "tools/kitgame/DoorText.h"

#include <array>
#include <charconv>
#include <sstream>

#include "common/ShiftJis.h"
#include "engine/field/DoorTable.h"

namespace kitgame {

namespace {

constexpr std::array<const char*, 4> kFacings = {"down", "left", "up", "right"};

bool readNumber(const std::string& word, int& value) {
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    return ec == std::errc() && end == word.data() + word.size() && !word.empty();
}

std::string readDoor(const std::string& line, Door& door) {
    std::istringstream words(line);
    std::string mark, map, column, row, facing, fade, extra;
    if (!(words >> mark >> map >> column >> row >> facing >> fade))
        return "expected MARK MAP COLUMN ROW FACING FADE";
    if (words >> extra) return "unexpected '" + extra + "' after the fade";
    if (!readNumber(mark, door.mark)) return "mark '" + mark + "' is not a number";
    const auto sjis = kit::utf8ToSjis(map);
    if (!sjis) return "map name '" + map + "' has a character Shift-JIS lacks";
    door.map = *sjis;
    if (!readNumber(column, door.column) || !readNumber(row, door.row))
        return "column and row must be numbers";
    door.facing = -1;
    for (std::size_t i = 0; i < kFacings.size(); ++i)
        if (facing == kFacings[i]) door.facing = static_cast<int>(i);
    if (door.facing < 0) return "facing '" + facing + "' is not down, left, up or right";
    if (!readNumber(fade, door.fade)) return "fade '" + fade + "' is not a number";
    return CheckDoor(door);
}

}  // namespace

std::string makeDoorTable(std::string_view text, std::vector<std::uint8_t>& bytes) {
    std::vector<Door> doors;
    std::istringstream lines{std::string(text)};
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = line.substr(0, line.find('#'));
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        Door door;
        std::string why = readDoor(line, door);
        if (why.empty() && FindDoor(doors, door.mark))
            why = "a second door on mark " + std::to_string(door.mark);
        if (!why.empty()) return "line " + std::to_string(number) + ": " + why;
        doors.push_back(std::move(door));
    }
    bytes = WriteDoorTable(doors);
    return "";
}

}  // namespace kitgame
