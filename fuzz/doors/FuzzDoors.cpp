// The door table reader: a table is refused or every door in it is valid and writes back to the
// same bytes.
#include "engine/field/DoorTable.h"
#include "fuzz/common/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = AsBytes(data, size);
    const auto table = ParseDoorTable(bytes);
    if (const auto* doors = std::get_if<std::vector<Door>>(&table)) {
        for (const Door& door : *doors)
            if (!CheckDoor(door).empty()) FuzzFailure();
        if (WriteDoorTable(*doors) != std::vector<std::uint8_t>(bytes.begin(), bytes.end()))
            FuzzFailure();
    } else if (std::get<DoorTableError>(table).message.empty()) {
        FuzzFailure();
    }
    return 0;
}
