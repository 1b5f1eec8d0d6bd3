// The door text Tessel and kit-game read: refused with a reason, or every door valid and its text
// reads back the same.
#include "fuzz/common/FuzzInput.h"
#include "tools/mapmake/DoorText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const std::vector<Door> doors = tools::parseDoorText(text, error);
    if (!error.empty()) {
        if (!doors.empty()) FuzzFailure();
        return 0;
    }
    for (const Door& door : doors)
        if (!CheckDoor(door).empty()) FuzzFailure();
    if (tools::parseDoorText(tools::writeDoorText(doors), error) != doors || !error.empty())
        FuzzFailure();
    return 0;
}
