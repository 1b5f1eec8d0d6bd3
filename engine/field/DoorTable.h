#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

// A map's door table, the file "Mt\NAME.dr" beside "Mt\NAME.qd". When the leader steps on a
// mark that has a door, the engine itself takes the party to the door's destination.
//
// The file: the four bytes "QDR1", a little-endian 16-bit count, then `count` records of 40
// bytes: mark (1..63), facing (0 down, 1 left, 2 up, 3 right), fade (brightness steps a frame,
// 0 for a cut), one zero byte, column and row (little-endian 16-bit), and the destination map's
// name in Shift-JIS, NUL-padded to 32 bytes (at most 31 bytes and not empty).
inline constexpr std::size_t kDoorHeaderBytes = 6;
inline constexpr std::size_t kDoorRecordBytes = 40;
inline constexpr std::size_t kDoorNameBytes = 32;
inline constexpr int kMaxDoorMark = 63;
inline constexpr char kDoorMagic[4] = {'Q', 'D', 'R', '1'};

struct Door {
    int mark = 0;
    std::string map;  // Shift-JIS
    int column = 0, row = 0;
    int facing = 0;
    int fade = 0;
    bool operator==(const Door&) const = default;
};

// The reason a door table is refused, in words for the game's author.
struct DoorTableError {
    std::string message;
};

std::variant<std::vector<Door>, DoorTableError> ParseDoorTable(std::span<const std::uint8_t> bytes);

// The file bytes of `doors`; every door must be valid (ParseDoorTable reads them back).
std::vector<std::uint8_t> WriteDoorTable(const std::vector<Door>& doors);

// Why `door` cannot be stored, or empty when it can.
std::string CheckDoor(const Door& door);

// The door of `mark`, or nothing.
const Door* FindDoor(const std::vector<Door>& doors, int mark);
