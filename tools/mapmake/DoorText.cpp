#include "tools/mapmake/DoorText.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "common/ShiftJis.h"

namespace tools {

namespace {

constexpr const char* kFacings[] = {"down", "left", "up", "right"};
constexpr const char* kHeading = "# mark  to-map  column  row  facing  fade\n";

bool readNumber(const std::string& word, int& out) {
    const char* end = word.data() + word.size();
    const auto [p, ec] = std::from_chars(word.data(), end, out);
    return ec == std::errc() && p == end && !word.empty();
}

// One line's door; "" or the reason it is not one.
std::string parseLine(const std::string& line, Door& door) {
    std::istringstream in(line);
    std::string mark, map, column, row, facing, fade, extra;
    if (!(in >> mark >> map >> column >> row >> facing >> fade))
        return "expected MARK MAP COLUMN ROW FACING FADE";
    if (in >> extra) return "unexpected '" + extra + "' after the fade";
    if (!readNumber(mark, door.mark)) return "mark '" + mark + "' is not a number";
    if (!readNumber(column, door.column) || !readNumber(row, door.row))
        return "column and row must be numbers";
    if (!readNumber(fade, door.fade)) return "fade '" + fade + "' is not a number";
    const auto* at = std::find(std::begin(kFacings), std::end(kFacings), facing);
    if (at == std::end(kFacings)) return "facing '" + facing + "' is not down, left, up or right";
    door.facing = static_cast<int>(at - std::begin(kFacings));
    // Inside, names are Shift-JIS, as the game's files are named.
    const auto sjis = kit::utf8ToSjis(map);
    if (!sjis) return "map name '" + map + "' has a character Shift-JIS lacks";
    door.map = *sjis;
    return CheckDoor(door);
}

}  // namespace

const char* facingName(int facing) {
    return facing >= 0 && facing < 4 ? kFacings[facing] : "?";
}

std::vector<Door> parseDoorText(std::string_view text, std::string& error) {
    std::vector<Door> doors;
    std::istringstream in{std::string(text)};
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        line = line.substr(0, line.find('#'));
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        Door door;
        std::string why = parseLine(line, door);
        if (why.empty() && FindDoor(doors, door.mark))
            why = "a second door on mark " + std::to_string(door.mark);
        if (!why.empty()) {
            error = "line " + std::to_string(number) + ": " + why;
            return {};
        }
        doors.push_back(std::move(door));
    }
    error.clear();
    return doors;
}

std::string makeDoorTable(std::string_view text, std::vector<std::uint8_t>& bytes) {
    std::string error;
    const std::vector<Door> doors = parseDoorText(text, error);
    if (error.empty()) bytes = WriteDoorTable(doors);
    return error;
}

std::string writeDoorText(const std::vector<Door>& doors) {
    std::string text = kHeading;
    for (const Door& d : doors)
        text += std::to_string(d.mark) + "  " + kit::sjisToUtf8Lossy(d.map) + "  " +
                std::to_string(d.column) + "  " + std::to_string(d.row) + "  " +
                facingName(d.facing) + "  " + std::to_string(d.fade) + "\n";
    return text;
}

}  // namespace tools
