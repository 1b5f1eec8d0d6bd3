#include "engine/field/DoorTable.h"

#include <algorithm>
#include <cstring>

namespace {

int ReadU16(const std::uint8_t* p) {
    return p[0] | (p[1] << 8);
}

void PutU16(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

}  // namespace

std::string CheckDoor(const Door& door) {
    if (door.mark < 1 || door.mark > kMaxDoorMark) return "mark must be 1 to 63";
    if (door.map.empty()) return "no destination map";
    if (door.map.size() >= kDoorNameBytes) return "destination map name longer than 31 bytes";
    if (door.map.find('\0') != std::string::npos) return "destination map name holds a NUL";
    if (door.column < 0 || door.column > 0xFFFF || door.row < 0 || door.row > 0xFFFF)
        return "column and row must be 0 to 65535";
    if (door.facing < 0 || door.facing > 3) return "facing must be 0 to 3";
    if (door.fade < 0 || door.fade > 32) return "fade must be 0 to 32";
    return {};
}

std::variant<std::vector<Door>, DoorTableError> ParseDoorTable(
    std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kDoorHeaderBytes || std::memcmp(bytes.data(), kDoorMagic, 4) != 0)
        return DoorTableError{"not a door table (no QDR1 header)"};
    const std::size_t count = static_cast<std::size_t>(ReadU16(bytes.data() + 4));
    if (bytes.size() != kDoorHeaderBytes + count * kDoorRecordBytes)
        return DoorTableError{"damaged: " + std::to_string(count) + " doors announced in " +
                              std::to_string(bytes.size()) + " bytes"};
    std::vector<Door> doors;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* r = bytes.data() + kDoorHeaderBytes + i * kDoorRecordBytes;
        Door door;
        door.mark = r[0];
        door.facing = r[1];
        door.fade = r[2];
        door.column = ReadU16(r + 4);
        door.row = ReadU16(r + 6);
        const char* name = reinterpret_cast<const char*>(r + 8);
        door.map.assign(name, strnlen(name, kDoorNameBytes));
        std::string fault = door.map.size() == kDoorNameBytes ? "map name not terminated"
                            : r[3] != 0                       ? "reserved byte not zero"
                                                              : CheckDoor(door);
        if (fault.empty() && FindDoor(doors, door.mark))
            fault = "a second door on mark " + std::to_string(door.mark);
        if (!fault.empty())
            return DoorTableError{"damaged door " + std::to_string(i + 1) + ": " + fault};
        doors.push_back(std::move(door));
    }
    return doors;
}

std::vector<std::uint8_t> WriteDoorTable(const std::vector<Door>& doors) {
    std::vector<std::uint8_t> out(kDoorMagic, kDoorMagic + 4);
    PutU16(out, static_cast<int>(doors.size()));
    for (const Door& door : doors) {
        out.push_back(static_cast<std::uint8_t>(door.mark));
        out.push_back(static_cast<std::uint8_t>(door.facing));
        out.push_back(static_cast<std::uint8_t>(door.fade));
        out.push_back(0);
        PutU16(out, door.column);
        PutU16(out, door.row);
        const std::size_t at = out.size();
        out.resize(at + kDoorNameBytes, 0);
        std::copy_n(door.map.begin(), std::min(door.map.size(), kDoorNameBytes - 1),
                    out.begin() + static_cast<std::ptrdiff_t>(at));
    }
    return out;
}

const Door* FindDoor(const std::vector<Door>& doors, int mark) {
    const auto it =
        std::find_if(doors.begin(), doors.end(), [&](const Door& d) { return d.mark == mark; });
    return it == doors.end() ? nullptr : &*it;
}
