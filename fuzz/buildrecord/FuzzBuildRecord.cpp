// kit-game's build record: any text reads without harm, and what it reads writes back as a text
// that reads the same.
#include "fuzz/common/FuzzInput.h"
#include "tools/kitgame/BuildRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const kitgame::BuildRecord record = kitgame::parseBuildRecord(AsText(data, size));
    if (kitgame::parseBuildRecord(kitgame::formatBuildRecord(record)) != record) FuzzFailure();
    return 0;
}
